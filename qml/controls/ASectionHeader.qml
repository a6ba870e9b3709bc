import QtQuick 2.12

// A settings section: a title over a panel that holds the section's rows.
Column {
    id: section
    property alias title: titleLabel.text
    default property alias rows: body.data
    width: parent ? parent.width : 0
    spacing: 8

    ALabel {
        id: titleLabel
        x: 20
        color: uiStyle.settingsPageDefaultLabelColor1
        opacity: Number(uiStyle.generalLabelOpacity)
        font.family: FontFactory.poppinsBold.name
        font.bold: true
        font.pixelSize: 14
    }

    Rectangle {
        width: section.width
        height: body.implicitHeight + 24
        color: uiStyle.generalSectionColor

        Column {
            id: body
            x: 20
            y: 12
            width: parent.width - 40
            spacing: 10
        }
    }
}
