import QtQuick 2.12

ALabel {
    color: uiStyle.settingsPageDefaultLabelColor2
    opacity: Number(uiStyle.generalSmallGreyLabelOpacity)
    font.pixelSize: 11
    wrapMode: Text.WordWrap
}
