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

    AMouseAreaHandler {}
}
