import QtQuick 2.12
import QtQuick.Controls 2.12

// Cut, copy and paste for one text field.
Menu {
    id: menu
    property Item field

    background: Rectangle {
        implicitWidth: 200
        implicitHeight: 40
        color: uiStyle.generalSectionColor
        border.color: uiStyle.generalTextFieldBorderColor
    }

    MenuItem {
        text: qsTr("Cut")
        enabled: menu.field && menu.field.selectedText.length > 0
        onTriggered: menu.field.cut()
    }
    MenuItem {
        text: qsTr("Copy")
        enabled: menu.field && menu.field.selectedText.length > 0
        onTriggered: menu.field.copy()
    }
    MenuItem {
        text: qsTr("Paste")
        enabled: menu.field && menu.field.canPaste
        onTriggered: menu.field.paste()
    }
}
