import QtQuick 2.12

// A hand cursor and hover tracking over a clickable row.
MouseArea {
    hoverEnabled: true
    cursorShape: Qt.PointingHandCursor
}
