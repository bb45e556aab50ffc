// The stream-address check and the dotted-quad checks on any typed or stored text, and
// the discovery datagram parsers on any answer from the network.

#include "FuzzSupport.h"

#include "base/AnsiCodePage.h"
#include "devicelink/DeviceDiscovery.h"
#include "devicelink/StreamAddress.h"

#include <arpa/inet.h>

#include <cstddef>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray raw(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = AnsiCodePage::Decode(raw);
    IsValidStreamAddress(text);
    IsValidStreamAddress(QString::fromUtf8(raw));
    const QByteArray ansi = AnsiCodePage::Encode(text);
    inet_addr(ansi.constData());

    quint32 nonce = 0;
    DeviceDiscovery::ParseProbe(raw, nonce);
    // An answer is taken only with the nonce of the search; use the one it carries.
    constexpr int kNonceOffset = offsetof(tagDeviceInfo, nonce);
    if (raw.size() >= kNonceOffset + 4) {
        const auto* n = reinterpret_cast<const unsigned char*>(raw.constData() + kNonceOffset);
        nonce = (quint32(n[0]) << 24) | (quint32(n[1]) << 16) | (quint32(n[2]) << 8) | n[3];
    }
    tagDeviceInfo info{};
    if (DeviceDiscovery::ParseDeviceInfo(raw, nonce, info)) {
        DeviceDiscovery::AddressText(info);
        DeviceDiscovery::IdText(info);
        lib_decideDeviceInfoIdExist(info.id);
    }
    return 0;
}
