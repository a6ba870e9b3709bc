import QtQuick 2.12
import QtQuick.Controls 2.12
import QtQuick.Layouts 1.12
import "controls"

Dialog {
    id: dialog
    objectName: "ServerListWindow"
    property alias currentTab: tabBar.currentIndex
    property alias searchPhrase: header.searchPhrase
    modal: true
    focus: true
    padding: 0
    topPadding: 0
    bottomPadding: 0
    closePolicy: Popup.CloseOnEscape

    background: Rectangle { color: uiStyle.generalBackgroundColor }
    // The dark style's own dim is a light veil, which washes out the service band: darken in both.
    Overlay.modal: Rectangle { color: "#33000000" }

    Item {
        id: content
        anchors.fill: parent
        focus: true

        // Digits switch tabs unless the search field took them as text.
        Keys.onPressed: {
            var tabs = {"1": 0, "2": 1, "3": 2}
            if (event.text in tabs) {
                tabBar.currentIndex = tabs[event.text]
                event.accepted = true
            }
        }

        ServerListHeader {
            id: header
            width: parent.width
            onCloseClicked: dialog.close()
        }

        ServerlistTabBar {
            id: tabBar
            objectName: "ServerlistTabBar"
            anchors.top: header.bottom
            anchors.horizontalCenter: parent.horizontalCenter
            width: parent.width - 40
        }

        StackLayout {
            anchors.top: tabBar.bottom
            anchors.topMargin: 5
            anchors.bottom: parent.bottom
            width: parent.width
            currentIndex: tabBar.currentIndex

            ServerListView {
                objectName: "RecommendedList"
                listName: qsTranslate("ServerlistTabBar", "Recommended")
                serverModel: recomendedServersModel
                searchPhrase: header.searchPhrase
                onServerChosen: dialog.close()
            }
            ServerListView {
                objectName: "AllList"
                listName: qsTranslate("ServerlistTabBar", "All")
                serverModel: serverListModel
                searchPhrase: header.searchPhrase
                onServerChosen: dialog.close()
            }
            ServerListView {
                objectName: "RecentList"
                listName: qsTranslate("ServerlistTabBar", "Recent")
                serverModel: recentServersModel
                searchPhrase: header.searchPhrase
                onServerChosen: dialog.close()
            }
        }
    }

    onOpened: content.forceActiveFocus()
}
