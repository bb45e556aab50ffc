#pragma once

#include <QFrame>

class QLineEdit;

// The editor's one IPv4 address box, in the manner of the platform's address control:
// four fields of 0 to 255 in one frame. Typing a third digit moves to the next field; a
// dot moves there too, except right after such a move (so "192.168.1.10" typed whole
// gives that address); Backspace in an empty field goes back. A dotted address pasted
// or dropped into a field fills the fields from there. The fields hold numbers: a typed
// or pasted leading zero is dropped (010 is ten, never octal), while a stored text is
// read by the address rule of Ipv4Address.h. Address() takes a blank field as 0;
// GetAddress() takes only a whole address.
class CIpAddressEdit : public QFrame {
    Q_OBJECT
public:
    explicit CIpAddressEdit(QWidget* parent = nullptr);

    // Most significant byte first: 192.168.1.100 is 0xC0A80164.
    quint32 Address() const;
    void SetAddress(quint32 address);
    // A stored dotted address; of a text that is none, the parts that are valid are shown.
    void SetAddressText(const QString& text);
    // The typed address when every field is filled and the address rule accepts it.
    bool GetAddress(quint32& address) const;
    // The fields joined by dots as typed ("192.168.1." with the last one blank); empty
    // when all are blank.
    QString Text() const;
    void SelectAll();
    QLineEdit* Field(int index) const { return fields[index]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FocusField(int index, bool atStart);
    // Puts the parts of a dotted text into the fields from index on.
    void Spread(int index, const QString& text);

    QLineEdit* fields[4];
    // The field that a third digit has just moved to, whose first dot is the one the user
    // typed to end the previous part; -1 when there is none.
    int movedTo = -1;
};
