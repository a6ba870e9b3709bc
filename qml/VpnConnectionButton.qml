import QtQuick 2.12
import QtQuick.Controls 2.12
import ConnectionState 1.0
import "controls"

Item {
    id: root
    objectName: "VpnConnectionButton"
    readonly property bool connected: vpnCore.connectionState === ConnectionState.Connected
    // What a press will do, for screen readers: the tray's words where it has them.
    readonly property string actionName: {
        switch (vpnCore.connectionState) {
        case ConnectionState.Preparing:
        case ConnectionState.Connecting:
            return qsTr("Cancel")
        case ConnectionState.Connected:
        case ConnectionState.Reconnecting:
            return qsTranslate("Application", "Disconnect")
        case ConnectionState.Disconnecting:
            return qsTr("Disconnection in progress...")
        default:
            return qsTranslate("Application", "Connect")
        }
    }
    height: 300

    // The click decision, also taken for the tray's connect action.
    function triggerVpnState() {
        if (qmlApp.themeEditorMode())
            return
        switch (vpnCore.connectionState) {
        case ConnectionState.Disconnected:
            vpnCore.connectToVpn()
            break
        case ConnectionState.Preparing:
        case ConnectionState.Connecting:
        case ConnectionState.Connected:
        case ConnectionState.Reconnecting:
            vpnCore.disconnectFromVpn()
            break
        case ConnectionState.Disconnecting:
            stateToolTip.show(qsTr("Disconnection in progress..."))
            break
        default:
            break
        }
    }

    Connections {
        target: vpnCore
        function onVpnConnectionErrorTextChanged(text) {
            if (text !== "")
                errorToolTip.show(text, 5000)
        }
        function onVpnConnectedChanged(connected) { errorToolTip.hide() }
    }

    Rectangle {
        id: circle
        objectName: "VpnButtonCircle"
        anchors.centerIn: parent
        width: 200
        height: 200
        radius: 100
        opacity: area.pressed ? 0.75 : 1.0
        gradient: Gradient {
            GradientStop {
                position: 0.10
                color: root.connected ? uiStyle.connectionPageVpnConnectedButtonGradientColor1
                                      : uiStyle.connectionPageVpnDisconnectedButtonGradientColor1
            }
            GradientStop {
                position: 0.4
                color: root.connected ? uiStyle.connectionPageVpnConnectedButtonGradientColor2
                                      : uiStyle.connectionPageVpnDisconnectedButtonGradientColor2
            }
            GradientStop {
                position: 1.00
                color: root.connected ? uiStyle.connectionPageVpnConnectedButtonGradientColor3
                                      : uiStyle.connectionPageVpnDisconnectedButtonGradientColor3
            }
        }

        Rectangle {
            objectName: "SwitchOnDisc"
            anchors.centerIn: parent
            width: 156
            height: 156
            radius: 78
            color: uiStyle.connectionPageVpnSwitchBackgroundColor
            visible: !root.connected

            Column {
                anchors.centerIn: parent
                spacing: 5

                Image {
                    anchors.horizontalCenter: parent.horizontalCenter
                    width: 48
                    height: 48
                    source: "qrc:/resources/icons/greenswitch.png"
                }
                ALabel {
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: qsTr("SWITCH ON")
                    color: uiStyle.connectionPageVpnSwitchLabelColor
                    font.family: FontFactory.poppinsBold.name
                    font.bold: true
                    font.pixelSize: 12
                }
            }
        }

        Item {
            objectName: "SwitchOffDisc"
            anchors.centerIn: parent
            width: 155
            height: 155
            visible: root.connected

            // Two half discs: a clipped upper half over the full lower disc.
            Rectangle {
                anchors.fill: parent
                radius: width / 2
                color: uiStyle.connectionPageVpnSwitchBackgroundColor
            }
            Item {
                width: parent.width
                height: parent.height / 2
                clip: true

                Rectangle {
                    width: parent.width
                    height: parent.width
                    radius: width / 2
                    color: uiStyle.connectionPageVpnDurationBackgroundColor
                }
                Column {
                    anchors.centerIn: parent
                    anchors.verticalCenterOffset: 6
                    spacing: 2

                    Image {
                        anchors.horizontalCenter: parent.horizontalCenter
                        width: 32
                        height: 32
                        source: "qrc:/resources/icons/redswitch.png"
                    }
                    ALabel {
                        anchors.horizontalCenter: parent.horizontalCenter
                        text: qsTr("SWITCH OFF")
                        // The switch label colour belongs to the disconnected look.
                        color: uiStyle.connectionPageVpnDurationLabelColor
                        font.family: FontFactory.poppinsBold.name
                        font.bold: true
                        font.pixelSize: 12
                    }
                }
            }
            Column {
                y: parent.height / 2 + 8
                anchors.horizontalCenter: parent.horizontalCenter

                ALabel {
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: qsTr("DURATION")
                    color: uiStyle.connectionPageVpnDurationLabelColor
                    font.pixelSize: 11
                }
                ALabel {
                    objectName: "OnlineTime"
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: vpnCore.vpnOnlineTime
                    color: uiStyle.connectionPageVpnTimerLabelColor
                    font.family: FontFactory.poppinsBold.name
                    font.bold: true
                    font.pixelSize: 16
                }
            }
        }

        RoundMouseArea {
            id: area
            objectName: "VpnButtonArea"
            anchors.fill: parent
            enabled: root.enabled
            onClicked: root.triggerVpnState()
        }

        activeFocusOnTab: true
        Accessible.role: Accessible.Button
        Accessible.name: root.actionName
        Accessible.onPressAction: root.triggerVpnState()
        Keys.onReturnPressed: if (!event.isAutoRepeat) root.triggerVpnState()
        Keys.onEnterPressed: if (!event.isAutoRepeat) root.triggerVpnState()
        Keys.onSpacePressed: if (!event.isAutoRepeat) root.triggerVpnState()

        AFocusFrame {
            shown: circle.activeFocus
            spread: 5
            radius: width / 2
        }
    }

    AToolTip {
        id: stateToolTip
        objectName: "VpnStateToolTip"
        x: (root.width - width) / 2
        y: circle.y + circle.height + 5
        timeout: 3000
    }

    AToolTip {
        id: errorToolTip
        objectName: "VpnErrorToolTip"
        x: (root.width - width) / 2
        y: circle.y + circle.height + 5
    }
}
