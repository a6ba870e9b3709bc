<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fil" sourcelanguage="en">
<context>
    <name>AContextMenu</name>
    <message>
        <source>Cut</source>
        <translation>I-cut</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopyahin</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>I-paste</translation>
    </message>
</context>
<context>
    <name>ASearchField</name>
    <message>
        <source>Search</source>
        <translation>Maghanap</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>New version found.
Do you want to update to version %1?</source>
        <translation>May nakitang bagong bersyon.
Gusto mo bang mag-update sa bersyon %1?</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>I-update</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Laktawan</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Kumonekta</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Idiskonekta</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Nakadiskonekta</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Nakakonekta</translation>
    </message>
    <message>
        <source>will be keep running in background</source>
        <translation>ay patuloy na tatakbo sa background</translation>
    </message>
</context>
<context>
    <name>ConnectionState</name>
    <message>
        <source>Disconnected</source>
        <translation>Nakadiskonekta</translation>
    </message>
    <message>
        <source>Preparing</source>
        <translation>Naghahanda</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Kumokonekta...</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Nakakonekta</translation>
    </message>
    <message>
        <source>Disconnecting...</source>
        <translation>Nagdidiskonekta...</translation>
    </message>
    <message>
        <source>Reconnecting...</source>
        <translation>Muling kumokonekta...</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>Nagkaroon ng error!</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Hindi alam</translation>
    </message>
</context>
<context>
    <name>CriticalErrorBox</name>
    <message>
        <source>Critical error, exiting (Click &apos;Show logs&apos; for details).</source>
        <translation>Kritikal na error, lalabas na (I-click ang &apos;Ipakita ang mga log&apos; para sa mga detalye).</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Isara</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>Ipakita ang mga log</translation>
    </message>
</context>
<context>
    <name>FooterItem</name>
    <message>
        <source>Settings</source>
        <translation>Mga Setting</translation>
    </message>
</context>
<context>
    <name>OpenVpnClient</name>
    <message>
        <source>OpenVPN server is empty!</source>
        <translation>Walang laman ang OpenVPN server!</translation>
    </message>
    <message>
        <source>Error: the Stealth transport could not be started</source>
        <translation>Error: hindi masimulan ang Stealth transport</translation>
    </message>
    <message>
        <source>Error: the OpenVPN configuration could not be written</source>
        <translation>Error: hindi maisulat ang configuration ng OpenVPN</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program: OpenVPN was not started</source>
        <translation>Ginagamit ng ibang programa ang port %1: hindi sinimulan ang OpenVPN</translation>
    </message>
    <message>
        <source>Stealth mode could not start: stunnel is not listening on %1:%2</source>
        <translation>Hindi masimulan ang Stealth mode: hindi nakikinig ang stunnel sa %1:%2</translation>
    </message>
    <message>
        <source>Error: OpenVPN sent a management line longer than 64 KiB</source>
        <translation>Error: nagpadala ang OpenVPN ng management line na lampas sa 64 KiB</translation>
    </message>
    <message>
        <source>Error: Wrong Username/Password</source>
        <translation>Error: Maling username o password</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>B</source>
        <translation>B</translation>
    </message>
    <message>
        <source>KiB</source>
        <translation>KiB</translation>
    </message>
    <message>
        <source>MiB</source>
        <translation>MiB</translation>
    </message>
    <message>
        <source>GiB</source>
        <translation>GiB</translation>
    </message>
    <message>
        <source>TiB</source>
        <translation>TiB</translation>
    </message>
</context>
<context>
    <name>ServerListHeader</name>
    <message>
        <source>Serverlist</source>
        <translation>Listahan ng server</translation>
    </message>
</context>
<context>
    <name>ServerListItem</name>
    <message>
        <source>Collapse</source>
        <translation>Itiklop</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>Palawakin</translation>
    </message>
    <message>
        <source>Remove from favorites</source>
        <translation>Alisin sa mga paborito</translation>
    </message>
    <message>
        <source>Add to favorites</source>
        <translation>Idagdag sa mga paborito</translation>
    </message>
</context>
<context>
    <name>ServerListModel</name>
    <message>
        <source>Search</source>
        <translation>Maghanap</translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation>Walang napili</translation>
    </message>
    <message>
        <source>Favorite Servers</source>
        <translation>Mga Paboritong Server</translation>
    </message>
    <message>
        <source>Recent Servers</source>
        <translation>Mga Kamakailang Server</translation>
    </message>
</context>
<context>
    <name>ServerListView</name>
    <message>
        <source>No items to display</source>
        <translation>Walang maipapakitang item</translation>
    </message>
</context>
<context>
    <name>ServerlistTabBar</name>
    <message>
        <source>Recommended</source>
        <translation>Inirerekomenda</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Lahat</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Kamakailan</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Auto</source>
        <translation>Awtomatiko</translation>
    </message>
