import QtQuick 2.12
import "controls"

Rectangle {
    id: row
    property var serverModel
    property string serverId
    property bool favorite
    property bool serviceHeader
    property bool serviceItem
    property string label
    property string flagSource
    property bool expandable
    property bool starVisible
    property bool expanded: false
    // Only the row the pointer entered last shows the hover: a row shown or moved under a resting
    // pointer can believe it holds the mouse and never hear that the pointer left.
    readonly property bool hovered: ListView.view !== null && ListView.view.hoveredRow === row
    // The list hands its focus to the current row and moves it with the arrows.
    readonly property bool keyboardCurrent: activeFocus
    signal chosen()

    function setExpanded(expand) {
        if (expandable && expand !== expanded)
            serverModel.expandCurrentItem(serverId, expand)
    }

    function toggleFavorite() {
        if (starVisible)
            qmlApp.setFavorite(serverId, !favorite)
    }

    Accessible.role: Accessible.ListItem
    Accessible.name: label
    Accessible.selectable: true
    Accessible.focusable: true
    Accessible.focused: keyboardCurrent
    Accessible.onPressAction: chosen()

    width: ListView.view ? ListView.view.width : 0
    height: 57
    color: body.pressed ? uiStyle.generalListViewItemActiveColor
                        : hovered ? uiStyle.generalListViewSeparatorColor
                                  : uiStyle.generalListViewItemBackgroundColor

    ExtendedMouseArea {
        id: body
        anchors.fill: parent
        onClicked: row.chosen()
        onContainsMouseChanged: {
            if (containsMouse)
                row.ListView.view.hoveredRow = row
            else if (row.hovered)
                row.ListView.view.hoveredRow = null
        }
    }

    Item {
        id: expander
        // Servers under a country keep the cell without its arrow, so their names stay in line.
        width: row.serverModel && row.serverModel.expandableModel() && !row.serviceItem ? 40 : 10
        height: parent.height

        AIcon {
            objectName: "ExpandArrow"
            anchors.centerIn: parent
            width: 8
            height: 4
            visible: row.expandable
            name: row.expanded ? "droparrow" : "uparrow"
        }

        MouseArea {
            objectName: "Expander"
            anchors.fill: parent
            enabled: row.expandable
            cursorShape: Qt.PointingHandCursor
            onClicked: row.setExpanded(!row.expanded)
        }

        Accessible.role: Accessible.Button
        Accessible.name: row.expanded ? qsTr("Collapse") : qsTr("Expand")
        Accessible.ignored: !row.expandable
        Accessible.onPressAction: row.setExpanded(!row.expanded)
    }

    Image {
        id: flag
        anchors.left: expander.right
        anchors.leftMargin: row.serviceItem ? 53 : 0
        anchors.verticalCenter: parent.verticalCenter
        width: 20
        height: 14
        fillMode: Image.PreserveAspectCrop
        visible: !row.serviceHeader
        source: row.flagSource
    }

    ABrightLabel {
        anchors.left: row.serviceHeader ? expander.right : flag.right
        anchors.leftMargin: row.serviceHeader ? (row.serviceItem ? 53 : 0) : 10
        anchors.right: star.left
        anchors.verticalCenter: parent.verticalCenter
        elide: Text.ElideRight
        font.pixelSize: 14
        text: row.label
    }

    AIcon {
        id: star
        objectName: "FavoriteIcon"
        anchors.right: parent.right
        anchors.rightMargin: 20
        anchors.verticalCenter: parent.verticalCenter
        width: 16
        height: 16
        visible: row.starVisible
        name: row.favorite ? "favorite_selected" : "favorite"
        styled: !row.favorite

        MouseArea {
            anchors.fill: parent
            anchors.margins: -6
            cursorShape: Qt.PointingHandCursor
            onClicked: row.toggleFavorite()
        }

        Accessible.role: Accessible.Button
        Accessible.name: row.favorite ? qsTr("Remove from favorites") : qsTr("Add to favorites")
        Accessible.ignored: !row.starVisible
        Accessible.onPressAction: row.toggleFavorite()
    }

    Rectangle {
        anchors.bottom: parent.bottom
        width: parent.width
        height: 1
        color: uiStyle.generalListViewSeparatorColor
    }

    AFocusFrame {
        shown: row.keyboardCurrent
        spread: -2
    }
}
