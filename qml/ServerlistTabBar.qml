import QtQuick 2.12
import QtQuick.Controls 2.12
import "controls"

TabBar {
    height: 40
    font.pixelSize: 13
    background: Rectangle { color: uiStyle.generalTabBackgroundColor }

    ATabButton { text: qsTr("Recommended") }
    ATabButton { text: qsTr("All") }
    ATabButton { text: qsTr("Recent") }
}
