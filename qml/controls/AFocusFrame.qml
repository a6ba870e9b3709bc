import QtQuick 2.12

// The keyboard's focus ring around its parent. The label colour stands out from every background
// of both themes, as the theme's texts must.
Rectangle {
    objectName: "FocusFrame"
    property bool shown: false
    // How far the ring lies outside its parent; negative values draw it inside.
    property real spread: 3
    anchors.fill: parent
    anchors.margins: -spread
    radius: 4
    color: "transparent"
    border.width: 2
    border.color: uiStyle.generalDefaultLabelColor
    visible: shown
}
