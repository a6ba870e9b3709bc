import QtQuick 2.12

Rectangle {
    property alias text: label.text
    height: 50
    // A red that white text keeps 4.5:1 on.
    color: "#c62828"
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
