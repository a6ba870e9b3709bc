import QtQuick 2.12
import "controls"

ASectionHeader {
    id: section
    title: qsTr("Miscellaneous")
    property alias showNotifications: notificationsSwitch.checked
    property bool loading: true
    // Set by the window: retranslation resets the combo models, so it is restored afterwards.
    property var startMinimizedCombo

    function load() {
        loading = true
        notificationsSwitch.checked = settings.showNotifications
        languageCombo.currentIndex = settings.languageIndex
        loading = false
    }

    function save() {
        settings.showNotifications = notificationsSwitch.checked
    }

    ASwitch {
        id: notificationsSwitch
        width: parent.width
        text: qsTr("Show notifications")
    }
    Item {
        width: parent.width
        height: languageCombo.height

        ALabel {
            anchors.verticalCenter: parent.verticalCenter
            text: qsTr("Language")
        }
        AComboBox {
            id: languageCombo
            objectName: "LanguageCombo"
            anchors.right: parent.right
            Accessible.name: qsTr("Language")
            model: settings.languageList
            onActivated: {
                var minimized = settings.startMinimized
                settings.languageIndex = index
                if (section.startMinimizedCombo)
                    section.startMinimizedCombo.currentIndex = minimized
            }
        }
    }
}
