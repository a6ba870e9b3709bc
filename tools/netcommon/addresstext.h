#pragma once

#include <QString>

// Checks and normal forms of the addresses that end up in firewall rules and DNS settings.
class AddressText
{
public:
    // The inet_ntop form of an IPv4 or IPv6 literal; empty for host names, zones, IPv4 with
    // leading zeros or any other form a program might read differently.
    static QString canonicalIp(const QString& text);
    // 4 or 6 for a canonical literal, 0 otherwise.
    static int family(const QString& text);
    // "address/length" with the host bits cleared; a plain address becomes a full-length prefix.
    static QString canonicalPrefix(const QString& text);
    // True when prefix "inner" lies inside prefix "outer" (both canonical, same family).
    static bool covers(const QString& outer, const QString& inner);
    static bool isInterfaceName(const QString& text);
    static bool isHostName(const QString& text);
    // A quote, a backslash or a control character: never part of a value we pass on.
    static bool hasUnsafeCharacter(const QString& text);
};
