#pragma once

#include <QLineEdit>

// The IPv4 address box of the address dialogs: four decimal numbers separated by dots,
// nothing else can be typed. An address is taken only when it has four numbers of 0 to
// 255 and the IPv4 check accepts it (which refuses 255.255.255.255).
class CIPAddressBox : public QLineEdit {
    Q_OBJECT
public:
    explicit CIPAddressBox(QWidget* parent = nullptr);

    void SetAddress(quint32 address);
    // A stored address: shown in its dotted form when the dotted-quad parser reads it,
    // else as it stands.
    void SetAddressText(const QString& text);
    // The typed address, most significant byte first; false when it is not one.
    bool GetAddress(quint32& address) const;
};
