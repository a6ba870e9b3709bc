import QtQuick 2.12

ATextField {
    id: field
    placeholderText: qsTr("Search")
    rightPadding: 30

    Image {
        anchors.right: parent.right
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        width: 16
        height: 16
        source: uiStyle.iconSource("search")
        fillMode: Image.PreserveAspectFit
    }
}
