import QtQuick 2.12
import QtQuick.Controls 2.12

RadioButton {
    id: control
    font.family: FontFactory.poppinsRegular.name
    font.pixelSize: 13
    spacing: 12

    indicator: Rectangle {
        implicitWidth: 20
        implicitHeight: 20
        x: control.leftPadding
        y: (control.height - height) / 2
        radius: 10
        color: uiStyle.generalRadioButtonBackgroundColor
        border.color: control.checked ? uiStyle.generalRadioButtonSelectedColor
                                      : uiStyle.generalRadioButtonBorderColor
        border.width: 2

        Rectangle {
            anchors.centerIn: parent
            width: 10
            height: 10
            radius: 5
            color: uiStyle.generalRadioButtonSelectedColor
            visible: control.checked
        }
    }

    contentItem: Text {
        text: control.text
        font: control.font
        color: uiStyle.generalDefaultLabelColor
        verticalAlignment: Text.AlignVCenter
        leftPadding: control.indicator.width + control.spacing
    }

    Accessible.role: Accessible.RadioButton
    Accessible.name: text
    Accessible.checkable: true
    Accessible.checked: checked
    Keys.onReturnPressed: if (!event.isAutoRepeat) control.keyCheck()
    Keys.onEnterPressed: if (!event.isAutoRepeat) control.keyCheck()

    // What Space does: a radio button only ever turns on.
    function keyCheck() {
        if (!checked) {
            checked = true
            toggled()
        }
        clicked()
    }

    AFocusFrame { shown: control.visualFocus }
}
