<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ms" sourcelanguage="en">
<context>
    <name>AContextMenu</name>
    <message>
        <source>Cut</source>
        <translation>Potong</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Salin</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Tampal</translation>
    </message>
</context>
<context>
    <name>ASearchField</name>
    <message>
        <source>Search</source>
        <translation>Cari</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>New version found.
Do you want to update to version %1?</source>
        <translation>Versi baharu ditemui.
Adakah anda mahu mengemas kini ke versi %1?</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Kemas kini</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Langkau</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Sambung</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Putuskan sambungan</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Terputus</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Disambungkan</translation>
    </message>
    <message>
        <source>will be keep running in background</source>
        <translation>akan terus berjalan di latar belakang</translation>
    </message>
</context>
<context>
    <name>ConnectionState</name>
    <message>
        <source>Disconnected</source>
        <translation>Terputus</translation>
    </message>
    <message>
        <source>Preparing</source>
        <translation>Menyediakan</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Menyambung...</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Disambungkan</translation>
    </message>
    <message>
        <source>Disconnecting...</source>
        <translation>Memutuskan sambungan...</translation>
    </message>
    <message>
        <source>Reconnecting...</source>
        <translation>Menyambung semula...</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>Ralat!</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Tidak diketahui</translation>
    </message>
</context>
<context>
    <name>CriticalErrorBox</name>
    <message>
        <source>Critical error, exiting (Click &apos;Show logs&apos; for details).</source>
        <translation>Ralat kritikal, keluar (Klik &apos;Tunjukkan log&apos; untuk butiran).</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Tutup</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>Tunjukkan log</translation>
    </message>
</context>
<context>
    <name>FooterItem</name>
    <message>
        <source>Settings</source>
        <translation>Tetapan</translation>
    </message>
</context>
<context>
    <name>OpenVpnClient</name>
    <message>
        <source>OpenVPN server is empty!</source>
        <translation>Pelayan OpenVPN kosong!</translation>
    </message>
    <message>
        <source>Error: the Stealth transport could not be started</source>
        <translation>Ralat: pengangkutan Stealth tidak dapat dimulakan</translation>
    </message>
    <message>
        <source>Error: the OpenVPN configuration could not be written</source>
        <translation>Ralat: konfigurasi OpenVPN tidak dapat ditulis</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program: OpenVPN was not started</source>
        <translation>Port %1 digunakan oleh program lain: OpenVPN tidak dimulakan</translation>
    </message>
    <message>
        <source>Stealth mode could not start: stunnel is not listening on %1:%2</source>
        <translation>Mod Stealth tidak dapat dimulakan: stunnel tidak mendengar pada %1:%2</translation>
    </message>
    <message>
        <source>Error: OpenVPN sent a management line longer than 64 KiB</source>
        <translation>Ralat: OpenVPN menghantar baris pengurusan yang melebihi 64 KiB</translation>
    </message>
    <message>
        <source>Error: Wrong Username/Password</source>
        <translation>Ralat: Nama pengguna/Kata laluan salah</translation>
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
        <translation>Senarai pelayan</translation>
    </message>
</context>
<context>
    <name>ServerListItem</name>
    <message>
        <source>Collapse</source>
        <translation>Kuncupkan</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>Kembangkan</translation>
    </message>
    <message>
        <source>Remove from favorites</source>
        <translation>Alih keluar daripada kegemaran</translation>
    </message>
    <message>
        <source>Add to favorites</source>
        <translation>Tambah ke kegemaran</translation>
    </message>
</context>
<context>
    <name>ServerListModel</name>
    <message>
        <source>Search</source>
        <translation>Cari</translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation>Tidak dipilih</translation>
    </message>
    <message>
        <source>Favorite Servers</source>
        <translation>Pelayan Kegemaran</translation>
    </message>
    <message>
        <source>Recent Servers</source>
        <translation>Pelayan Terkini</translation>
    </message>
</context>
<context>
    <name>ServerListView</name>
    <message>
        <source>No items to display</source>
        <translation>Tiada item untuk dipaparkan</translation>
    </message>
</context>
<context>
    <name>ServerlistTabBar</name>
    <message>
        <source>Recommended</source>
        <translation>Disyorkan</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Semua</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Terkini</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Auto</source>
        <translation>Automatik</translation>
    </message>
</context>
<context>
    <name>SettingsWindowAuthSection</name>
    <message>
        <source>Authentication</source>
        <translation>Pengesahan</translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>Dikemas kini</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Nama pengguna</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Kata laluan</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Kemas kini</translation>
    </message>
