import QtQuick 2.12
import "controls"

ASectionHeader {
    title: qsTr("Show logs")
    visible: uiStyle.settingsPageShowLogs

    Item {
        width: parent.width
        height: logsButton.height

        ALabel {
            anchors.left: parent.left
            anchors.right: logsButton.left
            anchors.verticalCenter: parent.verticalCenter
            wrapMode: Text.WordWrap
            text: qsTr("Show logs collected by application")
        }
        AButton {
            id: logsButton
            anchors.right: parent.right
            text: qsTr("Show logs folder")
            onClicked: logger.openLogFolder()
        }
    }
}
