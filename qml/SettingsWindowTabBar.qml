import QtQuick 2.12
import QtQuick.Controls 2.12
import "controls"

TabBar {
    height: 40
    background: Rectangle { color: uiStyle.generalTabBackgroundColor }

    ATabButton { text: qsTr("General") }
    ATabButton { text: qsTr("Advanced") }
}
