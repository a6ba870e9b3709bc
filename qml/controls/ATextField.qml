import QtQuick 2.12
import QtQuick.Controls 2.12

TextField {
    id: field
    implicitHeight: 36
    font.family: FontFactory.poppinsRegular.name
    font.pixelSize: 13
    color: uiStyle.generalDefaultLabelColor
    placeholderTextColor: uiStyle.generalGreyLabelColor
    selectByMouse: true

    background: Rectangle {
        color: "transparent"
        radius: 4
        border.color: field.activeFocus ? uiStyle.generalTabSelectedColor : uiStyle.generalTextFieldBorderColor
        border.width: 1
    }

    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.RightButton
        cursorShape: Qt.IBeamCursor
        onClicked: contextMenu.popup()
    }

    AContextMenu {
        id: contextMenu
        field: field
    }
}