</context>
<context>
    <name>SettingsWindowAuthSection</name>
    <message>
        <source>Authentication</source>
        <translation>Pagpapatunay</translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>Na-update</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Pangalan ng user</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Kontrasenyas</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>I-update</translation>
    </message>
</context>
<context>
    <name>SettingsWindowKillSwitchSection</name>
    <message>
        <source>Kill switch</source>
        <translation>Pamatay ng koneksyon</translation>
    </message>
    <message>
        <source>Enable Network lock (Internet kill switch). Available only for OpenVPN</source>
        <translation>I-enable ang Network lock (Internet kill switch). Para lamang sa OpenVPN</translation>
    </message>
    <message>
        <source>Network Lock ensures your Internet traffic goes through %1 secure tunnel</source>
        <translation>Tinitiyak ng Network Lock na dumadaan ang iyong Internet traffic sa secure tunnel ng %1</translation>
    </message>
    <message>
        <source>and stops all traffic if %1 disconnects unexpectedly</source>
        <translation>at pinahihinto ang lahat ng traffic kapag biglang nadiskonekta ang %1</translation>
    </message>
    <message>
        <source>Allow access to local network devices such as shares printers</source>
        <translation>Payagan ang access sa mga device sa lokal na network gaya ng mga share at printer</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMiscellaneousSection</name>
    <message>
        <source>Miscellaneous</source>
        <translation>Iba pa</translation>
    </message>
    <message>
        <source>Show notifications</source>
        <translation>Ipakita ang mga notification</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Wika</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMtuSection</name>
    <message>
        <source>MTU Size</source>
        <translation>Laki ng MTU</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Awtomatiko</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Mano-mano</translation>
    </message>
</context>
<context>
    <name>SettingsWindowProtocolSection</name>
    <message>
        <source>Protocol</source>
        <translation>Protocol</translation>
    </message>
    <message>
        <source>WireGuard</source>
        <translation>WireGuard</translation>
    </message>
    <message>
        <source>UDP - OpenVPN</source>
        <translation>UDP - OpenVPN</translation>
    </message>
    <message>
        <source>This usually offers the best combination of speed and security, but may not work on all networks</source>
        <translation>Karaniwang nagbibigay ito ng pinakamahusay na kombinasyon ng bilis at seguridad, pero maaaring hindi gumana sa lahat ng network</translation>
    </message>
    <message>
        <source>TCP - OpenVPN</source>
        <translation>TCP - OpenVPN</translation>
    </message>
    <message>
        <source>This is more likely to function on all types of networks, but might be slower than UDP</source>
        <translation>Mas malamang na gumana ito sa lahat ng uri ng network, pero maaaring mas mabagal kaysa UDP</translation>
    </message>
    <message>
        <source>Stealth</source>
        <translation>Stealth</translation>
    </message>
    <message>
        <source>Stealth is our openvpn over TLS/SSL protocol, use this option if you are behind a heavy firewall or to mask your openvpn traffic for deep packet inspection</source>
        <translation>Ang Stealth ay ang aming OpenVPN sa TLS/SSL na protocol. Gamitin ito kung nasa likod ka ng mahigpit na firewall o para itago ang iyong OpenVPN traffic mula sa deep packet inspection</translation>
    </message>
    <message>
        <source>IPv6</source>
        <translation>IPv6</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
</context>
<context>
    <name>SettingsWindowShowLogsSection</name>
    <message>
        <source>Show logs</source>
        <translation>Ipakita ang mga log</translation>
    </message>
    <message>
        <source>Show logs collected by application</source>
        <translation>Ipakita ang mga log na nakolekta ng application</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>Ipakita ang folder ng mga log</translation>
    </message>
</context>
<context>
    <name>SettingsWindowStartupSection</name>
    <message>
        <source>Startup</source>
        <translation>Pagsisimula</translation>
    </message>
    <message>
        <source>Launch %1 on %2 startup</source>
        <translation>Ilunsad ang %1 sa pagsisimula ng %2</translation>
    </message>
    <message>
        <source>Connect to the last used location when %1 is launched</source>
        <translation>Kumonekta sa huling ginamit na lokasyon kapag inilunsad ang %1</translation>
    </message>
    <message>
        <source>Re-establish VPN connection if disconnected or dropped</source>
        <translation>Muling itatag ang VPN connection kapag nadiskonekta o naputol</translation>
    </message>
    <message>
        <source>Start minimized</source>
        <translation>Magsimulang naka-minimize</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Naka-disable</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>Sa system tray</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>Sa taskbar</translation>
    </message>
</context>
<context>
    <name>SettingsWindowTabBar</name>
    <message>
        <source>General</source>
        <translation>Pangkalahatan</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Karagdagan</translation>
    </message>
</context>
<context>
    <name>SettingsWindowUpdateApplicationSection</name>
    <message>
        <source>Auto Update</source>
        <translation>Awtomatikong Pag-update</translation>
    </message>
    <message>
        <source>Automatically update application</source>
        <translation>Awtomatikong i-update ang application</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Settings</source>
        <translation>Mga Setting</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Lumabas</translation>
    </message>
