import QtQuick 2.12

// A pointing-hand cursor over its parent, without taking its clicks.
MouseArea {
    anchors.fill: parent
    acceptedButtons: Qt.NoButton
    cursorShape: Qt.PointingHandCursor
}
