import QtQuick 2.12
import "controls"

ASectionHeader {
    id: section
    title: qsTr("Startup")
    property alias launchOnStartup: launchSwitch.checked
    property alias connectToLastLocation: lastLocationSwitch.checked
    property alias autoReconnection: reconnectSwitch.checked
    property alias startMinimizedCombo: minimizedCombo

    function load() {
        launchSwitch.checked = settings.launchAppOnStartup
        lastLocationSwitch.checked = settings.connectToLastLocation
        reconnectSwitch.checked = settings.autoReconnectionOnError
        minimizedCombo.currentIndex = settings.startMinimized
    }

    function save() {
        settings.launchAppOnStartup = launchSwitch.checked
        settings.connectToLastLocation = lastLocationSwitch.checked
        settings.autoReconnectionOnError = reconnectSwitch.checked
        settings.startMinimized = minimizedCombo.currentIndex
    }

    ASwitch {
        id: launchSwitch
        width: parent.width
        text: qsTr("Launch %1 on %2 startup").arg(settings.titleName()).arg(settings.osName())
    }
    ASwitch {
        id: lastLocationSwitch
        width: parent.width
        text: qsTr("Connect to the last used location when %1 is launched").arg(settings.titleName())
    }
    ASwitch {
        id: reconnectSwitch
        width: parent.width
        text: qsTr("Re-establish VPN connection if disconnected or dropped")
    }
    Item {
        width: parent.width
        height: minimizedCombo.height

        ALabel {
            anchors.verticalCenter: parent.verticalCenter
            text: qsTr("Start minimized")
        }
        AComboBox {
            id: minimizedCombo
            objectName: "StartMinimizedCombo"
            anchors.right: parent.right
            Accessible.name: qsTr("Start minimized")
            model: [qsTr("Disabled"), qsTr("To systray"), qsTr("To taskbar")]
            onActivated: settings.startMinimized = index
        }
    }
}
