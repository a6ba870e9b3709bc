#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The client's WireGuard configuration, every value checked before it reaches a root-run tool.
class WireGuardConfig
{
public:
    QByteArray privateKey;
    QStringList addresses; // "ip/prefix"
    QStringList dns;       // IP literals
    QString publicKey;
    QStringList allowedIps; // "ip/prefix"
    QString endpointHost;   // IPv4 literal
    quint16 endpointPort = 0;
    int persistentKeepalive = 0; // 0: off

    // Refuses unknown sections and keys, duplicates and any value outside the strict forms.
    static bool parse(const QByteArray& text, WireGuardConfig* config, QString* error);

    static bool isKey(const QString& value);
    static bool isIpLiteral(const QString& value);
    static bool isIpv4Literal(const QString& value);
    // "ip/prefix"; without a prefix only when prefixOptional, then the host prefix is added.
    static bool isPrefix(const QString& value, bool prefixOptional, QString* normalized);
    static bool isEndpoint(const QString& value, QString* host, quint16* port);

private:
    bool assign(const QString& section, const QString& key, const QString& value, QString* error);
    bool complete(QString* error) const;
};
