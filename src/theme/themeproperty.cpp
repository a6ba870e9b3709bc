#include "themeproperty.h"

#include "app/logger.h"

namespace {

const char* const sectionNames[] = {"General",   "Button",         "Label",
                                    "ListView",  "RadioButton",    "Switch",
                                    "TabButton", "SettingsButton", "VpnConnectionButton",
                                    "Image",     "App property"};
const char* const typeNames[] = {"Color", "Float", "Image", "Bool"};

bool isSection(int section)
{
    return section >= 0 && section < ThemeProperty::SectionCount;
}

} // namespace

ThemeProperty::ThemeProperty(const QString& id, const QVariant& data, int type,
                             const QString& toolTip)
    : toolTip(toolTip.isEmpty() ? id : toolTip), data(data), id(id), type(type)
{
}

bool ThemeProperty::setSection(int section)
{
    if (!isSection(section)) {
        Logger::warning(QStringLiteral("ThemeProperty"),
                        QStringLiteral("Section %1 does not exist").arg(section));
        return false;
    }
    sections |= 1u << section;
    return true;
}

bool ThemeProperty::hasSection(int section) const
{
    return isSection(section) && (sections & (1u << section)) != 0;
}

QStringList ThemeProperty::sectionNames() const
{
    QStringList names;
    for (int section = 0; section < SectionCount; ++section) {
        if (hasSection(section))
            names << sectionName(section);
    }
    return names;
}

bool ThemeProperty::operator==(const ThemeProperty& other) const
{
    return id == other.id && data == other.data && sections == other.sections &&
           toolTip == other.toolTip && type == other.type;
}

QString ThemeProperty::sectionName(int section)
{
    return isSection(section) ? QString::fromLatin1(::sectionNames[section]) : QString();
}

QString ThemeProperty::typeName(int type)
{
    return type >= Color && type <= Bool ? QString::fromLatin1(typeNames[type]) : QString();
}

void ThemeProperty::registerMetaType()
{
    qRegisterMetaType<ThemeProperty>("ThemeProperty");
}
