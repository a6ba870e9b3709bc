<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="th" sourcelanguage="en">
<context>
    <name>AContextMenu</name>
    <message>
        <source>Cut</source>
        <translation>ตัด</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>คัดลอก</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>วาง</translation>
    </message>
</context>
<context>
    <name>ASearchField</name>
    <message>
        <source>Search</source>
        <translation>ค้นหา</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>New version found.
Do you want to update to version %1?</source>
        <translation>พบเวอร์ชันใหม่
คุณต้องการอัปเดตเป็นเวอร์ชัน %1 หรือไม่?</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>อัปเดต</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>ข้าม</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>เชื่อมต่อ</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>ยกเลิกการเชื่อมต่อ</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>ไม่ได้เชื่อมต่อ</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>เชื่อมต่อแล้ว</translation>
    </message>
    <message>
        <source>will be keep running in background</source>
        <translation>จะยังคงทำงานอยู่เบื้องหลัง</translation>
    </message>
</context>
<context>
    <name>ConnectionState</name>
    <message>
        <source>Disconnected</source>
        <translation>ไม่ได้เชื่อมต่อ</translation>
    </message>
    <message>
        <source>Preparing</source>
        <translation>กำลังเตรียมการ</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>กำลังเชื่อมต่อ...</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>เชื่อมต่อแล้ว</translation>
    </message>
    <message>
        <source>Disconnecting...</source>
        <translation>กำลังยกเลิกการเชื่อมต่อ...</translation>
    </message>
    <message>
        <source>Reconnecting...</source>
        <translation>กำลังเชื่อมต่อใหม่...</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>ข้อผิดพลาด!</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>ไม่ทราบ</translation>
    </message>
</context>
<context>
    <name>CriticalErrorBox</name>
    <message>
        <source>Critical error, exiting (Click &apos;Show logs&apos; for details).</source>
        <translation>เกิดข้อผิดพลาดร้ายแรง กำลังออกจากโปรแกรม (คลิก &apos;แสดงบันทึก&apos; เพื่อดูรายละเอียด)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>ปิด</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>แสดงบันทึก</translation>
    </message>
</context>
<context>
    <name>FooterItem</name>
    <message>
        <source>Settings</source>
        <translation>การตั้งค่า</translation>
    </message>
</context>
<context>
    <name>OpenVpnClient</name>
    <message>
        <source>OpenVPN server is empty!</source>
        <translation>ไม่ได้ระบุเซิร์ฟเวอร์ OpenVPN!</translation>
    </message>
    <message>
        <source>Error: the Stealth transport could not be started</source>
        <translation>ข้อผิดพลาด: ไม่สามารถเริ่มการรับส่งแบบ Stealth ได้</translation>
    </message>
    <message>
        <source>Error: the OpenVPN configuration could not be written</source>
        <translation>ข้อผิดพลาด: ไม่สามารถเขียนการกำหนดค่า OpenVPN ได้</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program: OpenVPN was not started</source>
        <translation>พอร์ต %1 ถูกใช้งานโดยโปรแกรมอื่น: ไม่ได้เริ่ม OpenVPN</translation>
    </message>
    <message>
        <source>Stealth mode could not start: stunnel is not listening on %1:%2</source>
        <translation>ไม่สามารถเริ่มโหมด Stealth ได้: stunnel ไม่ได้รอรับการเชื่อมต่อที่ %1:%2</translation>
    </message>
    <message>
        <source>Error: OpenVPN sent a management line longer than 64 KiB</source>
        <translation>ข้อผิดพลาด: OpenVPN ส่งบรรทัดการจัดการที่ยาวเกิน 64 KiB</translation>
    </message>
    <message>
        <source>Error: Wrong Username/Password</source>
        <translation>ข้อผิดพลาด: ชื่อผู้ใช้หรือรหัสผ่านไม่ถูกต้อง</translation>
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
        <translation>รายชื่อเซิร์ฟเวอร์</translation>
    </message>
