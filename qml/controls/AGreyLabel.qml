import QtQuick 2.12

ALabel {
    color: uiStyle.generalGreyLabelColor
    opacity: Number(uiStyle.generalGreyLabelOpacity)
}
