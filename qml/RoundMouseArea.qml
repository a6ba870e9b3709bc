import QtQuick 2.12

// Takes only presses inside the inscribed circle, so the corners of the square stay inert.
MouseArea {
    id: area
    readonly property bool containsMouseInCircle: containsMouse && insideCircle(mouseX, mouseY)
    hoverEnabled: true
    cursorShape: containsMouseInCircle ? Qt.PointingHandCursor : Qt.ArrowCursor

    function insideCircle(px, py) {
        var radius = Math.min(width, height) / 2
        var dx = px - width / 2
        var dy = py - height / 2
        return dx * dx + dy * dy < radius * radius
    }

    onPressed: mouse.accepted = insideCircle(mouse.x, mouse.y)
}
