#include "wireguardconfig.h"

#include <QRegularExpression>
#include <QSet>

#include <arpa/inet.h>

namespace {

const int maxTextSize = 16 * 1024;
const int maxListSize = 16;

bool isDecimal(const QString& text, int maxDigits, uint maxValue, uint* value)
{
    static const QRegularExpression digits(QStringLiteral("^(0|[1-9][0-9]*)$"));
    if (text.isEmpty() || text.size() > maxDigits || !digits.match(text).hasMatch())
        return false;
    *value = text.toUInt();
    return *value <= maxValue;
}

bool splitList(const QString& value, QStringList* items)
{
    *items = value.split(QLatin1Char(','));
    for (QString& item : *items)
        item = item.trimmed();
    return !items->isEmpty() && items->size() <= maxListSize;
}

bool isPrintable(const QString& line)
{
    for (const QChar c : line) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return false;
    }
    return true;
}

} // namespace

bool WireGuardConfig::isKey(const QString& value)
{
    static const QRegularExpression form(QStringLiteral("^[A-Za-z0-9+/]{43}=$"));
    if (!form.match(value).hasMatch())
        return false;
    const auto decoded =
        QByteArray::fromBase64Encoding(value.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    // Re-encoding catches non-zero padding bits: only the canonical text of a 32-byte key passes.
    return decoded && decoded.decoded.size() == 32 &&
           decoded.decoded.toBase64() == value.toLatin1();
}

bool WireGuardConfig::isIpv4Literal(const QString& value)
{
    in_addr address;
    // glibc's parser takes only four decimal parts without leading zeros.
    return value.size() <= 15 && inet_pton(AF_INET, value.toLatin1().constData(), &address) == 1;
}

bool WireGuardConfig::isIpLiteral(const QString& value)
{
    if (isIpv4Literal(value))
        return true;
    static const QRegularExpression form(QStringLiteral("^[0-9A-Fa-f:.]{2,45}$"));
    in6_addr address;
    return form.match(value).hasMatch() &&
           inet_pton(AF_INET6, value.toLatin1().constData(), &address) == 1;
}

bool WireGuardConfig::isPrefix(const QString& value, bool prefixOptional, QString* normalized)
{
    const QStringList parts = value.split(QLatin1Char('/'));
    if (parts.size() > 2 || !isIpLiteral(parts.first()))
        return false;
    const bool v4 = isIpv4Literal(parts.first());
    const uint maxLength = v4 ? 32 : 128;
    uint length = maxLength;
    if (parts.size() == 1 && !prefixOptional)
        return false;
    if (parts.size() == 2 && !isDecimal(parts.at(1), 3, maxLength, &length))
        return false;
    *normalized = parts.first() + QLatin1Char('/') + QString::number(length);
    return true;
}

bool WireGuardConfig::isEndpoint(const QString& value, QString* host, quint16* port)
{
    const int colon = value.lastIndexOf(QLatin1Char(':'));
    uint number = 0;
    if (colon < 0 || !isIpv4Literal(value.left(colon)) ||
        !isDecimal(value.mid(colon + 1), 5, 65535, &number) || number == 0)
        return false;
    *host = value.left(colon);
    *port = quint16(number);
    return true;
}

bool WireGuardConfig::parse(const QByteArray& text, WireGuardConfig* config, QString* error)
{
    *config = WireGuardConfig();
    if (text.size() > maxTextSize || text.contains('\0') || text.contains('\r')) {
        *error = QStringLiteral("the file is too large or holds control characters");
        return false;
    }
    QString section;
    QSet<QString> seenSections;
    const QStringList lines = QString::fromLatin1(text).split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        const QString where = QStringLiteral("line %1").arg(i + 1);
        if (line.isEmpty())
            continue;
        if (!isPrintable(line)) {
            *error = where + QStringLiteral(" holds a character outside printable ASCII");
            return false;
        }
        if (line == QLatin1String("[Interface]") || line == QLatin1String("[Peer]")) {
            section = line.mid(1, line.size() - 2);
            if (seenSections.contains(section)) {
                *error = where + QStringLiteral(" repeats a section");
                return false;
            }
            seenSections.insert(section);
            continue;
        }
        const int equals = line.indexOf(QLatin1Char('='));
        if (section.isEmpty() || equals <= 0) {
            *error = where + QStringLiteral(" is not a key in a known section");
            return false;
        }
        QString reason;
        if (!config->assign(section, line.left(equals).trimmed(), line.mid(equals + 1).trimmed(),
                            &reason)) {
            *error = where + QLatin1Char(' ') + reason;
            return false;
        }
    }
    return config->complete(error);
}

bool WireGuardConfig::assign(const QString& section, const QString& key, const QString& value,
                             QString* error)
{
    const bool interface = section == QLatin1String("Interface");
    QStringList items;
    auto prefixes = [&](QStringList* target, bool optional) {
        if (!target->isEmpty() || !splitList(value, &items))
            return false;
        for (const QString& item : items) {
            QString normalized;
            if (!isPrefix(item, optional, &normalized))
                return false;
            target->append(normalized);
        }
        return true;
    };
    bool ok = false;
    if (interface && key == QLatin1String("PrivateKey")) {
        ok = privateKey.isEmpty() && isKey(value);
        if (ok)
            privateKey = value.toLatin1();
    } else if (interface && key == QLatin1String("Address")) {
        ok = prefixes(&addresses, true);
    } else if (interface && key == QLatin1String("DNS")) {
        ok = dns.isEmpty() && splitList(value, &items) &&
             std::all_of(items.cbegin(), items.cend(), isIpLiteral);
        if (ok)
            dns = items;
    } else if (!interface && key == QLatin1String("PublicKey")) {
        ok = publicKey.isEmpty() && isKey(value);
        if (ok)
            publicKey = value;
    } else if (!interface && key == QLatin1String("AllowedIPs")) {
        ok = prefixes(&allowedIps, false);
    } else if (!interface && key == QLatin1String("Endpoint")) {
        ok = endpointHost.isEmpty() && isEndpoint(value, &endpointHost, &endpointPort);
    } else if (!interface && key == QLatin1String("PersistentKeepalive")) {
        uint seconds = 0;
        ok = persistentKeepalive == 0 && isDecimal(value, 5, 65535, &seconds) && seconds > 0;
        persistentKeepalive = int(seconds);
    } else {
        *error = QStringLiteral("has an unknown key");
        return false;
    }
    if (!ok)
        *error = QStringLiteral("has a refused or repeated value for ") + key;
    return ok;
}

bool WireGuardConfig::complete(QString* error) const
{
    if (privateKey.isEmpty() || addresses.isEmpty() || publicKey.isEmpty() ||
        allowedIps.isEmpty() || endpointHost.isEmpty()) {
        *error = QStringLiteral("a required key is missing");
        return false;
    }
    return true;
}
