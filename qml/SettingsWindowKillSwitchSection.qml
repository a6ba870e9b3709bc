import QtQuick 2.12
import "controls"

ASectionHeader {
    id: section
    title: qsTr("Kill switch")
    property bool loading: true
    property alias killSwitchEnabled: killSwitch.checked
    property alias localAccessEnabled: localAccess.checked

    function load() {
        loading = true
        killSwitch.checked = settings.killswitchEnabled
        // Without the lock local access is off, as turning the lock off makes it.
        localAccess.checked = settings.killswitchEnabled && settings.allowAccessToLocalDevices
        loading = false
    }

    function save() {
        settings.killswitchEnabled = killSwitch.checked
        settings.allowAccessToLocalDevices = localAccess.checked
    }

    ASwitch {
        id: killSwitch
        objectName: "KillSwitch"
        width: parent.width
        text: qsTr("Enable Network lock (Internet kill switch). Available only for OpenVPN")
        // Local access only makes sense behind the lock, so it follows the lock both ways.
        onCheckedChanged: if (!section.loading) localAccess.checked = checked
    }
    ASmallGreyLabel {
        width: parent.width
        text: qsTr("Network Lock ensures your Internet traffic goes through %1 secure tunnel").arg(settings.titleName())
              + "\n" + qsTr("and stops all traffic if %1 disconnects unexpectedly").arg(settings.titleName())
    }
    ASwitch {
        id: localAccess
        objectName: "LocalAccessSwitch"
        width: parent.width
        enabled: killSwitch.checked
        text: qsTr("Allow access to local network devices such as shares printers")
    }
}
