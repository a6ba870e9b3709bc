import QtQuick 2.12

// A labelled text field on one settings row.
Item {
    property alias label: caption.text
    property alias text: input.text
    property alias field: input
    property alias echoMode: input.echoMode
    width: parent ? parent.width : 0
    height: 36

    ALabel {
        id: caption
        anchors.verticalCenter: parent.verticalCenter
        width: 140
    }

    ATextField {
        id: input
        accessibleName: caption.text
        anchors.left: caption.right
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
    }
}
