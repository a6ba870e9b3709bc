import QtQuick 2.12
import QtQuick.Controls 2.12

TabButton {
    id: control
    implicitHeight: 40
    font.family: FontFactory.poppinsRegular.name
    font.pixelSize: 13

    contentItem: Text {
        text: control.text
        font: control.font
        color: uiStyle.generalTabFontColor
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }

    background: Rectangle {
        color: uiStyle.generalTabBackgroundColor

        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 3
            color: control.checked ? uiStyle.generalTabSelectedColor : uiStyle.generalTabNonSelectedColor
        }
    }

    Accessible.role: Accessible.PageTab
    Accessible.name: text
    Accessible.checkable: true
    Accessible.checked: checked
    Keys.onReturnPressed: if (!event.isAutoRepeat) control.keyCheck()
    Keys.onEnterPressed: if (!event.isAutoRepeat) control.keyCheck()

    function keyCheck() {
        if (!checked) {
            checked = true
            toggled()
        }
        clicked()
    }

    AMouseAreaHandler {}
    // Inside the tab: the bar clips what lies beyond it.
    AFocusFrame {
        shown: control.visualFocus
        spread: -3
    }
}
