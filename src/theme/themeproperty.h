#pragma once

#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariant>

// One themeable value: what the editor shows, the current value and where it is listed.
class ThemeProperty
{
public:
    enum Type
    {
        Color = 0,
        Float = 1,
        Image = 2,
        Bool = 3
    };

    enum Section
    {
        GeneralSection = 0,
        ButtonSection,
        LabelSection,
        ListViewSection,
        RadioButtonSection,
        SwitchSection,
        TabButtonSection,
        SettingsButtonSection,
        VpnConnectionButtonSection,
        ImageSection,
        AppPropertySection,
        SectionCount
    };

    ThemeProperty() = default;
    // An empty tool tip takes the id.
    ThemeProperty(const QString& id, const QVariant& data, int type = Color,
                  const QString& toolTip = QString());

    // False, with a warning, for a number outside the eleven sections.
    bool setSection(int section);
    bool hasSection(int section) const;
    bool hasAnySection() const { return sections != 0; }
    QStringList sectionNames() const;

    bool operator==(const ThemeProperty& other) const;
    bool operator!=(const ThemeProperty& other) const { return !(*this == other); }

    static QString sectionName(int section);
    // Empty for a number that names no type.
    static QString typeName(int type);
    // Registers "ThemeProperty" for queued and string-based connections.
    static void registerMetaType();

    QString toolTip;
    QVariant data;
    quint32 sections = 0;
    QString id;
    qint32 type = Color;
};

Q_DECLARE_METATYPE(ThemeProperty)
