import QtQuick 2.12

ALabel {
    color: uiStyle.generalBrightLabelColor
}
