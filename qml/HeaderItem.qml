import QtQuick 2.12

Rectangle {
    height: 50
    color: uiStyle.settingsPageHeaderBackgroundColor

    Image {
        anchors.centerIn: parent
        source: uiStyle.generalLogoFileName
        fillMode: Image.PreserveAspectFit
        height: Math.min(implicitHeight, parent.height)
    }
}