</context>
<context>
    <name>ThemeWindow</name>
    <message>
        <source>Theme editor</source>
        <translation>Editor ng tema</translation>
    </message>
    <message>
        <source>Please choose a file</source>
        <translation>Pumili ng file</translation>
    </message>
    <message>
        <source>Theme files (*.ini)</source>
        <translation>Mga file ng tema (*.ini)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Lahat ng file (*)</translation>
    </message>
    <message>
        <source>Label 1</source>
        <translation>Teksto 1</translation>
    </message>
    <message>
        <source>Label 2</source>
        <translation>Teksto 2</translation>
    </message>
    <message>
        <source>Label 4</source>
        <translation>Teksto 4</translation>
    </message>
    <message>
        <source>Label 5</source>
        <translation>Teksto 5</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>Pindutan</translation>
    </message>
    <message>
        <source>Switch</source>
        <translation>Pindutang switch</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>Radyo</translation>
    </message>
    <message>
        <source>Tab 1</source>
        <translation>Pahina 1</translation>
    </message>
    <message>
        <source>Tab 2</source>
        <translation>Pahina 2</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>I-load</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>I-save</translation>
    </message>
</context>
<context>
    <name>VpnClient</name>
    <message>
        <source>Server address is not valid!</source>
        <translation>Hindi wasto ang address ng server!</translation>
    </message>
    <message>
        <source>Another user of this computer is connected to the VPN</source>
        <translation>May ibang user ng computer na ito na nakakonekta sa VPN</translation>
    </message>
</context>
<context>
    <name>VpnConnectionButton</name>
    <message>
        <source>Cancel</source>
        <translation>Kanselahin</translation>
    </message>
    <message>
        <source>Disconnection in progress...</source>
        <translation>Kasalukuyang nagdidiskonekta...</translation>
    </message>
    <message>
        <source>SWITCH ON</source>
        <translation>BUKSAN</translation>
    </message>
    <message>
        <source>SWITCH OFF</source>
        <translation>PATAYIN</translation>
    </message>
    <message>
        <source>DURATION</source>
        <translation>TAGAL</translation>
    </message>
</context>
<context>
    <name>VpnConnectionInfo</name>
    <message>
        <source>Server location</source>
        <translation>Lokasyon ng server</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Na-download</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>Na-upload</translation>
    </message>
</context>
<context>
    <name>VpnCore</name>
    <message>
        <source>Updating...</source>
        <translation>Ina-update...</translation>
    </message>
    <message>
        <source>Username or password is empty!</source>
        <translation>Walang laman ang username o password!</translation>
    </message>
    <message>
        <source>VPN server IP is empty!</source>
        <translation>Walang laman ang IP ng VPN server!</translation>
    </message>
    <message>
        <source>There are no ports for this connection</source>
        <translation>Walang port para sa koneksyong ito</translation>
    </message>
    <message>
        <source>Auto reconnection</source>
        <translation>Awtomatikong muling pagkonekta</translation>
    </message>
    <message>
        <source>Best in</source>
        <translation>Pinakamahusay sa</translation>
    </message>
    <message>
        <source>Your current IP</source>
        <translation>Ang kasalukuyan mong IP</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Nagkaroon ng error</translation>
    </message>
</context>
<context>
    <name>WireGuardClient</name>
    <message>
        <source>WireGuard is not supported on this system</source>
        <translation>Hindi suportado ang WireGuard sa system na ito</translation>
    </message>
    <message>
        <source>Server name is empty!</source>
        <translation>Walang laman ang pangalan ng server!</translation>
    </message>
    <message>
        <source>Error: the WireGuard configuration could not be written</source>
        <translation>Error: hindi maisulat ang configuration ng WireGuard</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program: WireGuard was not started</source>
        <translation>Ginagamit ng ibang programa ang port %1: hindi sinimulan ang WireGuard</translation>
    </message>
    <message>
        <source>Error: WireGuard sent a report line longer than 64 KiB</source>
        <translation>Error: nagpadala ang WireGuard ng report line na lampas sa 64 KiB</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>System service is not running!</source>
        <translation>Hindi tumatakbo ang system service!</translation>
    </message>
    <message>
        <source>Debug mode.</source>
        <translation>Mode ng pag-debug.</translation>
    </message>
    <message>
        <source>Couldn&apos;t detect any system tray on this system.</source>
        <translation>Walang nakitang system tray sa system na ito.</translation>
    </message>
    <message>
        <source>Killswitch event</source>
        <translation>Pangyayari sa pamatay ng koneksyon</translation>
    </message>
    <message>
        <source>Connection to Internet is blocked</source>
        <translation>Naka-block ang koneksyon sa Internet</translation>
    </message>
</context>
</TS>
