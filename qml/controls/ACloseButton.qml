import QtQuick 2.12
import QtQuick.Controls 2.12

AbstractButton {
    id: button
    implicitWidth: 30
    implicitHeight: 30

    contentItem: Item {
        Repeater {
            model: [45, -45]
            Rectangle {
                anchors.centerIn: parent
                width: 18
                height: 2
                rotation: modelData
                color: uiStyle.generalDefaultLabelColor
                opacity: button.down ? 0.5 : 1.0
            }
        }
    }

    Accessible.role: Accessible.Button
    // The word the client's other windows already close with.
    Accessible.name: qsTranslate("CriticalErrorBox", "Close")
    Accessible.onPressAction: clicked()
    Keys.onReturnPressed: if (!event.isAutoRepeat) clicked()
    Keys.onEnterPressed: if (!event.isAutoRepeat) clicked()

    AMouseAreaHandler {}
    AFocusFrame { shown: button.visualFocus }
}
