import QtQuick 2.12

Rectangle {
    property alias text: label.text
    height: 50
    color: "red"
    opacity: 0.95

    ALabel {
        id: label
        anchors.centerIn: parent
        color: "white"
        font.family: FontFactory.poppinsBold.name
        font.bold: true
        font.pixelSize: 14
    }
}
