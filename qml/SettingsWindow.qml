import QtQuick 2.12
import QtQuick.Controls 2.12
import QtQuick.Controls.Universal 2.12
import QtQuick.Layouts 1.12
import QtQuick.Window 2.12
import "controls"

Window {
    id: settingsWindow
    objectName: "SettingsWindow"
    property alias currentTab: tabBar.currentIndex
    width: 600
    height: qmlApp.windowHeight()
    minimumWidth: width
    maximumWidth: width
    minimumHeight: height
    maximumHeight: height
    title: settings.titleName()
    color: uiStyle.generalBackgroundColor
    flags: Qt.Window | Qt.WindowTitleHint | Qt.CustomizeWindowHint | Qt.WindowSystemMenuHint
           | Qt.WindowCloseButtonHint
    // The style's own parts (pop-ups, menus, dialogs) take the theme's light or dark palette.
    Universal.theme: uiStyle.darkStyle ? Universal.Dark : Universal.Light
    Universal.foreground: uiStyle.generalDefaultLabelColor
    Universal.background: uiStyle.generalBackgroundColor
    Universal.accent: uiStyle.generalTabSelectedColor

    function loadSettings() {
        authSection.load()
        startupSection.load()
        killSwitchSection.load()
        miscSection.load()
        protocolSection.load()
        mtuSection.load()
        updateSection.load()
    }

    function saveGeneralSettings() {
        startupSection.save()
        killSwitchSection.save()
        miscSection.save()
        protocolSection.save()
        settings.mtuSize = mtuSection.mtuSize()
        updateSection.save()
        settings.saveGeneralSettings()
        vpnCore.setAutoReconnectionOnError(settings.autoReconnectionOnError)
        logger.qmlLog(settingsWindow.objectName, "Settings saved")
    }

    onVisibleChanged: {
        if (visible)
            authSection.load()
        else
            saveGeneralSettings()
    }

    Component.onCompleted: loadSettings()

    // Tab may land on a row outside the page's view: scroll it in.
    onActiveFocusItemChanged: {
        var focused = activeFocusItem
        for (var page = focused; page; page = page.parent) {
            if (page !== generalPage && page !== advancedPage)
                continue
            var top = focused.mapToItem(page.contentItem, 0, 0).y - 10
            var bottom = top + focused.height + 20
            if (top < page.contentY)
                page.contentY = Math.max(0, top)
            else if (bottom > page.contentY + page.height)
                page.contentY = Math.min(page.contentHeight - page.height, bottom - page.height)
            return
        }
    }

    // Escape bubbles up from whichever control has the focus.
    Item {
        anchors.fill: parent
        focus: true
        Keys.onEscapePressed: settingsWindow.hide()

    SettingsWindowTabBar {
        id: tabBar
        objectName: "SettingsWindowTabBar"
        width: parent.width
    }

    StackLayout {
        anchors.top: tabBar.bottom
        anchors.bottom: parent.bottom
        width: parent.width
        currentIndex: tabBar.currentIndex

        Flickable {
            id: generalPage
            objectName: "GeneralPage"
            contentHeight: generalColumn.height + 40
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: AScrollBar { objectName: "GeneralScrollBar" }

            Column {
                id: generalColumn
                y: 20
                width: parent.width
                spacing: 20

                SettingsWindowAuthSection { id: authSection; objectName: "AuthSection" }
                SettingsWindowStartupSection { id: startupSection; objectName: "StartupSection" }
                SettingsWindowKillSwitchSection { id: killSwitchSection; objectName: "KillSwitchSection" }
                SettingsWindowMiscellaneousSection {
                    id: miscSection
                    objectName: "MiscellaneousSection"
                    startMinimizedCombo: startupSection.startMinimizedCombo
                }
            }
        }

        Flickable {
            id: advancedPage
            objectName: "AdvancedPage"
            contentHeight: advancedColumn.height + 40
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: AScrollBar {}

            Column {
                id: advancedColumn
                y: 20
                width: parent.width
                spacing: 20

                SettingsWindowProtocolSection { id: protocolSection; objectName: "ProtocolSection" }
                SettingsWindowMtuSection { id: mtuSection; visible: false }
                SettingsWindowUpdateApplicationSection { id: updateSection }
                SettingsWindowShowLogsSection { objectName: "ShowLogsSection" }
            }
        }
    }
    }
}
