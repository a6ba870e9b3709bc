import QtQuick 2.12
import QtQuick.Controls 2.12

ToolTip {
    id: control
    font.family: FontFactory.poppinsRegular.name
    font.pixelSize: 13

    contentItem: Text {
        text: control.text
        font: control.font
        wrapMode: Text.Wrap
        color: uiStyle.generalDefaultLabelColor
    }

    background: Rectangle {
        color: uiStyle.generalSectionColor
        border.color: uiStyle.generalTextFieldBorderColor
        radius: 4
    }
}
