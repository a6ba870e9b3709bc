import QtQuick 2.12
import QtQuick.Controls 2.12

ComboBox {
    id: control
    width: 160
    implicitHeight: 36
    font.family: FontFactory.poppinsRegular.name
    font.pixelSize: 13

    contentItem: Text {
        leftPadding: 10
        text: control.displayText
        font: control.font
        color: uiStyle.generalDefaultLabelColor
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    background: Rectangle {
        color: "transparent"
        radius: 4
        border.color: uiStyle.generalTextFieldBorderColor
    }

    indicator: AIcon {
        x: control.width - width - 10
        y: (control.height - height) / 2
        width: 8
        height: 4
        name: "droparrow"
    }

    // Long lists scroll in a fixed height; short ones fit their content.
    popup.height: control.count > 10 ? 400 : popup.contentItem.implicitHeight + popup.topPadding
                                             + popup.bottomPadding
    popup.background: Rectangle {
        color: uiStyle.generalSectionColor
        border.color: uiStyle.generalTextFieldBorderColor
    }

    delegate: ItemDelegate {
        id: entry
        width: control.width
        text: control.textRole ? (Array.isArray(control.model) ? modelData[control.textRole]
                                                               : model[control.textRole])
                               : modelData
        font: control.font
        highlighted: control.highlightedIndex === index

        contentItem: Text {
            text: entry.text
            font: entry.font
            color: uiStyle.generalDefaultLabelColor
            elide: Text.ElideRight
            verticalAlignment: Text.AlignVCenter
        }

        background: Rectangle {
            color: entry.highlighted || entry.hovered ? uiStyle.generalListViewSeparatorColor
                                                      : "transparent"
        }
    }

    Accessible.role: Accessible.ComboBox
    // Uses give the row's label; the shown choice is the value.
    Accessible.name: displayText
    Accessible.description: displayText

    AMouseAreaHandler {}
    AFocusFrame { shown: control.visualFocus }
}
