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

    // What a screen reader calls the field; uses with a label give the label.
    property string accessibleName: placeholderText
    Accessible.role: Accessible.EditableText
    Accessible.editable: true
    Accessible.name: accessibleName
    Accessible.passwordEdit: echoMode !== TextInput.Normal
    // A password field keeps no name, so that nothing reads it out: it says what it is here.
    Accessible.description: Accessible.passwordEdit ? accessibleName : ""

    // A field shows its ring however it took the focus, as a caret alone is easy to miss.
    AFocusFrame { shown: field.activeFocus }
}
