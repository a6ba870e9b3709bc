import QtQuick 2.12
import QtQuick.Controls 2.12
import "controls"

ASectionHeader {
    id: section
    title: qsTr("Protocol")
    property alias ipv6Enabled: ipv6Switch.checked

    function protocol() {
        if (wireGuardRadio.checked)
            return 3
        if (stealthRadio.checked)
            return 2
        if (tcpRadio.checked)
            return 1
        return 0
    }

    function setProtocol(value) {
        var buttons = [udpRadio, tcpRadio, stealthRadio, wireGuardRadio]
        var button = buttons[value] || udpRadio
        if (!button.visible)
            button = udpRadio
        button.checked = true
    }

    function load() {
        setProtocol(settings.networkProtocol)
        ipv6Switch.checked = settings.ipv6Enabled
        udpCombo.currentIndex = settings.udpPortIndex
        tcpCombo.currentIndex = settings.tcpPortIndex
    }

    function save() {
        settings.networkProtocol = protocol()
        settings.ipv6Enabled = ipv6Switch.checked
        settings.udpPortIndex = udpCombo.currentIndex
        settings.tcpPortIndex = tcpCombo.currentIndex
    }

    ButtonGroup { id: protocolGroup }

    ARadioButton {
        id: wireGuardRadio
        objectName: "WireGuardRadio"
        text: qsTr("WireGuard")
        visible: qmlApp.wireGuardIsSupported()
        ButtonGroup.group: protocolGroup
    }
    ARadioButton {
        id: udpRadio
        objectName: "UdpRadio"
        text: qsTr("UDP - OpenVPN")
        checked: true
        ButtonGroup.group: protocolGroup
    }
    ASmallGreyLabel {
        width: parent.width
        leftPadding: 32
        text: qsTr("This usually offers the best combination of speed and security, but may not work on all networks")
    }
    ARadioButton {
        id: tcpRadio
        objectName: "TcpRadio"
        text: qsTr("TCP - OpenVPN")
        ButtonGroup.group: protocolGroup
    }
    ASmallGreyLabel {
        width: parent.width
        leftPadding: 32
        text: qsTr("This is more likely to function on all types of networks, but might be slower than UDP")
    }
    ARadioButton {
        id: stealthRadio
        objectName: "StealthRadio"
        text: qsTr("Stealth")
        // stunnel exists on every platform we build for.
        visible: qmlApp.runningOnWindows() || qmlApp.runningOnMacOS() || qmlApp.runningOnLinux()
        ButtonGroup.group: protocolGroup
    }
    ASmallGreyLabel {
        width: parent.width
        leftPadding: 32
        visible: stealthRadio.visible
        text: qsTr("Stealth is our openvpn over TLS/SSL protocol, use this option if you are behind a heavy firewall or to mask your openvpn traffic for deep packet inspection")
    }
    ASwitch {
        id: ipv6Switch
        objectName: "Ipv6Switch"
        width: parent.width
        text: qsTr("IPv6")
        visible: !wireGuardRadio.checked
    }
    Item {
        objectName: "PortRow"
        width: parent.width
        height: udpCombo.height
        visible: udpRadio.checked || tcpRadio.checked

        ALabel {
            anchors.verticalCenter: parent.verticalCenter
            text: qsTr("Port")
        }
        AComboBox {
            id: udpCombo
            objectName: "UdpPortCombo"
            anchors.right: parent.right
            Accessible.name: qsTr("Port")
            visible: udpRadio.checked
            model: settings.allowedUdpPortsList
        }
        AComboBox {
            id: tcpCombo
            objectName: "TcpPortCombo"
            anchors.right: parent.right
            Accessible.name: qsTr("Port")
            visible: tcpRadio.checked
            model: tcpComboBoxListModel
            textRole: "text"
        }
    }
}
