import QtQuick 2.12
import QtQuick.Controls 2.12

// Shown whenever the content is taller than the view, in the theme's colours.
ScrollBar {
    id: control
    width: uiStyle.scrollBarWidth
    policy: ScrollBar.AlwaysOn

    // The style fades its own items in and out: the colours sit one level down.
    contentItem: Item {
        implicitWidth: uiStyle.scrollBarWidth
        implicitHeight: uiStyle.scrollBarWidth
        visible: control.size < 1.0

        Rectangle {
            anchors.fill: parent
            radius: width / 2
            color: control.pressed ? uiStyle.generalTabSelectedColor : uiStyle.generalGreyLabelColor
            opacity: control.pressed ? 1.0 : Number(uiStyle.generalGreyLabelOpacity)
        }
    }

    background: Item {
        visible: control.size < 1.0

        Rectangle {
            anchors.fill: parent
            color: uiStyle.generalListViewSeparatorColor
        }
    }
}
