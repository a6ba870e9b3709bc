import QtQuick 2.12
import QtQuick.Controls 2.12
import "controls"

ListView {
    id: list
    visible: simpleListModel.isEmpty
    clip: true
    model: simpleListModel
    boundsBehavior: Flickable.StopAtBounds

    delegate: Rectangle {
        width: list.width
        height: 40
        color: area.pressed ? uiStyle.generalListViewItemActiveColor
                            : area.containsMouse ? uiStyle.generalListViewSeparatorColor
                                                 : uiStyle.generalListViewItemBackgroundColor
        Accessible.role: Accessible.ListItem
        Accessible.name: model.ItemData

        ABrightLabel {
            x: 20
            anchors.verticalCenter: parent.verticalCenter
            text: model.ItemData
        }
        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 1
            color: uiStyle.generalListViewSeparatorColor
        }
        ExtendedMouseArea {
            id: area
            anchors.fill: parent
        }
    }
}
