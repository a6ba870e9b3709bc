import QtQuick 2.12
import QtQuick.Controls 2.12
import "controls"

ListView {
    id: list
    visible: themeSectionListModel.isEmpty
    clip: true
    model: themeSectionListModel
    boundsBehavior: Flickable.StopAtBounds
    currentIndex: -1
    ScrollBar.vertical: AScrollBar {}

    delegate: Rectangle {
        width: list.width
        height: 36
        color: ListView.isCurrentItem ? uiStyle.generalListViewItemActiveColor
                                      : uiStyle.generalListViewItemBackgroundColor
        Accessible.role: Accessible.ListItem
        Accessible.name: model.ThemeSectionData

        ABrightLabel {
            x: 10
            anchors.verticalCenter: parent.verticalCenter
            text: model.ThemeSectionData
            font.family: FontFactory.poppinsBold.name
        }
        ExtendedMouseArea {
            anchors.fill: parent
            onClicked: {
                list.currentIndex = index
                themeListModel.currentSectionName = model.ThemeSectionId
            }
        }
    }
}
