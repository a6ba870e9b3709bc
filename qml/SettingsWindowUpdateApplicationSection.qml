import QtQuick 2.12
import "controls"

ASectionHeader {
    title: qsTr("Auto Update")
    property alias autoUpdate: updateSwitch.checked

    function load() {
        updateSwitch.checked = settings.autoUpdateEnabled
    }

    function save() {
        settings.autoUpdateEnabled = updateSwitch.checked
    }

    ASwitch {
        id: updateSwitch
        width: parent.width
        text: qsTr("Automatically update application")
    }
}
