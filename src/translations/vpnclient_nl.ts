<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl" sourcelanguage="en">
<context>
    <name>AContextMenu</name>
    <message>
        <source>Cut</source>
        <translation>Knippen</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopiëren</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Plakken</translation>
    </message>
</context>
<context>
    <name>ASearchField</name>
    <message>
        <source>Search</source>
        <translation>Zoeken</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>New version found.
Do you want to update to version %1?</source>
        <translation>Nieuwe versie gevonden.
Wilt u bijwerken naar versie %1?</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Bijwerken</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Overslaan</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Verbinding verbreken</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Niet verbonden</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Verbonden</translation>
    </message>
    <message>
        <source>will be keep running in background</source>
        <translation>blijft op de achtergrond actief</translation>
    </message>
</context>
<context>
    <name>ConnectionState</name>
    <message>
        <source>Disconnected</source>
        <translation>Niet verbonden</translation>
    </message>
    <message>
        <source>Preparing</source>
        <translation>Voorbereiden</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Verbinden...</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Verbonden</translation>
    </message>
    <message>
        <source>Disconnecting...</source>
        <translation>Verbinding verbreken...</translation>
    </message>
    <message>
        <source>Reconnecting...</source>
        <translation>Opnieuw verbinden...</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>Fout!</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Onbekend</translation>
    </message>
</context>
<context>
    <name>CriticalErrorBox</name>
    <message>
        <source>Critical error, exiting (Click &apos;Show logs&apos; for details).</source>
        <translation>Kritieke fout, het programma wordt afgesloten (klik op &apos;Logboeken tonen&apos; voor details).</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Sluiten</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>Logboeken tonen</translation>
    </message>
</context>
<context>
    <name>FooterItem</name>
    <message>
        <source>Settings</source>
        <translation>Instellingen</translation>
    </message>
</context>
<context>
    <name>OpenVpnClient</name>
    <message>
        <source>OpenVPN server is empty!</source>
        <translation>OpenVPN-server is leeg!</translation>
    </message>
    <message>
        <source>Error: the Stealth transport could not be started</source>
        <translation>Fout: het Stealth-transport kon niet worden gestart</translation>
    </message>
    <message>
        <source>Error: the OpenVPN configuration could not be written</source>
        <translation>Fout: de OpenVPN-configuratie kon niet worden geschreven</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program: OpenVPN was not started</source>
        <translation>Poort %1 is in gebruik door een ander programma: OpenVPN is niet gestart</translation>
    </message>
    <message>
        <source>Stealth mode could not start: stunnel is not listening on %1:%2</source>
        <translation>Stealth-modus kon niet starten: stunnel luistert niet op %1:%2</translation>
    </message>
    <message>
        <source>Error: OpenVPN sent a management line longer than 64 KiB</source>
        <translation>Fout: OpenVPN stuurde een beheerregel langer dan 64 KiB</translation>
    </message>
    <message>
        <source>Error: Wrong Username/Password</source>
        <translation>Fout: onjuiste gebruikersnaam of wachtwoord</translation>
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
        <translation>Serverlijst</translation>
    </message>
</context>
<context>
    <name>ServerListItem</name>
    <message>
        <source>Collapse</source>
        <translation>Samenvouwen</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>Uitvouwen</translation>
    </message>
    <message>
        <source>Remove from favorites</source>
        <translation>Verwijderen uit favorieten</translation>
    </message>
    <message>
        <source>Add to favorites</source>
        <translation>Toevoegen aan favorieten</translation>
    </message>
</context>
<context>
    <name>ServerListModel</name>
    <message>
        <source>Search</source>
        <translation>Zoeken</translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation>Niet geselecteerd</translation>
    </message>
    <message>
        <source>Favorite Servers</source>
        <translation>Favoriete servers</translation>
    </message>
    <message>
        <source>Recent Servers</source>
        <translation>Recente servers</translation>
    </message>
</context>
<context>
    <name>ServerListView</name>
    <message>
        <source>No items to display</source>
        <translation>Geen items om weer te geven</translation>
    </message>
</context>
<context>
    <name>ServerlistTabBar</name>
    <message>
        <source>Recommended</source>
        <translation>Aanbevolen</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Recent</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Auto</source>
        <translation>Automatisch</translation>
    </message>
</context>
<context>
    <name>SettingsWindowAuthSection</name>
    <message>
        <source>Authentication</source>
        <translation>Authenticatie</translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>Bijgewerkt</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Gebruikersnaam</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Wachtwoord</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Bijwerken</translation>
    </message>
