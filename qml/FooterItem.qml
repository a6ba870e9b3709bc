import QtQuick 2.12

Item {
    signal settingsClicked()
    height: 50

    SettingsButton {
        objectName: "SettingsButton"
        anchors.fill: parent
        text: qsTr("Settings")
        onClicked: parent.settingsClicked()
    }
}
