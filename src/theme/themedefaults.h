#pragma once

#include "theme/themeproperty.h"

#include <QMap>
#include <QString>

// The built-in look of the client, one value per themeable entry for each style.
namespace ThemeDefaults {

QMap<QString, ThemeProperty> properties(bool darkStyle);

} // namespace ThemeDefaults