</context>
<context>
    <name>ServerListItem</name>
    <message>
        <source>Collapse</source>
        <translation>ย่อ</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>ขยาย</translation>
    </message>
    <message>
        <source>Remove from favorites</source>
        <translation>ลบออกจากรายการโปรด</translation>
    </message>
    <message>
        <source>Add to favorites</source>
        <translation>เพิ่มในรายการโปรด</translation>
    </message>
</context>
<context>
    <name>ServerListModel</name>
    <message>
        <source>Search</source>
        <translation>ค้นหา</translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation>ยังไม่ได้เลือก</translation>
    </message>
    <message>
        <source>Favorite Servers</source>
        <translation>เซิร์ฟเวอร์โปรด</translation>
    </message>
    <message>
        <source>Recent Servers</source>
        <translation>เซิร์ฟเวอร์ล่าสุด</translation>
    </message>
</context>
<context>
    <name>ServerListView</name>
    <message>
        <source>No items to display</source>
        <translation>ไม่มีรายการที่จะแสดง</translation>
    </message>
</context>
<context>
    <name>ServerlistTabBar</name>
    <message>
        <source>Recommended</source>
        <translation>แนะนำ</translation>
    </message>
    <message>
        <source>All</source>
        <translation>ทั้งหมด</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>ล่าสุด</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Auto</source>
        <translation>อัตโนมัติ</translation>
    </message>
</context>
<context>
    <name>SettingsWindowAuthSection</name>
    <message>
        <source>Authentication</source>
        <translation>การยืนยันตัวตน</translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>อัปเดตแล้ว</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>ชื่อผู้ใช้</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>รหัสผ่าน</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>อัปเดต</translation>
    </message>
</context>
<context>
    <name>SettingsWindowKillSwitchSection</name>
    <message>
        <source>Kill switch</source>
        <translation>สวิตช์ตัดการเชื่อมต่อ</translation>
    </message>
    <message>
        <source>Enable Network lock (Internet kill switch). Available only for OpenVPN</source>
        <translation>เปิดใช้การล็อกเครือข่าย (ตัดการเชื่อมต่ออินเทอร์เน็ต) ใช้ได้กับ OpenVPN เท่านั้น</translation>
    </message>
    <message>
        <source>Network Lock ensures your Internet traffic goes through %1 secure tunnel</source>
        <translation>การล็อกเครือข่ายช่วยให้การรับส่งข้อมูลอินเทอร์เน็ตของคุณผ่านอุโมงค์ที่ปลอดภัยของ %1</translation>
    </message>
    <message>
        <source>and stops all traffic if %1 disconnects unexpectedly</source>
        <translation>และหยุดการรับส่งข้อมูลทั้งหมดหาก %1 ตัดการเชื่อมต่อโดยไม่คาดคิด</translation>
    </message>
    <message>
        <source>Allow access to local network devices such as shares printers</source>
        <translation>อนุญาตให้เข้าถึงอุปกรณ์ในเครือข่ายท้องถิ่น เช่น โฟลเดอร์ที่แชร์และเครื่องพิมพ์</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMiscellaneousSection</name>
    <message>
        <source>Miscellaneous</source>
        <translation>เบ็ดเตล็ด</translation>
    </message>
    <message>
        <source>Show notifications</source>
        <translation>แสดงการแจ้งเตือน</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>ภาษา</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMtuSection</name>
    <message>
        <source>MTU Size</source>
        <translation>ขนาด MTU</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>อัตโนมัติ</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>กำหนดเอง</translation>
    </message>
</context>
<context>
    <name>SettingsWindowProtocolSection</name>
    <message>
        <source>Protocol</source>
        <translation>โปรโตคอล</translation>
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
        <translation>โดยทั่วไปให้ความเร็วและความปลอดภัยที่ลงตัวที่สุด แต่อาจใช้งานไม่ได้กับทุกเครือข่าย</translation>
    </message>
    <message>
        <source>TCP - OpenVPN</source>
        <translation>TCP - OpenVPN</translation>
    </message>
    <message>
        <source>This is more likely to function on all types of networks, but might be slower than UDP</source>
        <translation>มีแนวโน้มจะใช้งานได้กับเครือข่ายทุกประเภท แต่อาจช้ากว่า UDP</translation>
    </message>
    <message>
        <source>Stealth</source>
        <translation>Stealth</translation>
    </message>
    <message>
        <source>Stealth is our openvpn over TLS/SSL protocol, use this option if you are behind a heavy firewall or to mask your openvpn traffic for deep packet inspection</source>
        <translation>Stealth คือโปรโตคอล OpenVPN ผ่าน TLS/SSL ของเรา ใช้ตัวเลือกนี้หากคุณอยู่หลังไฟร์วอลล์ที่เข้มงวด หรือต้องการซ่อนการรับส่งข้อมูล OpenVPN จากการตรวจสอบแพ็กเก็ตเชิงลึก</translation>
    </message>
    <message>
        <source>IPv6</source>
        <translation>IPv6</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>พอร์ต</translation>
    </message>
