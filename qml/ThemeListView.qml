import QtQuick 2.12
import QtQuick.Controls 2.12
import "controls"

ListView {
    id: list
    visible: themeListModel.isEmpty
    clip: true
    model: themeListModel
    boundsBehavior: Flickable.StopAtBounds
    ScrollBar.vertical: AScrollBar {}

    delegate: ThemeListItem {
        propertyId: model.ThemePropertyId
        propertyData: model.ThemePropertyData
        typeName: model.ThemePropertyDataTypeString
        toolTip: model.ThemePropertyToolTip
        shown: model.Visible
    }
}