</context>
<context>
    <name>SettingsWindowKillSwitchSection</name>
    <message>
        <source>Kill switch</source>
        <translation>Noodstop</translation>
    </message>
    <message>
        <source>Enable Network lock (Internet kill switch). Available only for OpenVPN</source>
        <translation>Netwerkvergrendeling inschakelen (internet-noodstop). Alleen beschikbaar voor OpenVPN</translation>
    </message>
    <message>
        <source>Network Lock ensures your Internet traffic goes through %1 secure tunnel</source>
        <translation>Netwerkvergrendeling zorgt ervoor dat uw internetverkeer door de beveiligde tunnel van %1 gaat</translation>
    </message>
    <message>
        <source>and stops all traffic if %1 disconnects unexpectedly</source>
        <translation>en stopt al het verkeer als %1 onverwacht de verbinding verliest</translation>
    </message>
    <message>
        <source>Allow access to local network devices such as shares printers</source>
        <translation>Toegang toestaan tot apparaten in het lokale netwerk, zoals gedeelde mappen en printers</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMiscellaneousSection</name>
    <message>
        <source>Miscellaneous</source>
        <translation>Overige</translation>
    </message>
    <message>
        <source>Show notifications</source>
        <translation>Meldingen tonen</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Taal</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMtuSection</name>
    <message>
        <source>MTU Size</source>
        <translation>MTU-grootte</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Handmatig</translation>
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
        <translation>Biedt meestal de beste combinatie van snelheid en beveiliging, maar werkt mogelijk niet op alle netwerken</translation>
    </message>
    <message>
        <source>TCP - OpenVPN</source>
        <translation>TCP - OpenVPN</translation>
    </message>
    <message>
        <source>This is more likely to function on all types of networks, but might be slower than UDP</source>
        <translation>Werkt waarschijnlijk op alle soorten netwerken, maar kan trager zijn dan UDP</translation>
    </message>
    <message>
        <source>Stealth</source>
        <translation>Stealth</translation>
    </message>
    <message>
        <source>Stealth is our openvpn over TLS/SSL protocol, use this option if you are behind a heavy firewall or to mask your openvpn traffic for deep packet inspection</source>
        <translation>Stealth is ons OpenVPN-over-TLS/SSL-protocol. Gebruik deze optie als u achter een strenge firewall zit of om uw OpenVPN-verkeer te verbergen voor deep packet inspection</translation>
    </message>
    <message>
        <source>IPv6</source>
        <translation>IPv6</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Poort</translation>
    </message>
</context>
<context>
    <name>SettingsWindowShowLogsSection</name>
    <message>
        <source>Show logs</source>
        <translation>Logboeken tonen</translation>
    </message>
    <message>
        <source>Show logs collected by application</source>
        <translation>Logboeken tonen die de toepassing heeft verzameld</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>Logboekmap tonen</translation>
    </message>
</context>
<context>
    <name>SettingsWindowStartupSection</name>
    <message>
        <source>Startup</source>
        <translation>Opstarten</translation>
    </message>
    <message>
        <source>Launch %1 on %2 startup</source>
        <translation>%1 starten bij het opstarten van %2</translation>
    </message>
    <message>
        <source>Connect to the last used location when %1 is launched</source>
        <translation>Verbinden met de laatst gebruikte locatie wanneer %1 wordt gestart</translation>
    </message>
    <message>
        <source>Re-establish VPN connection if disconnected or dropped</source>
        <translation>VPN-verbinding herstellen als deze wordt verbroken of wegvalt</translation>
    </message>
    <message>
        <source>Start minimized</source>
        <translation>Geminimaliseerd starten</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Uitgeschakeld</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>Naar het systeemvak</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>Naar de taakbalk</translation>
    </message>
</context>
<context>
    <name>SettingsWindowTabBar</name>
    <message>
        <source>General</source>
        <translation>Algemeen</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Geavanceerd</translation>
    </message>
</context>
<context>
    <name>SettingsWindowUpdateApplicationSection</name>
    <message>
        <source>Auto Update</source>
        <translation>Automatisch bijwerken</translation>
    </message>
    <message>
        <source>Automatically update application</source>
        <translation>Toepassing automatisch bijwerken</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Settings</source>
        <translation>Instellingen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Afsluiten</translation>
    </message>
