import QtQuick 2.12
import "controls"

Item {
    id: info
    signal serverListRequested()
    property string locationText: serverListModel.locationText
    property string locationImageSource: serverListModel.locationImageSource
    height: 50

    function takeServer(model, ip) {
        locationText = model.locationText
        locationImageSource = model.locationImageSource
        vpnCore.setVpnServerIp(ip, locationText)
    }

    Connections {
        target: recomendedServersModel
        function onServerIpChanged(ip) { info.takeServer(recomendedServersModel, ip) }
    }
    Connections {
        target: recentServersModel
        function onServerIpChanged(ip) { info.takeServer(recentServersModel, ip) }
    }
    Connections {
        target: serverListModel
        function onServerIpChanged(ip) { info.takeServer(serverListModel, ip) }
        function onSearchCountry(countryCode, locationImageSource) {
            info.locationText = vpnCore.bestStringForCountry(countryCode)
            info.locationImageSource = locationImageSource
            vpnCore.setSearchModeForCountry(countryCode)
        }
    }

    Item {
        id: locationHalf
        width: parent.width / 2
        height: parent.height

        AGreyLabel {
            id: locationCaption
            x: 20
            text: qsTr("Server location")
            font.pixelSize: 12
        }

        Row {
            x: 20
            anchors.top: locationCaption.bottom
            anchors.topMargin: 2
            spacing: 6

            FlagItem {
                objectName: "LocationItem"
                imageSource: info.locationImageSource
                text: info.locationText
                label.font.family: FontFactory.poppinsBold.name
                label.elide: Text.ElideRight
                label.width: Math.min(label.implicitWidth, locationHalf.width - 50)
            }

            AIcon {
                anchors.verticalCenter: parent.verticalCenter
                width: 8
                height: 4
                name: "droparrow"
            }
        }

        ExtendedMouseArea {
            objectName: "LocationArea"
            anchors.fill: parent
            onClicked: info.serverListRequested()
        }

        activeFocusOnTab: true
        Accessible.role: Accessible.Button
        Accessible.name: qsTr("Server location")
        Accessible.description: info.locationText
        Accessible.onPressAction: info.serverListRequested()
        Keys.onReturnPressed: if (!event.isAutoRepeat) info.serverListRequested()
        Keys.onEnterPressed: if (!event.isAutoRepeat) info.serverListRequested()
        Keys.onSpacePressed: if (!event.isAutoRepeat) info.serverListRequested()

        AFocusFrame {
            shown: locationHalf.activeFocus
            anchors.leftMargin: 12
        }
    }

    Grid {
        anchors.right: parent.right
        anchors.rightMargin: 20
        columns: 2
        columnSpacing: 20
        rowSpacing: 2

        AGreyLabel {
            text: qsTr("Downloaded")
            font.pixelSize: 12
        }
        AGreyLabel {
            text: qsTr("Uploaded")
            font.pixelSize: 12
        }
        ABrightLabel {
            objectName: "DownloadedValue"
            text: vpnCore.downloaded
            font.family: FontFactory.poppinsBold.name
            opacity: text === "0" ? 0.4 : 1.0
        }
        ABrightLabel {
            objectName: "UploadedValue"
            text: vpnCore.uploaded
            font.family: FontFactory.poppinsBold.name
            opacity: text === "0" ? 0.4 : 1.0
        }
    }
}
