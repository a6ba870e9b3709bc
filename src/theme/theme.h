#pragma once

#include "theme/themeproperty.h"

#include <QFileSystemWatcher>
#include <QMap>
#include <QObject>
#include <QString>
#include <QVector>

// Every colour, opacity and image of the interface, from built-in defaults for the light or the
// dark style, overridden by the branding file a reseller ships beside the client.
class QSettings;

class Theme : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString generalBackgroundColor READ generalBackgroundColor NOTIFY
                   generalBackgroundColorChanged)
    Q_PROPERTY(QString generalBackgroundImage READ generalBackgroundImage NOTIFY
                   generalBackgroundImageChanged)
    Q_PROPERTY(QString generalBrightLabelColor READ generalBrightLabelColor NOTIFY
                   generalBrightLabelColorChanged)
    Q_PROPERTY(QString generalButtonBackgroundColor READ generalButtonBackgroundColor NOTIFY
                   generalButtonBackgroundColorChanged)
    Q_PROPERTY(QString generalButtonBackgroundColorPressed READ generalButtonBackgroundColorPressed
                   NOTIFY generalButtonBackgroundColorPressedChanged)
    Q_PROPERTY(QString generalButtonTextColor READ generalButtonTextColor NOTIFY
                   generalButtonTextColorChanged)
    Q_PROPERTY(QString generalButtonTextColorPressed READ generalButtonTextColorPressed NOTIFY
                   generalButtonTextColorPressedChanged)
    Q_PROPERTY(QString generalDefaultLabelColor READ generalDefaultLabelColor NOTIFY
                   generalDefaultLabelColorChanged)
    Q_PROPERTY(QString generalGreyLabelColor READ generalGreyLabelColor NOTIFY
                   generalGreyLabelColorChanged)
    Q_PROPERTY(QString generalGreyLabelOpacity READ generalGreyLabelOpacity NOTIFY
                   generalGreyLabelOpacityChanged)
    Q_PROPERTY(QString generalHeaderActiveColor READ generalHeaderActiveColor NOTIFY
                   generalHeaderActiveColorChanged)
    Q_PROPERTY(QString generalHeaderBackgroundColor READ generalHeaderBackgroundColor NOTIFY
                   generalHeaderBackgroundColorChanged)
    Q_PROPERTY(
        QString generalLabelOpacity READ generalLabelOpacity NOTIFY generalLabelOpacityChanged)
    Q_PROPERTY(QString generalListViewItemActiveColor READ generalListViewItemActiveColor NOTIFY
                   generalListViewItemActiveColorChanged)
    Q_PROPERTY(QString generalListViewItemBackgroundColor READ generalListViewItemBackgroundColor
                   NOTIFY generalListViewItemBackgroundColorChanged)
    Q_PROPERTY(QString generalListViewSeparatorColor READ generalListViewSeparatorColor NOTIFY
                   generalListViewSeparatorColorChanged)
    Q_PROPERTY(
        QString generalLogoFileName READ generalLogoFileName NOTIFY generalLogoFileNameChanged)
    Q_PROPERTY(QString generalRadioButtonBackgroundColor READ generalRadioButtonBackgroundColor
                   NOTIFY generalRadioButtonBackgroundColorChanged)
    Q_PROPERTY(QString generalRadioButtonBorderColor READ generalRadioButtonBorderColor NOTIFY
                   generalRadioButtonBorderColorChanged)
    Q_PROPERTY(QString generalRadioButtonSelectedColor READ generalRadioButtonSelectedColor NOTIFY
                   generalRadioButtonSelectedColorChanged)
    Q_PROPERTY(
        QString generalSectionColor READ generalSectionColor NOTIFY generalSectionColorChanged)
    Q_PROPERTY(QString generalSmallGreyLabelOpacity READ generalSmallGreyLabelOpacity NOTIFY
                   generalSmallGreyLabelOpacityChanged)
    Q_PROPERTY(QString generalSwitchBackgroundColor READ generalSwitchBackgroundColor NOTIFY
                   generalSwitchBackgroundColorChanged)
    Q_PROPERTY(QString generalSwitchBackgroundColorChecked READ generalSwitchBackgroundColorChecked
                   NOTIFY generalSwitchBackgroundColorCheckedChanged)
    Q_PROPERTY(QString generalSwitchIndicatorColor READ generalSwitchIndicatorColor NOTIFY
                   generalSwitchIndicatorColorChanged)
    Q_PROPERTY(QString generalSwitchIndicatorColorChecked READ generalSwitchIndicatorColorChecked
                   NOTIFY generalSwitchIndicatorColorCheckedChanged)
    Q_PROPERTY(QString generalTabBackgroundColor READ generalTabBackgroundColor NOTIFY
                   generalTabBackgroundColorChanged)
    Q_PROPERTY(
        QString generalTabFontColor READ generalTabFontColor NOTIFY generalTabFontColorChanged)
    Q_PROPERTY(QString generalTabNonSelectedColor READ generalTabNonSelectedColor NOTIFY
                   generalTabNonSelectedColorChanged)
    Q_PROPERTY(QString generalTabSelectedColor READ generalTabSelectedColor NOTIFY
                   generalTabSelectedColorChanged)
    Q_PROPERTY(QString generalTextFieldBorderColor READ generalTextFieldBorderColor NOTIFY
                   generalTextFieldBorderColorChanged)
    Q_PROPERTY(bool brandingEnabled READ brandingEnabled NOTIFY brandingEnabledChanged)
    Q_PROPERTY(bool darkStyle READ darkStyle NOTIFY darkStyleChanged)
    Q_PROPERTY(QString connectionPageCirclesColor READ connectionPageCirclesColor NOTIFY
                   connectionPageCirclesColorChanged)
    Q_PROPERTY(QString connectionPageSettingsButtonBackgroundColor READ
                   connectionPageSettingsButtonBackgroundColor NOTIFY
                       connectionPageSettingsButtonBackgroundColorChanged)
    Q_PROPERTY(QString connectionPageSettingsButtonBackgroundColorPressed READ
                   connectionPageSettingsButtonBackgroundColorPressed NOTIFY
                       connectionPageSettingsButtonBackgroundColorPressedChanged)
    Q_PROPERTY(
        QString connectionPageSettingsButtonIconColor READ connectionPageSettingsButtonIconColor
            NOTIFY connectionPageSettingsButtonIconColorChanged)
    Q_PROPERTY(
        QString connectionPageSettingsButtonTextColor READ connectionPageSettingsButtonTextColor
            NOTIFY connectionPageSettingsButtonTextColorChanged)
    Q_PROPERTY(QString connectionPageSettingsButtonTextColorPressed READ
                   connectionPageSettingsButtonTextColorPressed NOTIFY
                       connectionPageSettingsButtonTextColorPressedChanged)
    Q_PROPERTY(QString connectionPageVpnConnectedButtonGradientColor1 READ
                   connectionPageVpnConnectedButtonGradientColor1 NOTIFY
                       connectionPageVpnConnectedButtonGradientColor1Changed)
    Q_PROPERTY(QString connectionPageVpnConnectedButtonGradientColor2 READ
                   connectionPageVpnConnectedButtonGradientColor2 NOTIFY
                       connectionPageVpnConnectedButtonGradientColor2Changed)
    Q_PROPERTY(QString connectionPageVpnConnectedButtonGradientColor3 READ
                   connectionPageVpnConnectedButtonGradientColor3 NOTIFY
                       connectionPageVpnConnectedButtonGradientColor3Changed)
    Q_PROPERTY(QString connectionPageVpnDisconnectedButtonGradientColor1 READ
                   connectionPageVpnDisconnectedButtonGradientColor1 NOTIFY
                       connectionPageVpnDisconnectedButtonGradientColor1Changed)
    Q_PROPERTY(QString connectionPageVpnDisconnectedButtonGradientColor2 READ
                   connectionPageVpnDisconnectedButtonGradientColor2 NOTIFY
                       connectionPageVpnDisconnectedButtonGradientColor2Changed)
    Q_PROPERTY(QString connectionPageVpnDisconnectedButtonGradientColor3 READ
                   connectionPageVpnDisconnectedButtonGradientColor3 NOTIFY
                       connectionPageVpnDisconnectedButtonGradientColor3Changed)
    Q_PROPERTY(
        QString connectionPageVpnSwitchBackgroundColor READ connectionPageVpnSwitchBackgroundColor
            NOTIFY connectionPageVpnSwitchBackgroundColorChanged)
    Q_PROPERTY(QString connectionPageVpnSwitchLabelColor READ connectionPageVpnSwitchLabelColor
                   NOTIFY connectionPageVpnSwitchLabelColorChanged)
    Q_PROPERTY(QString connectionPageVpnDurationBackgroundColor READ
                   connectionPageVpnDurationBackgroundColor NOTIFY
                       connectionPageVpnDurationBackgroundColorChanged)
    Q_PROPERTY(QString connectionPageVpnDurationLabelColor READ connectionPageVpnDurationLabelColor
                   NOTIFY connectionPageVpnDurationLabelColorChanged)
    Q_PROPERTY(QString connectionPageVpnTimerLabelColor READ connectionPageVpnTimerLabelColor NOTIFY
                   connectionPageVpnTimerLabelColorChanged)
    Q_PROPERTY(QString settingsPageDefaultLabelColor1 READ settingsPageDefaultLabelColor1 NOTIFY
                   settingsPageDefaultLabelColor1Changed)
    Q_PROPERTY(QString settingsPageDefaultLabelColor2 READ settingsPageDefaultLabelColor2 NOTIFY
                   settingsPageDefaultLabelColor2Changed)
    Q_PROPERTY(QString settingsPageHeaderBackgroundColor READ settingsPageHeaderBackgroundColor
                   NOTIFY settingsPageHeaderBackgroundColorChanged)
    Q_PROPERTY(int scrollBarWidth READ scrollBarWidth NOTIFY scrollBarWidthChanged)
    Q_PROPERTY(bool settingsPageShowLogs READ settingsPageShowLogs CONSTANT)

