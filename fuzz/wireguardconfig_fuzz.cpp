// WireGuardConfig::parse: the user's file, checked by the service (WireGuardCopy::problem) and
// read again by wireguard-service from the service's copy.
#include "fuzzsupport.h"
#include "wireguardconfig.h"

namespace {

// The file again from what was accepted, in the client's layout.
QByteArray rebuilt(const WireGuardConfig& config)
{
    QByteArray text = "[Interface]\nPrivateKey = " + config.privateKey +
                      "\nAddress = " + config.addresses.join(QStringLiteral(", ")).toLatin1();
    if (!config.dns.isEmpty())
        text += "\nDNS = " + config.dns.join(QStringLiteral(", ")).toLatin1();
    text += "\n\n[Peer]\nPublicKey = " + config.publicKey.toLatin1() +
            "\nAllowedIPs = " + config.allowedIps.join(QStringLiteral(", ")).toLatin1() +
            "\nEndpoint = " + config.endpointHost.toLatin1() + ':' +
            QByteArray::number(config.endpointPort) + '\n';
    if (config.persistentKeepalive > 0)
        text += "PersistentKeepalive = " + QByteArray::number(config.persistentKeepalive) + '\n';
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    WireGuardConfig config;
    QString error;
    if (!WireGuardConfig::parse(fuzz::bytes(data, size), &config, &error)) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }

    // Every value that reaches "wg set" and "ip" keeps its strict form.
    FUZZ_CHECK(WireGuardConfig::isKey(QString::fromLatin1(config.privateKey)));
    FUZZ_CHECK(WireGuardConfig::isKey(config.publicKey));
    FUZZ_CHECK(WireGuardConfig::isIpv4Literal(config.endpointHost));
    FUZZ_CHECK(config.endpointPort > 0);
    FUZZ_CHECK(config.persistentKeepalive >= 0 && config.persistentKeepalive <= 65535);
    QString normalized;
    for (const QString& prefix : config.addresses + config.allowedIps) {
        FUZZ_CHECK(WireGuardConfig::isPrefix(prefix, false, &normalized));
        FUZZ_CHECK(normalized == prefix);
        FUZZ_CHECK(!prefix.startsWith(QLatin1Char('-')) && !prefix.contains(QLatin1Char(' ')));
    }
    for (const QString& server : config.dns)
        FUZZ_CHECK(WireGuardConfig::isIpLiteral(server));

    // What was accepted reads back the same.
    WireGuardConfig again;
    FUZZ_CHECK(WireGuardConfig::parse(rebuilt(config), &again, &error));
    FUZZ_CHECK(again.privateKey == config.privateKey && again.publicKey == config.publicKey);
    FUZZ_CHECK(again.addresses == config.addresses && again.allowedIps == config.allowedIps);
    FUZZ_CHECK(again.dns == config.dns && again.endpointHost == config.endpointHost);
    FUZZ_CHECK(again.endpointPort == config.endpointPort);
    FUZZ_CHECK(again.persistentKeepalive == config.persistentKeepalive);
    return 0;
}