</context>
<context>
    <name>SettingsWindowShowLogsSection</name>
    <message>
        <source>Show logs</source>
        <translation>แสดงบันทึก</translation>
    </message>
    <message>
        <source>Show logs collected by application</source>
        <translation>แสดงบันทึกที่แอปพลิเคชันเก็บรวบรวม</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>แสดงโฟลเดอร์บันทึก</translation>
    </message>
</context>
<context>
    <name>SettingsWindowStartupSection</name>
    <message>
        <source>Startup</source>
        <translation>การเริ่มต้น</translation>
    </message>
    <message>
        <source>Launch %1 on %2 startup</source>
        <translation>เปิด %1 เมื่อ %2 เริ่มทำงาน</translation>
    </message>
    <message>
        <source>Connect to the last used location when %1 is launched</source>
        <translation>เชื่อมต่อกับตำแหน่งที่ใช้ล่าสุดเมื่อเปิด %1</translation>
    </message>
    <message>
        <source>Re-establish VPN connection if disconnected or dropped</source>
        <translation>เชื่อมต่อ VPN ใหม่หากการเชื่อมต่อหลุดหรือขาดหาย</translation>
    </message>
    <message>
        <source>Start minimized</source>
        <translation>เริ่มโดยย่อหน้าต่าง</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>ปิดใช้งาน</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>ไปที่ถาดระบบ</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>ไปที่แถบงาน</translation>
    </message>
</context>
<context>
    <name>SettingsWindowTabBar</name>
    <message>
        <source>General</source>
        <translation>ทั่วไป</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>ขั้นสูง</translation>
    </message>
</context>
<context>
    <name>SettingsWindowUpdateApplicationSection</name>
    <message>
        <source>Auto Update</source>
        <translation>อัปเดตอัตโนมัติ</translation>
    </message>
    <message>
        <source>Automatically update application</source>
        <translation>อัปเดตแอปพลิเคชันโดยอัตโนมัติ</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Settings</source>
        <translation>การตั้งค่า</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>ออก</translation>
    </message>
</context>
<context>
    <name>ThemeWindow</name>
    <message>
        <source>Theme editor</source>
        <translation>ตัวแก้ไขธีม</translation>
    </message>
    <message>
        <source>Please choose a file</source>
        <translation>โปรดเลือกไฟล์</translation>
    </message>
    <message>
        <source>Theme files (*.ini)</source>
        <translation>ไฟล์ธีม (*.ini)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>ไฟล์ทั้งหมด (*)</translation>
    </message>
    <message>
        <source>Label 1</source>
        <translation>ป้ายกำกับ 1</translation>
    </message>
    <message>
        <source>Label 2</source>
        <translation>ป้ายกำกับ 2</translation>
    </message>
    <message>
        <source>Label 4</source>
        <translation>ป้ายกำกับ 4</translation>
    </message>
    <message>
        <source>Label 5</source>
        <translation>ป้ายกำกับ 5</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>ปุ่ม</translation>
    </message>
    <message>
        <source>Switch</source>
        <translation>สวิตช์</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>ตัวเลือก</translation>
    </message>
    <message>
        <source>Tab 1</source>
        <translation>แท็บ 1</translation>
    </message>
    <message>
        <source>Tab 2</source>
        <translation>แท็บ 2</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>โหลด</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>บันทึก</translation>
    </message>