public:
    explicit Theme(QObject* parent = nullptr);

    QString generalBackgroundColor() const
    {
        return text(QStringLiteral("generalBackgroundColor"));
    }
    QString generalBackgroundImage() const
    {
        return resource(QStringLiteral("generalBackgroundImage"));
    }
    QString generalBrightLabelColor() const
    {
        return text(QStringLiteral("generalBrightLabelColor"));
    }
    QString generalButtonBackgroundColor() const
    {
        return text(QStringLiteral("generalButtonBackgroundColor"));
    }
    QString generalButtonBackgroundColorPressed() const
    {
        return text(QStringLiteral("generalButtonBackgroundColorPressed"));
    }
    QString generalButtonTextColor() const
    {
        return text(QStringLiteral("generalButtonTextColor"));
    }
    QString generalButtonTextColorPressed() const
    {
        return text(QStringLiteral("generalButtonTextColorPressed"));
    }
    QString generalDefaultLabelColor() const
    {
        return text(QStringLiteral("generalDefaultLabelColor"));
    }
    QString generalGreyLabelColor() const { return text(QStringLiteral("generalGreyLabelColor")); }
    QString generalGreyLabelOpacity() const
    {
        return text(QStringLiteral("generalGreyLabelOpacity"));
    }
    QString generalHeaderActiveColor() const
    {
        return text(QStringLiteral("generalHeaderActiveColor"));
    }
    QString generalHeaderBackgroundColor() const
    {
        return text(QStringLiteral("generalHeaderBackgroundColor"));
    }
    QString generalLabelOpacity() const { return text(QStringLiteral("generalLabelOpacity")); }
    QString generalListViewItemActiveColor() const
    {
        return text(QStringLiteral("generalListViewItemActiveColor"));
    }
    QString generalListViewItemBackgroundColor() const
    {
        return text(QStringLiteral("generalListViewItemBackgroundColor"));
    }
    QString generalListViewSeparatorColor() const
    {
        return text(QStringLiteral("generalListViewSeparatorColor"));
    }
    QString generalLogoFileName() const { return resource(QStringLiteral("generalLogoFileName")); }
    QString generalRadioButtonBackgroundColor() const
    {
        return text(QStringLiteral("generalRadioButtonBackgroundColor"));
    }
    QString generalRadioButtonBorderColor() const
    {
        return text(QStringLiteral("generalRadioButtonBorderColor"));
    }
    QString generalRadioButtonSelectedColor() const
    {
        return text(QStringLiteral("generalRadioButtonSelectedColor"));
    }
    QString generalSectionColor() const { return text(QStringLiteral("generalSectionColor")); }
    QString generalSmallGreyLabelOpacity() const
    {
        return text(QStringLiteral("generalSmallGreyLabelOpacity"));
    }
    QString generalSwitchBackgroundColor() const
    {
        return text(QStringLiteral("generalSwitchBackgroundColor"));
    }
    QString generalSwitchBackgroundColorChecked() const
    {
        return text(QStringLiteral("generalSwitchBackgroundColorChecked"));
    }
    QString generalSwitchIndicatorColor() const
    {
        return text(QStringLiteral("generalSwitchIndicatorColor"));
    }
    QString generalSwitchIndicatorColorChecked() const
    {
        return text(QStringLiteral("generalSwitchIndicatorColorChecked"));
    }
    QString generalTabBackgroundColor() const
    {
        return text(QStringLiteral("generalTabBackgroundColor"));
    }
    QString generalTabFontColor() const { return text(QStringLiteral("generalTabFontColor")); }
    QString generalTabNonSelectedColor() const
    {
        return text(QStringLiteral("generalTabNonSelectedColor"));
    }
    QString generalTabSelectedColor() const
    {
        return text(QStringLiteral("generalTabSelectedColor"));
    }
    QString generalTextFieldBorderColor() const
    {
        return text(QStringLiteral("generalTextFieldBorderColor"));
    }
    QString connectionPageCirclesColor() const
    {
        return text(QStringLiteral("connectionPageCirclesColor"));
    }
    QString connectionPageSettingsButtonBackgroundColor() const
    {
        return text(QStringLiteral("connectionPageSettingsButtonBackgroundColor"));
    }
    QString connectionPageSettingsButtonBackgroundColorPressed() const
    {
        return text(QStringLiteral("connectionPageSettingsButtonBackgroundColorPressed"));
    }
    QString connectionPageSettingsButtonIconColor() const
    {
        return text(QStringLiteral("connectionPageSettingsButtonIconColor"));
    }
    QString connectionPageSettingsButtonTextColor() const
    {
        return text(QStringLiteral("connectionPageSettingsButtonTextColor"));
    }
    QString connectionPageSettingsButtonTextColorPressed() const
    {
        return text(QStringLiteral("connectionPageSettingsButtonTextColorPressed"));
    }
    QString connectionPageVpnConnectedButtonGradientColor1() const
    {
        return text(QStringLiteral("connectionPageVpnConnectedButtonGradientColor1"));
    }
    QString connectionPageVpnConnectedButtonGradientColor2() const
    {
        return text(QStringLiteral("connectionPageVpnConnectedButtonGradientColor2"));
    }
    QString connectionPageVpnConnectedButtonGradientColor3() const
    {
        return text(QStringLiteral("connectionPageVpnConnectedButtonGradientColor3"));
    }
    QString connectionPageVpnDisconnectedButtonGradientColor1() const
    {
        return text(QStringLiteral("connectionPageVpnDisconnectedButtonGradientColor1"));
    }
    QString connectionPageVpnDisconnectedButtonGradientColor2() const
    {
        return text(QStringLiteral("connectionPageVpnDisconnectedButtonGradientColor2"));
    }
    QString connectionPageVpnDisconnectedButtonGradientColor3() const
    {
        return text(QStringLiteral("connectionPageVpnDisconnectedButtonGradientColor3"));
    }
    QString connectionPageVpnSwitchBackgroundColor() const
    {
        return text(QStringLiteral("connectionPageVpnSwitchBackgroundColor"));
    }
    QString connectionPageVpnSwitchLabelColor() const
    {
        return text(QStringLiteral("connectionPageVpnSwitchLabelColor"));
    }
    QString connectionPageVpnDurationBackgroundColor() const
    {
        return text(QStringLiteral("connectionPageVpnDurationBackgroundColor"));
    }
    QString connectionPageVpnDurationLabelColor() const
    {
        return text(QStringLiteral("connectionPageVpnDurationLabelColor"));
    }
    QString connectionPageVpnTimerLabelColor() const
    {
        return text(QStringLiteral("connectionPageVpnTimerLabelColor"));
    }
    QString settingsPageDefaultLabelColor1() const
    {
        return text(QStringLiteral("settingsPageDefaultLabelColor1"));
    }
    QString settingsPageDefaultLabelColor2() const
    {
        return text(QStringLiteral("settingsPageDefaultLabelColor2"));
    }
    QString settingsPageHeaderBackgroundColor() const
    {
        return text(QStringLiteral("settingsPageHeaderBackgroundColor"));
    }
    bool brandingEnabled() const { return m_brandingEnabled; }
    bool darkStyle() const { return m_darkStyle; }
    int scrollBarWidth() const { return 4; }
    bool settingsPageShowLogs() const;

    Q_INVOKABLE QString iconSource(const QString& iconName, bool useStyle) const;
    Q_INVOKABLE QString iconSource(const QString& iconName) const;
    Q_INVOKABLE QString updateResourceProperty(const QString& propertyName) const;
    Q_INVOKABLE bool load(const QString& url);
    Q_INVOKABLE bool save(const QString& url);

    QVector<ThemeProperty> themeProperties() const;
    QVector<ThemeProperty> themeSections() const;
    QString brandingFolder() const;

    // Pure rules behind the calls above.
    static QString iconSourceFor(const QString& iconName, bool useStyle, bool darkStyle);
    static QString resolveResource(const QString& value, const QString& brandingFolder);
    // Local image files are written relative to the branding folder.
    static QMap<QString, ThemeProperty> savedStyle(QMap<QString, ThemeProperty> properties);
    static QVector<ThemeProperty> sectionsOf(const QMap<QString, ThemeProperty>& properties);
    // true/false, yes/no, on/off or 1/0, in any case; false for anything else.
    static bool parseBool(const QString& text, bool* value);

