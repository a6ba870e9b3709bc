pragma Singleton
import QtQuick 2.12

QtObject {
    readonly property FontLoader poppinsRegular: FontLoader {
        source: "qrc:/resources/fonts/Poppins-Regular.ttf"
    }
    readonly property FontLoader poppinsBold: FontLoader {
        source: "qrc:/resources/fonts/Poppins-Bold.ttf"
    }
}