</context>
<context>
    <name>VpnClient</name>
    <message>
        <source>Server address is not valid!</source>
        <translation>ที่อยู่เซิร์ฟเวอร์ไม่ถูกต้อง!</translation>
    </message>
    <message>
        <source>Another user of this computer is connected to the VPN</source>
        <translation>ผู้ใช้อื่นของคอมพิวเตอร์เครื่องนี้เชื่อมต่อ VPN อยู่</translation>
    </message>
</context>
<context>
    <name>VpnConnectionButton</name>
    <message>
        <source>Cancel</source>
        <translation>ยกเลิก</translation>
    </message>
    <message>
        <source>Disconnection in progress...</source>
        <translation>กำลังยกเลิกการเชื่อมต่อ...</translation>
    </message>
    <message>
        <source>SWITCH ON</source>
        <translation>เปิด</translation>
    </message>
    <message>
        <source>SWITCH OFF</source>
        <translation>ปิด</translation>
    </message>
    <message>
        <source>DURATION</source>
        <translation>ระยะเวลา</translation>
    </message>
</context>
<context>
    <name>VpnConnectionInfo</name>
    <message>
        <source>Server location</source>
        <translation>ตำแหน่งเซิร์ฟเวอร์</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>ดาวน์โหลด</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>อัปโหลด</translation>
    </message>
</context>
<context>
    <name>VpnCore</name>
    <message>
        <source>Updating...</source>
        <translation>กำลังอัปเดต...</translation>
    </message>
    <message>
        <source>Username or password is empty!</source>
        <translation>ชื่อผู้ใช้หรือรหัสผ่านว่างเปล่า!</translation>
    </message>
    <message>
        <source>VPN server IP is empty!</source>
        <translation>ไม่ได้ระบุ IP ของเซิร์ฟเวอร์ VPN!</translation>
    </message>
    <message>
        <source>There are no ports for this connection</source>
        <translation>ไม่มีพอร์ตสำหรับการเชื่อมต่อนี้</translation>
    </message>
    <message>
        <source>Auto reconnection</source>
        <translation>เชื่อมต่อใหม่อัตโนมัติ</translation>
    </message>
    <message>
        <source>Best in</source>
        <translation>ดีที่สุดใน</translation>
    </message>
    <message>
        <source>Your current IP</source>
        <translation>IP ปัจจุบันของคุณ</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>ข้อผิดพลาด</translation>
    </message>
</context>
<context>
    <name>WireGuardClient</name>
    <message>
        <source>WireGuard is not supported on this system</source>
        <translation>ระบบนี้ไม่รองรับ WireGuard</translation>
    </message>
    <message>
        <source>Server name is empty!</source>
        <translation>ไม่ได้ระบุชื่อเซิร์ฟเวอร์!</translation>
    </message>
    <message>
        <source>Error: the WireGuard configuration could not be written</source>
        <translation>ข้อผิดพลาด: ไม่สามารถเขียนการกำหนดค่า WireGuard ได้</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program: WireGuard was not started</source>
        <translation>พอร์ต %1 ถูกใช้งานโดยโปรแกรมอื่น: ไม่ได้เริ่ม WireGuard</translation>
    </message>
    <message>
        <source>Error: WireGuard sent a report line longer than 64 KiB</source>
        <translation>ข้อผิดพลาด: WireGuard ส่งบรรทัดรายงานที่ยาวเกิน 64 KiB</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>System service is not running!</source>
        <translation>บริการของระบบไม่ได้ทำงาน!</translation>
    </message>
    <message>
        <source>Debug mode.</source>
        <translation>โหมดดีบัก</translation>
    </message>
    <message>
        <source>Couldn&apos;t detect any system tray on this system.</source>
        <translation>ไม่พบถาดระบบบนระบบนี้</translation>
    </message>
    <message>
        <source>Killswitch event</source>
        <translation>เหตุการณ์สวิตช์ตัดการเชื่อมต่อ</translation>
    </message>
    <message>
        <source>Connection to Internet is blocked</source>
        <translation>การเชื่อมต่ออินเทอร์เน็ตถูกปิดกั้น</translation>
    </message>
</context>
</TS>
