import QtQuick 2.12
import QtQuick.Controls 2.12
import "controls"

ASectionHeader {
    id: section
    title: qsTr("Authentication")
    property alias userNameField: userNameInput.field
    property alias passwordField: passwordInput.field

    function load() {
        userNameInput.text = settings.userName
        passwordInput.text = settings.password
    }

    function update() {
        settings.userName = userNameInput.text
        settings.password = passwordInput.text
        settings.saveGeneralSettings()
        if (userNameInput.text !== settings.userName)
            userNameInput.text = settings.userName
        if (passwordInput.text !== settings.password)
            passwordInput.text = settings.password
        qmlApp.requestWirequardData()
        updatedToolTip.show(qsTr("Updated"), 3000)
        userNameInput.field.forceActiveFocus()
    }

    AInputField {
        id: userNameInput
        objectName: "UserNameInput"
        label: qsTr("Username")
    }

    AInputField {
        id: passwordInput
        objectName: "PasswordInput"
        label: qsTr("Password")
        echoMode: TextInput.PasswordEchoOnEdit
    }

    AButton {
        id: updateButton
        objectName: "UpdateButton"
        text: qsTr("Update")
        onClicked: section.update()

        AToolTip {
            id: updatedToolTip
            objectName: "UpdatedToolTip"
        }
    }
}
