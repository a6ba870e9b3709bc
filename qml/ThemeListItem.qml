import QtQuick 2.12
import "controls"

// One theme value: its label and an editor that applies at once.
Rectangle {
    id: item
    property string propertyId
    property string propertyData
    property string typeName
    property string toolTip
    property bool shown
    width: ListView.view ? ListView.view.width : 0
    height: shown ? 44 : 0
    visible: shown
    color: uiStyle.generalListViewItemBackgroundColor
    Accessible.role: Accessible.ListItem
    Accessible.name: toolTip

    ABrightLabel {
        x: 10
        anchors.verticalCenter: parent.verticalCenter
        width: parent.width / 2 - 20
        elide: Text.ElideRight
        text: item.toolTip
    }

    Rectangle {
        anchors.right: editor.left
        anchors.rightMargin: 6
        anchors.verticalCenter: parent.verticalCenter
        width: 20
        height: 20
        visible: item.typeName === "Color"
        color: item.typeName === "Color" && item.propertyData !== "" ? item.propertyData : "transparent"
        border.color: uiStyle.generalTextFieldBorderColor
    }

    ATextField {
        id: editor
        anchors.right: parent.right
        anchors.rightMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        width: parent.width / 2 - 40
        visible: item.typeName !== "Bool"
        text: item.propertyData
        accessibleName: item.toolTip
        onEditingFinished: themeListModel.updateCurrentThemeProperty(item.propertyId, text)
    }

    ASwitch {
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        visible: item.typeName === "Bool"
        checked: item.propertyData === "true"
        Accessible.name: item.toolTip
        onToggled: themeListModel.updateCurrentThemeProperty(item.propertyId, checked)
    }
}