</context>
<context>
    <name>SettingsWindowKillSwitchSection</name>
    <message>
        <source>Kill switch</source>
        <translation>Suis pemutus</translation>
    </message>
    <message>
        <source>Enable Network lock (Internet kill switch). Available only for OpenVPN</source>
        <translation>Dayakan Network lock (suis pemutus Internet). Hanya tersedia untuk OpenVPN</translation>
    </message>
    <message>
        <source>Network Lock ensures your Internet traffic goes through %1 secure tunnel</source>
        <translation>Network Lock memastikan trafik Internet anda melalui terowong selamat %1</translation>
    </message>
    <message>
        <source>and stops all traffic if %1 disconnects unexpectedly</source>
        <translation>dan menghentikan semua trafik jika %1 terputus secara tiba-tiba</translation>
    </message>
    <message>
        <source>Allow access to local network devices such as shares printers</source>
        <translation>Benarkan akses ke peranti rangkaian setempat seperti folder kongsi dan pencetak</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMiscellaneousSection</name>
    <message>
        <source>Miscellaneous</source>
        <translation>Pelbagai</translation>
    </message>
    <message>
        <source>Show notifications</source>
        <translation>Tunjukkan pemberitahuan</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Bahasa</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMtuSection</name>
    <message>
        <source>MTU Size</source>
        <translation>Saiz MTU</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Automatik</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manual</translation>
    </message>
</context>
<context>
    <name>SettingsWindowProtocolSection</name>
    <message>
        <source>Protocol</source>
        <translation>Protokol</translation>
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
        <translation>Biasanya menawarkan gabungan terbaik kelajuan dan keselamatan, tetapi mungkin tidak berfungsi pada semua rangkaian</translation>
    </message>
    <message>
        <source>TCP - OpenVPN</source>
        <translation>TCP - OpenVPN</translation>
    </message>
    <message>
        <source>This is more likely to function on all types of networks, but might be slower than UDP</source>
        <translation>Pilihan ini lebih cenderung berfungsi pada semua jenis rangkaian, tetapi mungkin lebih perlahan daripada UDP</translation>
    </message>
    <message>
        <source>Stealth</source>
        <translation>Stealth</translation>
    </message>
    <message>
        <source>Stealth is our openvpn over TLS/SSL protocol, use this option if you are behind a heavy firewall or to mask your openvpn traffic for deep packet inspection</source>
        <translation>Stealth ialah protokol OpenVPN kami melalui TLS/SSL. Gunakan pilihan ini jika anda berada di belakang tembok api yang ketat atau untuk menyamarkan trafik OpenVPN anda daripada pemeriksaan paket mendalam</translation>
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
        <translation>Tunjukkan log</translation>
    </message>
    <message>
        <source>Show logs collected by application</source>
        <translation>Tunjukkan log yang dikumpul oleh aplikasi</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>Tunjukkan folder log</translation>
    </message>
</context>
<context>
    <name>SettingsWindowStartupSection</name>
    <message>
        <source>Startup</source>
        <translation>Permulaan</translation>
    </message>
    <message>
        <source>Launch %1 on %2 startup</source>
        <translation>Lancarkan %1 semasa %2 dimulakan</translation>
    </message>
    <message>
        <source>Connect to the last used location when %1 is launched</source>
        <translation>Sambung ke lokasi terakhir digunakan apabila %1 dilancarkan</translation>
    </message>
    <message>
        <source>Re-establish VPN connection if disconnected or dropped</source>
        <translation>Wujudkan semula sambungan VPN jika terputus atau tergugur</translation>
    </message>
    <message>
        <source>Start minimized</source>
        <translation>Mula dalam keadaan diminimumkan</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Dinyahdayakan</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>Ke dulang sistem</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>Ke bar tugas</translation>
    </message>
</context>
<context>
    <name>SettingsWindowTabBar</name>
    <message>
        <source>General</source>
        <translation>Umum</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Lanjutan</translation>
    </message>
</context>
<context>
    <name>SettingsWindowUpdateApplicationSection</name>
    <message>
        <source>Auto Update</source>
        <translation>Kemas Kini Automatik</translation>
    </message>
    <message>
        <source>Automatically update application</source>
        <translation>Kemas kini aplikasi secara automatik</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Settings</source>
        <translation>Tetapan</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Keluar</translation>
    </message>
