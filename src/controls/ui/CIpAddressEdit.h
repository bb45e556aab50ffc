#pragma once

#include <QFrame>

class QLineEdit;

// An IPv4 address box in the manner of the platform's address control: four fields of
// 0 to 255 in one frame; typing a dot or a third digit moves to the next field, and
// Backspace in an empty field goes back. A blank field counts as 0.
class CIpAddressEdit : public QFrame {
    Q_OBJECT
public:
    explicit CIpAddressEdit(QWidget* parent = nullptr);

    // Most significant byte first: 192.168.1.100 is 0xC0A80164.
    quint32 Address() const;
    void SetAddress(quint32 address);
    QString Text() const;
    QLineEdit* Field(int index) const { return fields[index]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FocusField(int index, bool atStart);

    QLineEdit* fields[4];
};
