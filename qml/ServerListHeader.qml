import QtQuick 2.12
import "controls"

Rectangle {
    id: header
    signal closeClicked()
    property alias searchPhrase: searchField.text
    property alias searchField: searchField
    height: 50
    color: uiStyle.generalHeaderBackgroundColor

    ACloseButton {
        id: closeButton
        objectName: "ServerListCloseButton"
        x: 20
        anchors.verticalCenter: parent.verticalCenter
        onClicked: header.closeClicked()
    }

    ALabel {
        anchors.left: closeButton.right
        anchors.leftMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        text: qsTr("Serverlist")
        font.family: FontFactory.poppinsBold.name
        font.pixelSize: 15
    }

    ASearchField {
        id: searchField
        objectName: "ServerSearchField"
        width: 180
        anchors.right: parent.right
        anchors.rightMargin: 20
        anchors.verticalCenter: parent.verticalCenter
    }

    Rectangle {
        anchors.bottom: parent.bottom
        width: parent.width
        height: 2
        color: uiStyle.generalTabNonSelectedColor
    }
}
