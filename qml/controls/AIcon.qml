import QtQuick 2.12

// A bundled icon, white or black by the theme's style.
Image {
    property string name
    property bool styled: true
    source: {
        // iconSource() reads the style without a change signal: reading darkStyle here makes the
        // binding follow a theme loaded later.
        var dark = uiStyle.darkStyle
        return name === "" ? "" : uiStyle.iconSource(name, styled)
    }
}
