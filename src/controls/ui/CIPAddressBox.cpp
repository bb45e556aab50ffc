#include "CIPAddressBox.h"

#include "base/Ipv4Address.h"

#include <QRegularExpressionValidator>

namespace {
constexpr int kMaxLength = 15; // 255.255.255.255
}

CIPAddressBox::CIPAddressBox(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,3}(\\.[0-9]{0,3}){0,3}")), this));
    setMaxLength(kMaxLength);
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000.000.000.000")) + 16);
}

void CIPAddressBox::SetAddress(quint32 address)
{
    setText(FormatIpv4Address(address));
}

void CIPAddressBox::SetAddressText(const QString& text)
{
    quint32 address = 0;
    if (ParseIpv4Address(text, address))
        SetAddress(address);
    else
        setText(text);
}

bool CIPAddressBox::GetAddress(quint32& address) const
{
    // Each part is read as a decimal number, as the four fields of an address box are:
    // a leading zero never makes a part octal.
    const QStringList parts = text().trimmed().split(u'.');
    if (parts.size() != 4)
        return false;
    quint32 value = 0;
    for (const QString& part : parts) {
        bool ok = false;
        const int byte = part.toInt(&ok, 10);
        if (part.isEmpty() || !ok || byte < 0 || byte > 255)
            return false;
        value = (value << 8) | static_cast<quint32>(byte);
    }
    if (!IsValidIpv4Address(FormatIpv4Address(value)))
        return false;
    address = value;
    return true;
}
