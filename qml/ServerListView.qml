import QtQuick 2.12
import QtQuick.Controls 2.12
import ServerListFilter 1.0
import "controls"

Item {
    id: root
    property var serverModel
    property string searchPhrase
    // The phrase the rows filter by, set only after the model has expanded everything.
    property string appliedPhrase
    // Expansion reported by the model, kept here so that rows created later show it too.
    property var expandedIds: ({})
    // The tab's title, for screen readers.
    property string listName
    signal serverChosen()

    Connections {
        target: root.serverModel
        function onExpandableStateChanged(srvId, expand) {
            var ids = {}
            for (var id in root.expandedIds)
                ids[id] = root.expandedIds[id]
            ids[srvId] = expand
            root.expandedIds = ids
        }
        function onIsEmptyChanged(empty) { root.expandedIds = ({}) }
    }

    function applyPhrase() {
        if (appliedPhrase === searchPhrase)
            return
        if (serverModel.expandableModel())
            serverModel.expandAll()
        appliedPhrase = searchPhrase
    }

    onSearchPhraseChanged: if (visible) applyPhrase()
    onVisibleChanged: if (visible) applyPhrase()

    // Only the rows the phrase shows reach the view.
    ServerListFilter {
        id: shownRows
        sourceModel: root.serverModel
        phrase: root.appliedPhrase
    }

    ListView {
        id: list
        objectName: "ServerList"
        property Item hoveredRow: null
        anchors.fill: parent
        visible: shownRows.count > 0
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        model: shownRows

        ScrollBar.vertical: AScrollBar {}

        // One Tab stop for the whole list: the arrows walk the rows, Enter or Space picks one as
        // a click does, Right and Left open and close a country, F marks a favourite.
        activeFocusOnTab: true
        Accessible.role: Accessible.List
        Accessible.name: root.listName
        onCurrentIndexChanged: positionViewAtIndex(currentIndex, ListView.Contain)
        Keys.onReturnPressed: if (!event.isAutoRepeat && currentItem) currentItem.chosen()
        Keys.onEnterPressed: if (!event.isAutoRepeat && currentItem) currentItem.chosen()
        Keys.onSpacePressed: if (!event.isAutoRepeat && currentItem) currentItem.chosen()
        Keys.onRightPressed: if (currentItem) currentItem.setExpanded(true)
        Keys.onLeftPressed: if (currentItem) currentItem.setExpanded(false)
        Keys.onPressed: {
            if (event.key === Qt.Key_F && event.modifiers === Qt.NoModifier && currentItem) {
                currentItem.toggleFavorite()
                event.accepted = true
            }
        }

        delegate: ServerListItem {
            serverModel: root.serverModel
            serverId: model.Id
            favorite: model.Favorite
            serviceHeader: model.ServiceHeader
            serviceItem: model.ServiceItem
            label: model.Label
            flagSource: model.Flag
            expandable: model.Expandable
            starVisible: model.FavoriteIconVisible
            expanded: root.expandedIds[model.Id] === true
            onChosen: {
                list.currentIndex = index
                root.serverModel.updateCurrentServer(serverId)
                root.serverChosen()
            }
        }

        // Wheel steps of a fixed size, kept inside the content.
        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.NoButton
            onWheel: {
                var step = wheel.angleDelta.y / 8 / 15 * 20 * 3
                var maxY = Math.max(0, list.contentHeight - list.height)
                list.contentY = Math.max(0, Math.min(maxY, list.contentY - step))
            }
        }
    }

    AGreyLabel {
        objectName: "NoItems"
        anchors.centerIn: parent
        visible: shownRows.count === 0
        text: qsTr("No items to display")
    }
}
