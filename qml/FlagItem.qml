import QtQuick 2.12
import "controls"

// A flag at half the label's height, 5 pixels before the label.
Item {
    id: flagItem
    property alias imageSource: flag.source
    property alias text: label.text
    property alias label: label
    implicitWidth: (flag.visible ? flag.width + 5 : 0) + label.implicitWidth
    implicitHeight: label.implicitHeight

    Image {
        id: flag
        anchors.verticalCenter: parent.verticalCenter
        height: Math.round(label.height / 2)
        width: Math.round(height * 16 / 11)
        fillMode: Image.PreserveAspectCrop
        visible: source != ""
    }

    ABrightLabel {
        id: label
        anchors.left: flag.visible ? flag.right : parent.left
        anchors.leftMargin: flag.visible ? 5 : 0
        anchors.verticalCenter: parent.verticalCenter
    }
}
