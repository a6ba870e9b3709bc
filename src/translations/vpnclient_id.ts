<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="id" sourcelanguage="en">
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
        <translation>Tempel</translation>
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
        <translation>Versi baru ditemukan.
Apakah Anda ingin memperbarui ke versi %1?</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Perbarui</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Lewati</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Hubungkan</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Putuskan</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Terputus</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Terhubung</translation>
    </message>
    <message>
        <source>will be keep running in background</source>
        <translation>akan tetap berjalan di latar belakang</translation>
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
        <translation>Menyiapkan</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Menghubungkan...</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Terhubung</translation>
    </message>
    <message>
        <source>Disconnecting...</source>
        <translation>Memutuskan...</translation>
    </message>
    <message>
        <source>Reconnecting...</source>
        <translation>Menghubungkan ulang...</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>Galat!</translation>
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
        <translation>Galat kritis, keluar (Klik &apos;Tampilkan log&apos; untuk detail).</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Tutup</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>Tampilkan log</translation>
    </message>
</context>
<context>
    <name>FooterItem</name>
    <message>
        <source>Settings</source>
        <translation>Pengaturan</translation>
    </message>
</context>
<context>
    <name>OpenVpnClient</name>
    <message>
        <source>OpenVPN server is empty!</source>
        <translation>Server OpenVPN kosong!</translation>
    </message>
    <message>
        <source>Error: the Stealth transport could not be started</source>
        <translation>Galat: transport Stealth tidak dapat dimulai</translation>
    </message>
    <message>
        <source>Error: the OpenVPN configuration could not be written</source>
        <translation>Galat: konfigurasi OpenVPN tidak dapat ditulis</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program: OpenVPN was not started</source>
        <translation>Port %1 digunakan oleh program lain: OpenVPN tidak dijalankan</translation>
    </message>
    <message>
        <source>Stealth mode could not start: stunnel is not listening on %1:%2</source>
        <translation>Mode Stealth tidak dapat dimulai: stunnel tidak mendengarkan di %1:%2</translation>
    </message>
    <message>
        <source>Error: OpenVPN sent a management line longer than 64 KiB</source>
        <translation>Galat: OpenVPN mengirim baris manajemen yang lebih panjang dari 64 KiB</translation>
    </message>
    <message>
        <source>Error: Wrong Username/Password</source>
        <translation>Galat: Nama pengguna/Kata sandi salah</translation>
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
        <translation>Daftar server</translation>
    </message>
</context>
<context>
    <name>ServerListItem</name>
    <message>
        <source>Collapse</source>
        <translation>Ciutkan</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>Bentangkan</translation>
    </message>
    <message>
        <source>Remove from favorites</source>
        <translation>Hapus dari favorit</translation>
    </message>
    <message>
        <source>Add to favorites</source>
        <translation>Tambahkan ke favorit</translation>
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
        <translation>Belum dipilih</translation>
    </message>
    <message>
        <source>Favorite Servers</source>
        <translation>Server Favorit</translation>
    </message>
    <message>
        <source>Recent Servers</source>
        <translation>Server Terakhir</translation>
    </message>
</context>
<context>
    <name>ServerListView</name>
    <message>
        <source>No items to display</source>
        <translation>Tidak ada item untuk ditampilkan</translation>
    </message>
</context>
<context>
    <name>ServerlistTabBar</name>
    <message>
        <source>Recommended</source>
        <translation>Direkomendasikan</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Semua</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Terakhir</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Auto</source>
        <translation>Otomatis</translation>
    </message>
</context>
<context>
    <name>SettingsWindowAuthSection</name>
    <message>
        <source>Authentication</source>
        <translation>Autentikasi</translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>Diperbarui</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Nama pengguna</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Kata sandi</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Perbarui</translation>
    </message>
</context>
<context>
    <name>SettingsWindowKillSwitchSection</name>
    <message>
        <source>Kill switch</source>
        <translation>Pemutus koneksi</translation>
    </message>
    <message>
        <source>Enable Network lock (Internet kill switch). Available only for OpenVPN</source>
        <translation>Aktifkan Network lock (pemutus Internet). Hanya tersedia untuk OpenVPN</translation>
    </message>
    <message>
        <source>Network Lock ensures your Internet traffic goes through %1 secure tunnel</source>
        <translation>Network Lock memastikan lalu lintas Internet Anda melewati terowongan aman %1</translation>
    </message>
    <message>
        <source>and stops all traffic if %1 disconnects unexpectedly</source>
        <translation>dan menghentikan semua lalu lintas jika %1 terputus secara tiba-tiba</translation>
    </message>
    <message>
        <source>Allow access to local network devices such as shares printers</source>
        <translation>Izinkan akses ke perangkat jaringan lokal seperti folder berbagi dan printer</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMiscellaneousSection</name>
    <message>
        <source>Miscellaneous</source>
        <translation>Lain-lain</translation>
    </message>
    <message>
        <source>Show notifications</source>
        <translation>Tampilkan notifikasi</translation>
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
        <translation>Ukuran MTU</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Otomatis</translation>
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
        <translation>Biasanya memberikan kombinasi terbaik antara kecepatan dan keamanan, tetapi mungkin tidak berfungsi di semua jaringan</translation>
    </message>
    <message>
        <source>TCP - OpenVPN</source>
        <translation>TCP - OpenVPN</translation>
    </message>
    <message>
        <source>This is more likely to function on all types of networks, but might be slower than UDP</source>
        <translation>Opsi ini lebih mungkin berfungsi di semua jenis jaringan, tetapi bisa lebih lambat dari UDP</translation>
    </message>
    <message>
        <source>Stealth</source>
        <translation>Stealth</translation>
    </message>
    <message>
        <source>Stealth is our openvpn over TLS/SSL protocol, use this option if you are behind a heavy firewall or to mask your openvpn traffic for deep packet inspection</source>
        <translation>Stealth adalah protokol OpenVPN kami melalui TLS/SSL. Gunakan opsi ini jika Anda berada di balik firewall yang ketat atau untuk menyamarkan lalu lintas OpenVPN Anda dari deep packet inspection</translation>
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
        <translation>Tampilkan log</translation>
    </message>
    <message>
        <source>Show logs collected by application</source>
        <translation>Tampilkan log yang dikumpulkan aplikasi</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>Tampilkan folder log</translation>
    </message>
