import QtQuick 2.12
import QtQuick.Controls 2.12
import "controls"

ASectionHeader {
    title: qsTr("MTU Size")

    function load() {
        autoRadio.checked = settings.mtuSize === 0
        manualRadio.checked = settings.mtuSize !== 0
        spinBox.value = settings.mtuSize === 0 ? settings.defaultMtuSize() : settings.mtuSize
    }

    function mtuSize() {
        return autoRadio.checked ? 0 : spinBox.value
    }

    ButtonGroup { id: mtuGroup }

    ARadioButton {
        id: autoRadio
        text: qsTr("Auto")
        checked: true
        ButtonGroup.group: mtuGroup
    }
    Row {
        spacing: 20

        ARadioButton {
            id: manualRadio
            text: qsTr("Manual")
            ButtonGroup.group: mtuGroup
        }
        ASpinBox {
            id: spinBox
            from: 576
            to: 65535
            stepSize: 50
            enabled: manualRadio.checked
            Accessible.name: qsTr("MTU Size")
        }
    }
}
