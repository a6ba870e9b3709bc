import QtQuick 2.12
import QtQuick.Controls 2.12

Button {
    id: button
    implicitHeight: 36
    implicitWidth: Math.max(120, contentItem.implicitWidth + 40)
    font.family: FontFactory.poppinsBold.name
    font.pixelSize: 13

    contentItem: Text {
        text: button.text
        font: button.font
        color: button.down ? uiStyle.generalButtonTextColorPressed : uiStyle.generalButtonTextColor
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }

    background: Rectangle {
        radius: 4
        color: button.down ? uiStyle.generalButtonBackgroundColorPressed
                           : uiStyle.generalButtonBackgroundColor
        opacity: button.enabled ? 1.0 : 0.5
    }

    Accessible.role: Accessible.Button
    Accessible.name: text
    Accessible.onPressAction: clicked()
    // Space presses every button; Enter does the same here.
    Keys.onReturnPressed: if (!event.isAutoRepeat) clicked()
    Keys.onEnterPressed: if (!event.isAutoRepeat) clicked()

    AMouseAreaHandler {}
    AFocusFrame { shown: button.visualFocus }
}
