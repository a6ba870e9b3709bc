import QtQuick 2.12

ATextField {
    id: field
    placeholderText: qsTr("Search")
    rightPadding: 30

    AIcon {
        anchors.right: parent.right
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        width: 16
        height: 16
        name: "search"
        fillMode: Image.PreserveAspectFit
    }
}
