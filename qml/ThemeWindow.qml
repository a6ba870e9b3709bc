import QtQuick 2.12
import QtQuick.Controls 2.12
import QtQuick.Controls.Universal 2.12
import QtQuick.Window 2.12
import Qt.labs.platform 1.1 as Platform
import DashCircle 1.0
import "controls"

Window {
    id: themeWindow
    objectName: "ThemeWindow"
    width: 1000
    height: qmlApp.windowHeight()
    title: qsTr("Theme editor")
    color: uiStyle.generalBackgroundColor
    // The style's own parts (pop-ups, menus, dialogs) take the theme's light or dark palette.
    Universal.theme: uiStyle.darkStyle ? Universal.Dark : Universal.Light
    Universal.foreground: uiStyle.generalDefaultLabelColor
    Universal.background: uiStyle.generalBackgroundColor
    Universal.accent: uiStyle.generalTabSelectedColor

    function chooseFile(saving) {
        fileDialog.saving = saving
        fileDialog.fileMode = saving ? Platform.FileDialog.SaveFile : Platform.FileDialog.OpenFile
        fileDialog.folder = themeSettings.themeditorLastOpenedUrl
        fileDialog.open()
    }

    Platform.FileDialog {
        id: fileDialog
        property bool saving: false
        title: qsTr("Please choose a file")
        nameFilters: [qsTr("Theme files (*.ini)"), qsTr("All files (*)")]
        onAccepted: {
            if (saving)
                uiStyle.save(file)
            else
                uiStyle.load(file)
            themeSettings.themeditorLastOpenedUrl = file
            themeSettings.saveThemeditorSettings()
        }
    }

    Row {
        id: editor
        width: parent.width / 2
        height: parent.height - buttons.height - 20

        ThemeSectionListView {
            objectName: "ThemeSectionListView"
            width: 170
            height: parent.height
        }
        ThemeListView {
            objectName: "ThemeListView"
            width: parent.width - 170
            height: parent.height
        }
    }

    Column {
        id: preview
        objectName: "ThemePreview"
        x: parent.width / 2 + 20
        y: 20
        width: parent.width / 2 - 40
        spacing: 12

        Rectangle {
            width: parent.width
            height: 40
            color: uiStyle.generalHeaderBackgroundColor

            Image {
                anchors.centerIn: parent
                source: uiStyle.generalLogoFileName
            }
        }
        Row {
            spacing: 12
            ALabel { text: qsTr("Label 1") }
            ABrightLabel { text: qsTr("Label 2") }
            AGreyLabel { text: qsTr("Label 4") }
            ASmallGreyLabel { text: qsTr("Label 5") }
        }
        Row {
            spacing: 12
            AButton { text: qsTr("Button") }
            ASwitch { checked: true; text: qsTr("Switch") }
            ARadioButton { checked: true; text: qsTr("Radio") }
        }
        TabBar {
            width: parent.width
            ATabButton { text: qsTr("Tab 1") }
            ATabButton { text: qsTr("Tab 2") }
        }
        Row {
            spacing: 12
            DashCircle {
                width: 120
                height: 120
                color: uiStyle.connectionPageCirclesColor
            }
            SimpleListView {
                objectName: "SimpleListView"
                width: preview.width - 132
                height: 120
            }
        }
        VpnConnectionButton {
            width: parent.width
            height: 220
        }
    }

    Row {
        id: buttons
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 10
        x: 10
        spacing: 10

        AButton {
            text: qsTr("Load")
            onClicked: themeWindow.chooseFile(false)
        }
        AButton {
            text: qsTr("Save")
            onClicked: themeWindow.chooseFile(true)
        }
    }
}
