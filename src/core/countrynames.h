#pragma once

#include <QString>

// English country names by two-letter code, from Qt's locale database, built on first use.
QString countryNameForCode(const QString& code);
QString countryCodeForName(const QString& name);
bool isKnownCountryCode(const QString& code);
// "UnitedKingdom" becomes "United Kingdom".
QString spacedCountryName(const QString& camelCase);
