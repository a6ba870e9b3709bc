import QtQuick 2.12
import QtQuick.Controls 2.12

Label {
    // Themes set label opacities; the style would fade labels of disabled parents.
    opacity: 1.0
    color: uiStyle.generalDefaultLabelColor
    font.family: FontFactory.poppinsRegular.name
    font.pixelSize: 13
    verticalAlignment: Text.AlignVCenter
}
