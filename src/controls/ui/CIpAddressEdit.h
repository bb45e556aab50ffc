#pragma once

#include <QFrame>

class QLineEdit;

// An IPv4 address box in the manner of the platform's address control: four fields of
// 0 to 255 in one frame; typing a dot or a third digit moves to the next field, and
// Backspace in an empty field goes back. Address() takes a blank field as 0; GetAddress()
// takes only a whole address.
class CIpAddressEdit : public QFrame {
    Q_OBJECT
public:
    explicit CIpAddressEdit(QWidget* parent = nullptr);

    // Most significant byte first: 192.168.1.100 is 0xC0A80164.
    quint32 Address() const;
    void SetAddress(quint32 address);
    // A stored dotted address; a text that is none leaves the fields blank.
    void SetAddressText(const QString& text);
    // The typed address when every field is filled and the address check accepts it.
    bool GetAddress(quint32& address) const;
    QString Text() const;
    void SelectAll();
    QLineEdit* Field(int index) const { return fields[index]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FocusField(int index, bool atStart);

    QLineEdit* fields[4];
};