</context>
<context>
    <name>ThemeWindow</name>
    <message>
        <source>Theme editor</source>
        <translation>Editor tema</translation>
    </message>
    <message>
        <source>Please choose a file</source>
        <translation>Sila pilih fail</translation>
    </message>
    <message>
        <source>Theme files (*.ini)</source>
        <translation>Fail tema (*.ini)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Semua fail (*)</translation>
    </message>
    <message>
        <source>Label 1</source>
        <translation>Teks 1</translation>
    </message>
    <message>
        <source>Label 2</source>
        <translation>Teks 2</translation>
    </message>
    <message>
        <source>Label 4</source>
        <translation>Teks 4</translation>
    </message>
    <message>
        <source>Label 5</source>
        <translation>Teks 5</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>Butang</translation>
    </message>
    <message>
        <source>Switch</source>
        <translation>Suis</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>Butang radio</translation>
    </message>
    <message>
        <source>Tab 1</source>
        <translation>Halaman 1</translation>
    </message>
    <message>
        <source>Tab 2</source>
        <translation>Halaman 2</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Muatkan</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Simpan</translation>
    </message>
</context>
<context>
    <name>VpnClient</name>
    <message>
        <source>Server address is not valid!</source>
        <translation>Alamat pelayan tidak sah!</translation>
    </message>
    <message>
        <source>Another user of this computer is connected to the VPN</source>
        <translation>Pengguna lain komputer ini sedang disambungkan ke VPN</translation>
    </message>
</context>
<context>
    <name>VpnConnectionButton</name>
    <message>
        <source>Cancel</source>
        <translation>Batal</translation>
    </message>
    <message>
        <source>Disconnection in progress...</source>
        <translation>Sedang memutuskan sambungan...</translation>
    </message>
    <message>
        <source>SWITCH ON</source>
        <translation>HIDUPKAN</translation>
    </message>
    <message>
        <source>SWITCH OFF</source>
        <translation>MATIKAN</translation>
    </message>
    <message>
        <source>DURATION</source>
        <translation>TEMPOH</translation>
    </message>
</context>
<context>
    <name>VpnConnectionInfo</name>
    <message>
        <source>Server location</source>
        <translation>Lokasi pelayan</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Dimuat turun</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>Dimuat naik</translation>
    </message>
</context>
<context>
    <name>VpnCore</name>
    <message>
        <source>Updating...</source>
        <translation>Mengemas kini...</translation>
    </message>
    <message>
        <source>Username or password is empty!</source>
        <translation>Nama pengguna atau kata laluan kosong!</translation>
    </message>
    <message>
        <source>VPN server IP is empty!</source>
        <translation>IP pelayan VPN kosong!</translation>
    </message>
    <message>
        <source>There are no ports for this connection</source>
        <translation>Tiada port untuk sambungan ini</translation>
    </message>
    <message>
        <source>Auto reconnection</source>
        <translation>Sambung semula automatik</translation>
    </message>
    <message>
        <source>Best in</source>
        <translation>Terbaik di</translation>
    </message>
    <message>
        <source>Your current IP</source>
        <translation>IP semasa anda</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ralat</translation>
    </message>
</context>
<context>
    <name>WireGuardClient</name>
    <message>
        <source>WireGuard is not supported on this system</source>
        <translation>WireGuard tidak disokong pada sistem ini</translation>
    </message>
    <message>
        <source>Server name is empty!</source>
        <translation>Nama pelayan kosong!</translation>
    </message>
    <message>
        <source>Error: the WireGuard configuration could not be written</source>
        <translation>Ralat: konfigurasi WireGuard tidak dapat ditulis</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program: WireGuard was not started</source>
        <translation>Port %1 digunakan oleh program lain: WireGuard tidak dimulakan</translation>
    </message>
    <message>
        <source>Error: WireGuard sent a report line longer than 64 KiB</source>
        <translation>Ralat: WireGuard menghantar baris laporan yang melebihi 64 KiB</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>System service is not running!</source>
        <translation>Perkhidmatan sistem tidak berjalan!</translation>
    </message>
    <message>
        <source>Debug mode.</source>
        <translation>Mod nyahpepijat.</translation>
    </message>
    <message>
        <source>Couldn&apos;t detect any system tray on this system.</source>
        <translation>Tidak dapat mengesan dulang sistem pada sistem ini.</translation>
    </message>
    <message>
        <source>Killswitch event</source>
        <translation>Peristiwa suis pemutus</translation>
    </message>
    <message>
        <source>Connection to Internet is blocked</source>
        <translation>Sambungan ke Internet disekat</translation>
    </message>
</context>
</TS>
