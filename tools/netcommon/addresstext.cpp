#include "addresstext.h"

#include <QRegularExpression>
#include <QStringList>

#include <arpa/inet.h>

#include <cstring>

namespace {

struct Parsed
{
    int family = 0;
    unsigned char bytes[16] = {};
    int length = 0;
};

bool parse(const QString& text, Parsed* parsed)
{
    static const QRegularExpression characters(QStringLiteral("^[0-9A-Fa-f:.]{2,45}\\z"));
    if (!characters.match(text).hasMatch())
        return false;
    const QByteArray latin = text.toLatin1();
    if (inet_pton(AF_INET, latin.constData(), parsed->bytes) == 1) {
        parsed->family = 4;
        parsed->length = 4;
        return true;
    }
    if (text.contains(QLatin1Char(':')) &&
        inet_pton(AF_INET6, latin.constData(), parsed->bytes) == 1) {
        parsed->family = 6;
        parsed->length = 16;
        return true;
    }
    return false;
}

QString format(const Parsed& parsed)
{
    char buffer[INET6_ADDRSTRLEN] = {};
    if (!inet_ntop(parsed.family == 4 ? AF_INET : AF_INET6, parsed.bytes, buffer, sizeof buffer))
        return {};
    return QString::fromLatin1(buffer);
}

void clearHostBits(Parsed* parsed, int prefixLength)
{
    for (int bit = prefixLength; bit < parsed->length * 8; ++bit)
        parsed->bytes[bit / 8] &= static_cast<unsigned char>(~(0x80 >> (bit % 8)));
}

bool parsePrefix(const QString& text, Parsed* parsed, int* prefixLength)
{
    const QStringList parts = text.split(QLatin1Char('/'));
    if (parts.size() > 2 || AddressText::canonicalIp(parts.first()).isEmpty() ||
        !parse(parts.first(), parsed))
        return false;
    *prefixLength = parsed->length * 8;
    if (parts.size() == 2) {
        static const QRegularExpression digits(QStringLiteral("^(0|[1-9][0-9]{0,2})\\z"));
        if (!digits.match(parts.at(1)).hasMatch() || parts.at(1).toInt() > *prefixLength)
            return false;
        *prefixLength = parts.at(1).toInt();
    }
    clearHostBits(parsed, *prefixLength);
    return true;
}

} // namespace

QString AddressText::canonicalIp(const QString& text)
{
    Parsed parsed;
    if (!parse(text, &parsed))
        return {};
    const QString canonical = format(parsed);
    // IPv4 must already be canonical; IPv6 may differ in case or zero compression only.
    if (parsed.family == 4 && canonical != text)
        return {};
    return canonical;
}

int AddressText::family(const QString& text)
{
    Parsed parsed;
    if (canonicalIp(text).isEmpty() || !parse(text, &parsed))
        return 0;
    return parsed.family;
}

QString AddressText::canonicalPrefix(const QString& text)
{
    Parsed parsed;
    int prefixLength = 0;
    if (!parsePrefix(text, &parsed, &prefixLength))
        return {};
    return format(parsed) + QLatin1Char('/') + QString::number(prefixLength);
}

bool AddressText::covers(const QString& outer, const QString& inner)
{
    Parsed a;
    Parsed b;
    int lengthA = 0;
    int lengthB = 0;
    if (!parsePrefix(outer, &a, &lengthA) || !parsePrefix(inner, &b, &lengthB) ||
        a.family != b.family || lengthA > lengthB)
        return false;
    clearHostBits(&b, lengthA);
    return std::memcmp(a.bytes, b.bytes, sizeof a.bytes) == 0;
}

bool AddressText::isInterfaceName(const QString& text)
{
    // No leading "-": the name becomes an argument of ip and resolvectl, never an option.
    static const QRegularExpression name(QStringLiteral("^[A-Za-z0-9_.][A-Za-z0-9_.-]{0,14}\\z"));
    return name.match(text).hasMatch() && text != QLatin1String(".") && text != QLatin1String("..");
}

bool AddressText::isHostName(const QString& text)
{
    static const QRegularExpression label(
        QStringLiteral("^[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?\\z"));
    if (text.isEmpty() || text.size() > 253)
        return false;
    const QStringList labels = text.split(QLatin1Char('.'));
    for (const QString& part : labels) {
        if (!label.match(part).hasMatch())
            return false;
    }
    return true;
}

bool AddressText::hasUnsafeCharacter(const QString& text)
{
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\'') || c == QLatin1Char('\\') ||
            c.unicode() < 0x20 || c.unicode() == 0x7f)
            return true;
    }
    return false;
}
