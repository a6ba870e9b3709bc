import QtQuick 2.12
import QtQuick.Window 2.12

// The smallest main window the application object can drive; the full interface replaces it.
Window {
    id: mainWindow
    objectName: "MainWindow"
    width: 400
    height: qmlApp.windowHeight()
    minimumWidth: width
    maximumWidth: width
    minimumHeight: height
    maximumHeight: height
    title: settings.titleName()
    visible: false
    color: "#102847"

    function raiseMainWindow() {
        mainWindow.visible = true
        mainWindow.raise()
        mainWindow.requestActivate()
        mainWindow.showNormal()
    }

    function raiseSettingsWindow() {
        raiseMainWindow()
    }

    function triggerVpnState() {
    }

    function setCriticalServiceError() {
        criticalServiceError.visible = true
    }

    function saveUnsavedData() {
    }

    Rectangle {
        id: criticalServiceError
        objectName: "CriticalServiceError"
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        height: 50
        color: "red"
        opacity: 0.95
        visible: false

        Text {
            anchors.centerIn: parent
            text: qsTr("System service is not running!")
            color: "white"
            font.bold: true
            font.pixelSize: 15
        }
    }
}