</context>
<context>
    <name>ThemeWindow</name>
    <message>
        <source>Theme editor</source>
        <translation>Thema-editor</translation>
    </message>
    <message>
        <source>Please choose a file</source>
        <translation>Kies een bestand</translation>
    </message>
    <message>
        <source>Theme files (*.ini)</source>
        <translation>Themabestanden (*.ini)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle bestanden (*)</translation>
    </message>
    <message>
        <source>Label 1</source>
        <translation>Tekst 1</translation>
    </message>
    <message>
        <source>Label 2</source>
        <translation>Tekst 2</translation>
    </message>
    <message>
        <source>Label 4</source>
        <translation>Tekst 4</translation>
    </message>
    <message>
        <source>Label 5</source>
        <translation>Tekst 5</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>Knop</translation>
    </message>
    <message>
        <source>Switch</source>
        <translation>Schakelaar</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>Keuzerondje</translation>
    </message>
    <message>
        <source>Tab 1</source>
        <translation>Tabblad 1</translation>
    </message>
    <message>
        <source>Tab 2</source>
        <translation>Tabblad 2</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Laden</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Opslaan</translation>
    </message>
</context>
<context>
    <name>VpnClient</name>
    <message>
        <source>Server address is not valid!</source>
        <translation>Serveradres is ongeldig!</translation>
    </message>
    <message>
        <source>Another user of this computer is connected to the VPN</source>
        <translation>Een andere gebruiker van deze computer is verbonden met de VPN</translation>
    </message>
</context>
<context>
    <name>VpnConnectionButton</name>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>Disconnection in progress...</source>
        <translation>Verbinding wordt verbroken...</translation>
    </message>
    <message>
        <source>SWITCH ON</source>
        <translation>INSCHAKELEN</translation>
    </message>
    <message>
        <source>SWITCH OFF</source>
        <translation>UITSCHAKELEN</translation>
    </message>
    <message>
        <source>DURATION</source>
        <translation>DUUR</translation>
    </message>
</context>
<context>
    <name>VpnConnectionInfo</name>
    <message>
        <source>Server location</source>
        <translation>Serverlocatie</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Gedownload</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>Geüpload</translation>
    </message>
</context>
<context>
    <name>VpnCore</name>
    <message>
        <source>Updating...</source>
        <translation>Bijwerken...</translation>
    </message>
    <message>
        <source>Username or password is empty!</source>
        <translation>Gebruikersnaam of wachtwoord is leeg!</translation>
    </message>
    <message>
        <source>VPN server IP is empty!</source>
        <translation>IP-adres van VPN-server is leeg!</translation>
    </message>
    <message>
        <source>There are no ports for this connection</source>
        <translation>Er zijn geen poorten voor deze verbinding</translation>
    </message>
    <message>
        <source>Auto reconnection</source>
        <translation>Automatisch opnieuw verbinden</translation>
    </message>
    <message>
        <source>Best in</source>
        <translation>Beste in</translation>
    </message>
    <message>
        <source>Your current IP</source>
        <translation>Uw huidige IP</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fout</translation>
    </message>
</context>
<context>
    <name>WireGuardClient</name>
    <message>
        <source>WireGuard is not supported on this system</source>
        <translation>WireGuard wordt op dit systeem niet ondersteund</translation>
    </message>
    <message>
        <source>Server name is empty!</source>
        <translation>Servernaam is leeg!</translation>
    </message>
    <message>
        <source>Error: the WireGuard configuration could not be written</source>
        <translation>Fout: de WireGuard-configuratie kon niet worden geschreven</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program: WireGuard was not started</source>
        <translation>Poort %1 is in gebruik door een ander programma: WireGuard is niet gestart</translation>
    </message>
    <message>
        <source>Error: WireGuard sent a report line longer than 64 KiB</source>
        <translation>Fout: WireGuard stuurde een rapportregel langer dan 64 KiB</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>System service is not running!</source>
        <translation>Systeemservice is niet actief!</translation>
    </message>
    <message>
        <source>Debug mode.</source>
        <translation>Foutopsporingsmodus.</translation>
    </message>
    <message>
        <source>Couldn&apos;t detect any system tray on this system.</source>
        <translation>Er is geen systeemvak gevonden op dit systeem.</translation>
    </message>
    <message>
        <source>Killswitch event</source>
        <translation>Noodstop geactiveerd</translation>
    </message>
    <message>
        <source>Connection to Internet is blocked</source>
        <translation>De verbinding met internet is geblokkeerd</translation>
    </message>
</context>
</TS>
