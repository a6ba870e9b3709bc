import QtQuick 2.12
import QtQuick.Controls 2.12

SpinBox {
    font.family: FontFactory.poppinsRegular.name
    font.pixelSize: 13
    editable: true
    Accessible.role: Accessible.SpinBox

    AFocusFrame { shown: parent.visualFocus }
}