</context>
<context>
    <name>SettingsWindowStartupSection</name>
    <message>
        <source>Startup</source>
        <translation>Saat memulai</translation>
    </message>
    <message>
        <source>Launch %1 on %2 startup</source>
        <translation>Jalankan %1 saat %2 dimulai</translation>
    </message>
    <message>
        <source>Connect to the last used location when %1 is launched</source>
        <translation>Hubungkan ke lokasi terakhir yang digunakan saat %1 dijalankan</translation>
    </message>
    <message>
        <source>Re-establish VPN connection if disconnected or dropped</source>
        <translation>Sambungkan ulang koneksi VPN jika terputus</translation>
    </message>
    <message>
        <source>Start minimized</source>
        <translation>Mulai dalam keadaan diminimalkan</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Nonaktif</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>Ke baki sistem</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>Ke bilah tugas</translation>
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
        <translation>Pembaruan Otomatis</translation>
    </message>
    <message>
        <source>Automatically update application</source>
        <translation>Perbarui aplikasi secara otomatis</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Settings</source>
        <translation>Pengaturan</translation>
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
        <translation>Silakan pilih berkas</translation>
    </message>
    <message>
        <source>Theme files (*.ini)</source>
        <translation>Berkas tema (*.ini)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Semua berkas (*)</translation>
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
        <translation>Tombol</translation>
    </message>
    <message>
        <source>Switch</source>
        <translation>Sakelar</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>Tombol radio</translation>
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
        <translation>Muat</translation>
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
        <translation>Alamat server tidak valid!</translation>
    </message>
    <message>
        <source>Another user of this computer is connected to the VPN</source>
        <translation>Pengguna lain di komputer ini sedang terhubung ke VPN</translation>
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
        <translation>Sedang memutuskan koneksi...</translation>
    </message>
    <message>
        <source>SWITCH ON</source>
        <translation>NYALAKAN</translation>
    </message>
    <message>
        <source>SWITCH OFF</source>
        <translation>MATIKAN</translation>
    </message>
    <message>
        <source>DURATION</source>
        <translation>DURASI</translation>
    </message>
</context>
<context>
    <name>VpnConnectionInfo</name>
    <message>
        <source>Server location</source>
        <translation>Lokasi server</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Diunduh</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>Diunggah</translation>
    </message>
</context>
<context>
    <name>VpnCore</name>
    <message>
        <source>Updating...</source>
        <translation>Memperbarui...</translation>
    </message>
    <message>
        <source>Username or password is empty!</source>
        <translation>Nama pengguna atau kata sandi kosong!</translation>
    </message>
    <message>
        <source>VPN server IP is empty!</source>
        <translation>IP server VPN kosong!</translation>
    </message>
    <message>
        <source>There are no ports for this connection</source>
        <translation>Tidak ada port untuk koneksi ini</translation>
    </message>
    <message>
        <source>Auto reconnection</source>
        <translation>Sambung ulang otomatis</translation>
    </message>
    <message>
        <source>Best in</source>
        <translation>Terbaik di</translation>
    </message>
    <message>
        <source>Your current IP</source>
        <translation>IP Anda saat ini</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Galat</translation>
    </message>
</context>
<context>
    <name>WireGuardClient</name>
    <message>
        <source>WireGuard is not supported on this system</source>
        <translation>WireGuard tidak didukung pada sistem ini</translation>
    </message>
    <message>
        <source>Server name is empty!</source>
        <translation>Nama server kosong!</translation>
    </message>
    <message>
        <source>Error: the WireGuard configuration could not be written</source>
        <translation>Galat: konfigurasi WireGuard tidak dapat ditulis</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program: WireGuard was not started</source>
        <translation>Port %1 digunakan oleh program lain: WireGuard tidak dijalankan</translation>
    </message>
    <message>
        <source>Error: WireGuard sent a report line longer than 64 KiB</source>
        <translation>Galat: WireGuard mengirim baris laporan yang lebih panjang dari 64 KiB</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>System service is not running!</source>
        <translation>Layanan sistem tidak berjalan!</translation>
    </message>
    <message>
        <source>Debug mode.</source>
        <translation>Mode debug.</translation>
    </message>
    <message>
        <source>Couldn&apos;t detect any system tray on this system.</source>
        <translation>Tidak dapat mendeteksi area notifikasi sistem pada sistem ini.</translation>
    </message>
    <message>
        <source>Killswitch event</source>
        <translation>Pemutus koneksi aktif</translation>
    </message>
    <message>
        <source>Connection to Internet is blocked</source>
        <translation>Koneksi ke Internet diblokir</translation>
    </message>
</context>
</TS>
