import QtQuick 2.12
import QtQuick.Controls 2.12

Switch {
    id: control
    font.family: FontFactory.poppinsRegular.name
    font.pixelSize: 13
    spacing: 12

    indicator: Rectangle {
        implicitWidth: 40
        implicitHeight: 20
        x: control.leftPadding
        y: (control.height - height) / 2
        radius: 10
        color: control.checked ? uiStyle.generalSwitchBackgroundColorChecked
                               : uiStyle.generalSwitchBackgroundColor
        border.color: uiStyle.generalTextFieldBorderColor
        opacity: control.enabled ? 1.0 : 0.4

        Rectangle {
            x: control.checked ? parent.width - width - 2 : 2
            anchors.verticalCenter: parent.verticalCenter
            width: 16
            height: 16
            radius: 8
            color: control.checked ? uiStyle.generalSwitchIndicatorColorChecked
                                   : uiStyle.generalSwitchIndicatorColor
        }
    }

    contentItem: Text {
        text: control.text
        font: control.font
        color: uiStyle.generalDefaultLabelColor
        opacity: control.enabled ? 1.0 : 0.4
        wrapMode: Text.WordWrap
        verticalAlignment: Text.AlignVCenter
        leftPadding: control.indicator.width + control.spacing
    }

    Accessible.role: Accessible.CheckBox
    Accessible.name: text
    Accessible.checkable: true
    Accessible.checked: checked
    Keys.onReturnPressed: if (!event.isAutoRepeat) control.keyToggle()
    Keys.onEnterPressed: if (!event.isAutoRepeat) control.keyToggle()

    // What Space does: flip and tell the listeners a user did it.
    function keyToggle() {
        toggle()
        toggled()
        clicked()
    }

    AFocusFrame { shown: control.visualFocus }
}