signals:
    void generalBackgroundColorChanged(QString generalBackgroundColor);
    void generalBackgroundImageChanged(QString generalBackgroundImage);
    void generalBrightLabelColorChanged(QString generalBrightLabelColor);
    void generalButtonBackgroundColorChanged(QString generalButtonBackgroundColor);
    void generalButtonBackgroundColorPressedChanged(QString generalButtonBackgroundColorPressed);
    void generalButtonTextColorChanged(QString generalButtonTextColor);
    void generalButtonTextColorPressedChanged(QString generalButtonTextColorPressed);
    void generalDefaultLabelColorChanged(QString generalDefaultLabelColor);
    void generalGreyLabelColorChanged(QString generalGreyLabelColor);
    void generalGreyLabelOpacityChanged(QString generalGreyLabelOpacity);
    void generalHeaderActiveColorChanged(QString generalHeaderActiveColor);
    void generalHeaderBackgroundColorChanged(QString generalHeaderBackgroundColor);
    void generalLabelOpacityChanged(QString generalLabelOpacity);
    void generalListViewItemActiveColorChanged(QString generalListViewItemActiveColor);
    void generalListViewItemBackgroundColorChanged(QString generalListViewItemBackgroundColor);
    void generalListViewSeparatorColorChanged(QString generalListViewSeparatorColor);
    void generalLogoFileNameChanged(QString generalLogoFileName);
    void generalRadioButtonBackgroundColorChanged(QString generalRadioButtonBackgroundColor);
    void generalRadioButtonBorderColorChanged(QString generalRadioButtonBorderColor);
    void generalRadioButtonSelectedColorChanged(QString generalRadioButtonSelectedColor);
    void generalSectionColorChanged(QString generalSectionColor);
    void generalSmallGreyLabelOpacityChanged(QString generalSmallGreyLabelOpacity);
    void generalSwitchBackgroundColorChanged(QString generalSwitchBackgroundColor);
    void generalSwitchBackgroundColorCheckedChanged(QString generalSwitchBackgroundColorChecked);
    void generalSwitchIndicatorColorChanged(QString generalSwitchIndicatorColor);
    void generalSwitchIndicatorColorCheckedChanged(QString generalSwitchIndicatorColorChecked);
    void generalTabBackgroundColorChanged(QString generalTabBackgroundColor);
    void generalTabFontColorChanged(QString generalTabFontColor);
    void generalTabNonSelectedColorChanged(QString generalTabNonSelectedColor);
    void generalTabSelectedColorChanged(QString generalTabSelectedColor);
    void generalTextFieldBorderColorChanged(QString generalTextFieldBorderColor);
    void brandingEnabledChanged(bool brandingEnabled);
    void darkStyleChanged(bool darkStyle);
    void connectionPageCirclesColorChanged(QString connectionPageCirclesColor);
    void connectionPageSettingsButtonBackgroundColorChanged(
        QString connectionPageSettingsButtonBackgroundColor);
    void connectionPageSettingsButtonBackgroundColorPressedChanged(
        QString connectionPageSettingsButtonBackgroundColorPressed);
    void
    connectionPageSettingsButtonIconColorChanged(QString connectionPageSettingsButtonIconColor);
    void
    connectionPageSettingsButtonTextColorChanged(QString connectionPageSettingsButtonTextColor);
    void connectionPageSettingsButtonTextColorPressedChanged(
        QString connectionPageSettingsButtonTextColorPressed);
    void connectionPageVpnConnectedButtonGradientColor1Changed(
        QString connectionPageVpnConnectedButtonGradientColor1);
    void connectionPageVpnConnectedButtonGradientColor2Changed(
        QString connectionPageVpnConnectedButtonGradientColor2);
    void connectionPageVpnConnectedButtonGradientColor3Changed(
        QString connectionPageVpnConnectedButtonGradientColor3);
    void connectionPageVpnDisconnectedButtonGradientColor1Changed(
        QString connectionPageVpnDisconnectedButtonGradientColor1);
    void connectionPageVpnDisconnectedButtonGradientColor2Changed(
        QString connectionPageVpnDisconnectedButtonGradientColor2);
    void connectionPageVpnDisconnectedButtonGradientColor3Changed(
        QString connectionPageVpnDisconnectedButtonGradientColor3);
    void
    connectionPageVpnSwitchBackgroundColorChanged(QString connectionPageVpnSwitchBackgroundColor);
    void connectionPageVpnSwitchLabelColorChanged(QString connectionPageVpnSwitchLabelColor);
    void connectionPageVpnDurationBackgroundColorChanged(
        QString connectionPageVpnDurationBackgroundColor);
    void connectionPageVpnDurationLabelColorChanged(QString connectionPageVpnDurationLabelColor);
    void connectionPageVpnTimerLabelColorChanged(QString connectionPageVpnTimerLabelColor);
    void settingsPageDefaultLabelColor1Changed(QString settingsPageDefaultLabelColor1);
    void settingsPageDefaultLabelColor2Changed(QString settingsPageDefaultLabelColor2);
    void settingsPageHeaderBackgroundColorChanged(QString settingsPageHeaderBackgroundColor);
    void scrollBarWidthChanged(int scrollBarWidth);
    void themeDataChanged(bool loaded);

public slots:
    void themePropertyChanged(ThemeProperty themeProperty);

protected slots:
    void onBrandingFileChanged(QString fileName);

private:
    QString text(const QString& id) const;
    QString resource(const QString& id) const;
    QString defaultBrandingFilePath() const;
    void rebuildDefaults();
    void loadBrandingFile(const QString& path);
    void useLightDefaults();
    bool readBool(const QSettings& file, const QString& key, bool fallback) const;
    bool saveBrandingFile(const QString& path) const;
    // The image chosen for id, when it is a local file, as "resources/NAME" beside the file.
    bool copyImage(const QString& id, const QString& folder, const QString& name) const;
    void notify(bool loaded);

    bool m_brandingEnabled = true;
    bool m_darkStyle = false;
    QMap<QString, ThemeProperty> m_properties;
    QFileSystemWatcher m_watcher;
    QString m_brandingFile;
};
