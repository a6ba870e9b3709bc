import QtQuick 2.12
import "controls"

Column {
    spacing: 2

    AGreyLabel {
        objectName: "CurrentIpInfo"
        anchors.horizontalCenter: parent.horizontalCenter
        text: vpnCore.currentIpInfoText
    }

    FlagItem {
        objectName: "CurrentIp"
        anchors.horizontalCenter: parent.horizontalCenter
        imageSource: vpnCore.currentLocationImageSource
        text: vpnCore.currentIp
        label.font.family: FontFactory.poppinsBold.name
        label.font.pixelSize: 15
    }
}
