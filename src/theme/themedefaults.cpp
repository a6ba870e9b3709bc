#include "themedefaults.h"

namespace {

const int noSection = -1;

struct Entry
{
    const char* id;
    const char* toolTip;
    int section;
    int type;
    const char* light;
    // Null when the dark style keeps the light value.
    const char* dark;
};

// clang-format off
const Entry entries[] = {
    {"settingsPageShowLogs", "Show logs", ThemeProperty::AppPropertySection, ThemeProperty::Bool, "true", "true"},
    {"appPropertyDarkStyle", "Use dark style", ThemeProperty::AppPropertySection, ThemeProperty::Bool, "true", "true"},
    {"generalBackgroundImage", "Background image (400x650)", ThemeProperty::ImageSection, ThemeProperty::Image, "", ""},
    {"generalLogoFileName", "Logo image (400x50)", ThemeProperty::ImageSection, ThemeProperty::Image, "qrc:/resources/icons/vpn.png", nullptr},
    {"generalBackgroundColor", "Background color", ThemeProperty::GeneralSection, ThemeProperty::Color, "#f6f7f9", "#102847"},
    {"generalHeaderBackgroundColor", "Header background color", ThemeProperty::GeneralSection, ThemeProperty::Color, "white", "#081c37"},
    {"generalTextFieldBorderColor", "Textfield border color", ThemeProperty::GeneralSection, ThemeProperty::Color, "#e7e9f2", "#3f5673"},
    {"generalSectionColor", "Section color", ThemeProperty::GeneralSection, ThemeProperty::Color, "#ffffff", "#133054"},
    {"settingsPageHeaderBackgroundColor", "Settings page, header background color", ThemeProperty::GeneralSection, ThemeProperty::Color, "white", nullptr},
    {"generalListViewItemActiveColor", "Active color", ThemeProperty::ListViewSection, ThemeProperty::Color, "white", "#183254"},
    {"generalListViewItemBackgroundColor", "Item background color", ThemeProperty::ListViewSection, ThemeProperty::Color, "#f7f8fa", "#102847"},
    {"generalListViewSeparatorColor", "Separator color", ThemeProperty::ListViewSection, ThemeProperty::Color, "#e8eaf2", "#1f4571"},
    {"generalDefaultLabelColor", "Label 1", ThemeProperty::LabelSection, ThemeProperty::Color, "black", "white"},
    {"generalBrightLabelColor", "Label 2", ThemeProperty::LabelSection, ThemeProperty::Color, "black", "white"},
    {"settingsPageDefaultLabelColor1", "Label 3", ThemeProperty::LabelSection, ThemeProperty::Color, "#555252", "white"},
    {"generalGreyLabelColor", "Label 4", ThemeProperty::LabelSection, ThemeProperty::Color, "#707070", "white"},
    {"settingsPageDefaultLabelColor2", "Label 5", ThemeProperty::LabelSection, ThemeProperty::Color, "#666666", "white"},
    {"generalLabelOpacity", "Label 3, opacity", ThemeProperty::LabelSection, ThemeProperty::Float, "1.0", "0.5"},
    {"generalGreyLabelOpacity", "Label 4, opacity", ThemeProperty::LabelSection, ThemeProperty::Float, "1.0", "0.6"},
    {"generalSmallGreyLabelOpacity", "Label 5, opacity", ThemeProperty::LabelSection, ThemeProperty::Float, "1.0", "0.6"},
    {"generalButtonBackgroundColor", "Background color", ThemeProperty::ButtonSection, ThemeProperty::Color, "#35cb73", "#f7f8fa"},
    {"generalButtonBackgroundColorPressed", "Background color when item pressed", ThemeProperty::ButtonSection, ThemeProperty::Color, "#000000", "#35cb73"},
    {"generalButtonTextColor", "Text color", ThemeProperty::ButtonSection, ThemeProperty::Color, "black", nullptr},
    {"generalButtonTextColorPressed", "Text color when item pressed", ThemeProperty::ButtonSection, ThemeProperty::Color, "white", "black"},
    {"generalTabBackgroundColor", "Background color", ThemeProperty::TabButtonSection, ThemeProperty::Color, "white", "#081c37"},
    {"generalTabFontColor", "Font color", ThemeProperty::TabButtonSection, ThemeProperty::Color, "black", "white"},
    {"generalTabNonSelectedColor", "Non selected item color", ThemeProperty::TabButtonSection, ThemeProperty::Color, "#e7e9f2", "#1c3659"},
    {"generalTabSelectedColor", "Selected item color", ThemeProperty::TabButtonSection, ThemeProperty::Color, "#35cb73", nullptr},
    {"connectionPageSettingsButtonIconColor", nullptr, noSection, ThemeProperty::Color, "", ""},
    {"connectionPageSettingsButtonBackgroundColor", "Background color", ThemeProperty::SettingsButtonSection, ThemeProperty::Color, "white", "#f7f8fa"},
    {"connectionPageSettingsButtonBackgroundColorPressed", "Background color when item pressed", ThemeProperty::SettingsButtonSection, ThemeProperty::Color, "white", "#35cb73"},
    {"connectionPageSettingsButtonTextColor", "Text color", ThemeProperty::SettingsButtonSection, ThemeProperty::Color, "black", nullptr},
    {"connectionPageSettingsButtonTextColorPressed", "Text color when item pressed", ThemeProperty::SettingsButtonSection, ThemeProperty::Color, "black", nullptr},
    {"generalSwitchBackgroundColor", "Background color", ThemeProperty::SwitchSection, ThemeProperty::Color, "#e7e9f2", "#102847"},
    {"generalSwitchBackgroundColorChecked", "Background color in checked state", ThemeProperty::SwitchSection, ThemeProperty::Color, "#b4f8d0", "#7aefaa"},
    {"generalSwitchIndicatorColor", "Indicator color", ThemeProperty::SwitchSection, ThemeProperty::Color, "#9e9ea2", "#2b568a"},
    {"generalSwitchIndicatorColorChecked", "Indicator color int checked state", ThemeProperty::SwitchSection, ThemeProperty::Color, "#35cb73", nullptr},
    {"generalRadioButtonBackgroundColor", "Background color", ThemeProperty::RadioButtonSection, ThemeProperty::Color, "transparent", nullptr},
    {"generalRadioButtonBorderColor", "Border color", ThemeProperty::RadioButtonSection, ThemeProperty::Color, "#efefef", nullptr},
    {"generalRadioButtonSelectedColor", "Color when item selected", ThemeProperty::RadioButtonSection, ThemeProperty::Color, "#35cb73", nullptr},
    {"connectionPageCirclesColor", "Disconnected state, circles color", ThemeProperty::VpnConnectionButtonSection, ThemeProperty::Color, "#dedfe1", "#193151"},
    {"connectionPageVpnDisconnectedButtonGradientColor1", "Disconnected state, gradient color 1", ThemeProperty::VpnConnectionButtonSection, ThemeProperty::Color, "#d0d2d5", "#1c3658"},
    {"connectionPageVpnDisconnectedButtonGradientColor2", "Disconnected state, gradient color 2", ThemeProperty::VpnConnectionButtonSection, ThemeProperty::Color, "#eff0f1", "#245698"},
    {"connectionPageVpnDisconnectedButtonGradientColor3", "Disconnected state, gradient color 3", ThemeProperty::VpnConnectionButtonSection, ThemeProperty::Color, "#d0d2d5", "#1d4170"},
    {"connectionPageVpnSwitchBackgroundColor", "Disconnected state, switch item, background color", ThemeProperty::VpnConnectionButtonSection, ThemeProperty::Color, "white", nullptr},
    {"connectionPageVpnSwitchLabelColor", "Disconnected state, switch item, label color", ThemeProperty::VpnConnectionButtonSection, ThemeProperty::Color, "#707070", nullptr},
    {"connectionPageVpnConnectedButtonGradientColor1", "Connected state, gradient color 1", ThemeProperty::VpnConnectionButtonSection, ThemeProperty::Color, "#64a9ff", nullptr},
    {"connectionPageVpnConnectedButtonGradientColor2", "Connected state, gradient color 2", ThemeProperty::VpnConnectionButtonSection, ThemeProperty::Color, "#00ff64", nullptr},
    {"connectionPageVpnConnectedButtonGradientColor3", "Connected state, gradient color 3", ThemeProperty::VpnConnectionButtonSection, ThemeProperty::Color, "#5ebee1", nullptr},
    {"connectionPageVpnDurationLabelColor", "Connected state, duration, label color", ThemeProperty::VpnConnectionButtonSection, ThemeProperty::Color, "black", nullptr},
    {"connectionPageVpnDurationBackgroundColor", "Connected state, duration, background color", ThemeProperty::VpnConnectionButtonSection, ThemeProperty::Color, "#f1f0f0", nullptr},
    {"connectionPageVpnTimerLabelColor", "Connected state, timer, label color", ThemeProperty::VpnConnectionButtonSection, ThemeProperty::Color, "#1e8449", nullptr},};
// clang-format on

QVariant valueOf(const Entry& entry, bool darkStyle)
{
    const char* text = darkStyle && entry.dark ? entry.dark : entry.light;
    if (entry.type == ThemeProperty::Bool)
        return qstrcmp(text, "true") == 0;
    return QString::fromLatin1(text);
}

} // namespace

namespace ThemeDefaults {

QMap<QString, ThemeProperty> properties(bool darkStyle)
{
    QMap<QString, ThemeProperty> map;
    for (const Entry& entry : entries) {
        const QString id = QString::fromLatin1(entry.id);
        ThemeProperty property(id, valueOf(entry, darkStyle), entry.type,
                               QString::fromLatin1(entry.toolTip));
        if (entry.section != noSection)
            property.setSection(entry.section);
        map.insert(id, property);
    }
    return map;
}

} // namespace ThemeDefaults
