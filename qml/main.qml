import QtQuick 2.12
import QtQuick.Controls 2.12
import QtQuick.Controls.Universal 2.12
import QtQuick.Window 2.12
import DashCircle 1.0
import "controls"

ApplicationWindow {
    id: mainWindow
    objectName: "MainWindow"
    property var themeWindow: null
    width: 400
    height: qmlApp.windowHeight()
    minimumWidth: width
    maximumWidth: width
    minimumHeight: height
    maximumHeight: height
    title: settings.titleName()
    visible: false
    color: uiStyle.generalBackgroundColor
    flags: Qt.Window | Qt.WindowTitleHint | Qt.CustomizeWindowHint | Qt.WindowSystemMenuHint
           | Qt.WindowCloseButtonHint | Qt.WindowMinimizeButtonHint
    // The style's own parts (pop-ups, menus, dialogs) take the theme's light or dark palette.
    Universal.theme: uiStyle.darkStyle ? Universal.Dark : Universal.Light
    Universal.foreground: uiStyle.generalDefaultLabelColor
    Universal.background: uiStyle.generalBackgroundColor
    Universal.accent: uiStyle.generalTabSelectedColor

    function raiseMainWindow() {
        mainWindow.visible = true
        mainWindow.raise()
        mainWindow.requestActivate()
        mainWindow.showNormal()
    }

    // The settings and server windows are built when first opened: nothing on the first frame's
    // path that can wait.
    function settingsWindow() {
        settingsLoader.active = true
        return settingsLoader.item
    }

    function serverListWindow() {
        if (!serverListLoader.item) {
            serverListLoader.setSource("ServerListWindow.qml", {
                "parent": Overlay.overlay,
                "y": header.height,
                "width": mainWindow.width,
                "height": mainWindow.height - header.height - footer.height
            })
        }
        return serverListLoader.item
    }

    function raiseSettingsWindow() {
        raiseMainWindow()
        var window = settingsWindow()
        if (window.visibility === Window.Windowed)
            return
        if (window.visibility === Window.Minimized) {
            window.visibility = Window.Windowed
            return
        }
        window.x = Math.max(0, mainWindow.x + (mainWindow.width - window.width) / 2)
        window.y = Math.max(0, mainWindow.y + (mainWindow.height - window.height) / 2)
        window.show()
    }

    function triggerVpnState() {
        connectionButton.triggerVpnState()
    }

    function setCriticalServiceError() {
        connectionButton.enabled = false
        criticalServiceError.visible = true
    }

    function saveUnsavedData() {
        if (settingsLoader.item && settingsLoader.item.visible)
            settingsLoader.item.saveGeneralSettings()
    }

    function openServerList() {
        serverListWindow().open()
    }

    onClosing: {
        // The client keeps running in the tray.
        if (qmlApp.desktopSessionUbuntu()) {
            close.accepted = false
            mainWindow.showMinimized()
        }
        qmlApp.scheduleMinimizedMessage()
    }

    Component.onCompleted: {
        x = (Screen.width - width) / 2
        y = (Screen.height - height) / 2
        if (qmlApp.themeEditorMode()) {
            var component = Qt.createComponent("ThemeWindow.qml")
            if (component.status === Component.Error) {
                logger.qmlLog(objectName, "Error loading component: " + component.errorString())
                return
            }
            themeWindow = component.createObject(mainWindow.contentItem, {"visible": true})
        }
    }

    Shortcut {
        sequence: "Ctrl+S"
        onActivated: mainWindow.raiseSettingsWindow()
    }
    Shortcut {
        sequence: "Ctrl+L"
        onActivated: logger.openLogFolder()
    }
    Shortcut {
        sequence: "Ctrl+A"
        onActivated: mainWindow.openServerList()
    }

    Connections {
        target: vpnCore
        function onKillSwitchEventActivated() { killSwitchDialog.open() }
    }

    Image {
        anchors.fill: parent
        source: uiStyle.generalBackgroundImage
        fillMode: Image.PreserveAspectCrop
    }

    HeaderItem {
        id: header
        objectName: "HeaderItem"
        width: parent.width
    }

    Column {
        id: page
        width: parent.width
        topPadding: 65

        Item {
            id: square
            width: page.width
            height: page.width

            DashCircle {
                anchors.centerIn: parent
                width: square.width - 5
                height: square.height - 5
                color: uiStyle.connectionPageCirclesColor
            }
            DashCircle {
                anchors.centerIn: parent
                width: 290
                height: 290
                color: uiStyle.connectionPageCirclesColor
            }

            VpnConnectionInfo {
                id: connectionInfo
                objectName: "VpnConnectionInfo"
                width: parent.width
                y: -10
                onServerListRequested: mainWindow.openServerList()
            }

            VpnConnectionButton {
                id: connectionButton
                width: parent.width
                anchors.centerIn: parent
            }

            CurrentIpItem {
                objectName: "CurrentIpItem"
                anchors.horizontalCenter: parent.horizontalCenter
                anchors.top: parent.bottom
                anchors.topMargin: 15
            }
        }
    }

    FooterItem {
        id: footer
        objectName: "FooterItem"
        anchors.bottom: parent.bottom
        width: parent.width
        onSettingsClicked: mainWindow.raiseSettingsWindow()
    }

    ACriticalErrorArea {
        id: criticalServiceError
        objectName: "CriticalServiceError"
        width: parent.width
        z: 10
        visible: false
        text: qsTr("System service is not running!")
    }

    Loader {
        id: serverListLoader
    }

    Dialog {
        id: killSwitchDialog
        objectName: "KillSwitchDialog"
        parent: Overlay.overlay
        anchors.centerIn: parent
        width: mainWindow.width - 40
        modal: true
        title: qsTr("Killswitch event")
        standardButtons: Dialog.Ok
        // Keys go to the dialog while it is up; Tab reaches OK, and only OK lets go.
        focus: true

        footer: DialogButtonBox {
            id: killSwitchButtons
            visible: count > 0
            // The style's own button, with Enter and a name.
            delegate: Button {
                width: killSwitchButtons.count === 1 ? killSwitchButtons.availableWidth / 2 : undefined
                Accessible.role: Accessible.Button
                Accessible.name: text
                Keys.onReturnPressed: if (!event.isAutoRepeat) clicked()
                Keys.onEnterPressed: if (!event.isAutoRepeat) clicked()
            }
        }
        Overlay.modal: Rectangle { color: "#33000000" }

        Row {
            spacing: 12

            Text {
                text: "\u26a0"
                // Amber that keeps 3:1 against the dialog in either theme.
                color: uiStyle.darkStyle ? "#f5b301" : "#a86500"
                font.pixelSize: 24
            }
            ALabel {
                text: qsTr("Connection to Internet is blocked")
            }
        }

        // Only the user's OK lets go; Escape or a click beside the dialog keeps the protection.
        onAccepted: {
            logger.qmlLog(mainWindow.objectName, "Restore connection to Internet")
            vpnCore.disableKillSwitch()
        }
    }

    Loader {
        id: settingsLoader
        active: false
        source: "SettingsWindow.qml"
    }
}
