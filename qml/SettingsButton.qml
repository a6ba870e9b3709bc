import QtQuick 2.12
import QtQuick.Controls 2.12
import "controls"

AbstractButton {
    id: button
    implicitHeight: 50
    font.family: FontFactory.poppinsBold.name
    font.pixelSize: 14

    contentItem: Text {
        text: button.text
        font: button.font
        color: button.down ? uiStyle.connectionPageSettingsButtonTextColorPressed
                           : uiStyle.connectionPageSettingsButtonTextColor
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }

    background: Rectangle {
        color: button.down ? uiStyle.connectionPageSettingsButtonBackgroundColorPressed
                           : uiStyle.connectionPageSettingsButtonBackgroundColor
    }

    Accessible.role: Accessible.Button
    Accessible.name: text
    Accessible.onPressAction: clicked()
    Keys.onReturnPressed: if (!event.isAutoRepeat) clicked()
    Keys.onEnterPressed: if (!event.isAutoRepeat) clicked()

    AMouseAreaHandler {}
    // Drawn inside, in the button's own text colour: the button's background is light in both
    // themes.
    AFocusFrame {
        shown: button.visualFocus
        spread: -4
        border.color: uiStyle.connectionPageSettingsButtonTextColor
    }
}
