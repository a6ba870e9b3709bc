<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="vi" sourcelanguage="en">
<context>
    <name>AContextMenu</name>
    <message>
        <source>Cut</source>
        <translation>Cắt</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Sao chép</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Dán</translation>
    </message>
</context>
<context>
    <name>ASearchField</name>
    <message>
        <source>Search</source>
        <translation>Tìm kiếm</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>New version found.
Do you want to update to version %1?</source>
        <translation>Đã tìm thấy phiên bản mới.
Bạn có muốn cập nhật lên phiên bản %1 không?</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Cập nhật</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Bỏ qua</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Kết nối</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Ngắt kết nối</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Đã ngắt kết nối</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Đã kết nối</translation>
    </message>
    <message>
        <source>will be keep running in background</source>
        <translation>sẽ tiếp tục chạy ở chế độ nền</translation>
    </message>
</context>
<context>
    <name>ConnectionState</name>
    <message>
        <source>Disconnected</source>
        <translation>Đã ngắt kết nối</translation>
    </message>
    <message>
        <source>Preparing</source>
        <translation>Đang chuẩn bị</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Đang kết nối...</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Đã kết nối</translation>
    </message>
    <message>
        <source>Disconnecting...</source>
        <translation>Đang ngắt kết nối...</translation>
    </message>
    <message>
        <source>Reconnecting...</source>
        <translation>Đang kết nối lại...</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>Lỗi!</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Không xác định</translation>
    </message>
</context>
<context>
    <name>CriticalErrorBox</name>
    <message>
        <source>Critical error, exiting (Click &apos;Show logs&apos; for details).</source>
        <translation>Lỗi nghiêm trọng, đang thoát (Nhấn &apos;Hiện nhật ký&apos; để xem chi tiết).</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Đóng</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>Hiện nhật ký</translation>
    </message>
</context>
<context>
    <name>FooterItem</name>
    <message>
        <source>Settings</source>
        <translation>Cài đặt</translation>
    </message>
</context>
<context>
    <name>OpenVpnClient</name>
    <message>
        <source>OpenVPN server is empty!</source>
        <translation>Máy chủ OpenVPN trống!</translation>
    </message>
    <message>
        <source>Error: the Stealth transport could not be started</source>
        <translation>Lỗi: không thể khởi động kênh truyền Stealth</translation>
    </message>
    <message>
        <source>Error: the OpenVPN configuration could not be written</source>
        <translation>Lỗi: không thể ghi cấu hình OpenVPN</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program: OpenVPN was not started</source>
        <translation>Cổng %1 đang bị chương trình khác sử dụng: OpenVPN chưa được khởi động</translation>
    </message>
    <message>
        <source>Stealth mode could not start: stunnel is not listening on %1:%2</source>
        <translation>Không thể khởi động chế độ Stealth: stunnel không lắng nghe tại %1:%2</translation>
    </message>
    <message>
        <source>Error: OpenVPN sent a management line longer than 64 KiB</source>
        <translation>Lỗi: OpenVPN đã gửi một dòng quản lý dài hơn 64 KiB</translation>
    </message>
    <message>
        <source>Error: Wrong Username/Password</source>
        <translation>Lỗi: Sai tên người dùng/mật khẩu</translation>
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
        <translation>Danh sách máy chủ</translation>
    </message>
</context>
<context>
    <name>ServerListItem</name>
    <message>
        <source>Collapse</source>
        <translation>Thu gọn</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>Mở rộng</translation>
    </message>
    <message>
        <source>Remove from favorites</source>
        <translation>Xóa khỏi mục yêu thích</translation>
    </message>
    <message>
        <source>Add to favorites</source>
        <translation>Thêm vào mục yêu thích</translation>
    </message>
</context>
<context>
    <name>ServerListModel</name>
    <message>
        <source>Search</source>
        <translation>Tìm kiếm</translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation>Chưa chọn</translation>
    </message>
    <message>
        <source>Favorite Servers</source>
        <translation>Máy chủ yêu thích</translation>
    </message>
    <message>
        <source>Recent Servers</source>
        <translation>Máy chủ gần đây</translation>
    </message>
</context>
<context>
    <name>ServerListView</name>
    <message>
        <source>No items to display</source>
        <translation>Không có mục nào để hiển thị</translation>
    </message>
</context>
<context>
    <name>ServerlistTabBar</name>
    <message>
        <source>Recommended</source>
        <translation>Đề xuất</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Tất cả</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Gần đây</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Auto</source>
        <translation>Tự động</translation>
    </message>
</context>
<context>
    <name>SettingsWindowAuthSection</name>
    <message>
        <source>Authentication</source>
        <translation>Xác thực</translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>Đã cập nhật</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Tên người dùng</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mật khẩu</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Cập nhật</translation>
    </message>
</context>
<context>
    <name>SettingsWindowKillSwitchSection</name>
    <message>
        <source>Kill switch</source>
        <translation>Công tắc ngắt</translation>
    </message>
    <message>
        <source>Enable Network lock (Internet kill switch). Available only for OpenVPN</source>
        <translation>Bật khóa mạng (ngắt Internet khẩn cấp). Chỉ khả dụng cho OpenVPN</translation>
    </message>
    <message>
        <source>Network Lock ensures your Internet traffic goes through %1 secure tunnel</source>
        <translation>Khóa mạng đảm bảo lưu lượng Internet của bạn đi qua đường hầm bảo mật của %1</translation>
    </message>
    <message>
        <source>and stops all traffic if %1 disconnects unexpectedly</source>
        <translation>và chặn mọi lưu lượng nếu %1 bị ngắt kết nối bất ngờ</translation>
    </message>
    <message>
        <source>Allow access to local network devices such as shares printers</source>
        <translation>Cho phép truy cập các thiết bị trong mạng cục bộ như thư mục chia sẻ và máy in</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMiscellaneousSection</name>
    <message>
        <source>Miscellaneous</source>
        <translation>Khác</translation>
    </message>
    <message>
        <source>Show notifications</source>
        <translation>Hiện thông báo</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Ngôn ngữ</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMtuSection</name>
    <message>
        <source>MTU Size</source>
        <translation>Kích thước MTU</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Tự động</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Thủ công</translation>
    </message>
</context>
<context>
    <name>SettingsWindowProtocolSection</name>
    <message>
        <source>Protocol</source>
        <translation>Giao thức</translation>
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
        <translation>Thường mang lại sự kết hợp tốt nhất giữa tốc độ và bảo mật, nhưng có thể không hoạt động trên mọi mạng</translation>
    </message>
    <message>
        <source>TCP - OpenVPN</source>
        <translation>TCP - OpenVPN</translation>
    </message>
    <message>
        <source>This is more likely to function on all types of networks, but might be slower than UDP</source>
        <translation>Tùy chọn này có nhiều khả năng hoạt động trên mọi loại mạng, nhưng có thể chậm hơn UDP</translation>
    </message>
    <message>
        <source>Stealth</source>
        <translation>Stealth</translation>
    </message>
    <message>
        <source>Stealth is our openvpn over TLS/SSL protocol, use this option if you are behind a heavy firewall or to mask your openvpn traffic for deep packet inspection</source>
        <translation>Stealth là giao thức OpenVPN qua TLS/SSL của chúng tôi. Hãy dùng tùy chọn này nếu bạn ở sau tường lửa nghiêm ngặt hoặc để che giấu lưu lượng OpenVPN khỏi việc kiểm tra gói tin sâu</translation>
    </message>
    <message>
        <source>IPv6</source>
        <translation>IPv6</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Cổng</translation>
    </message>
</context>
<context>
    <name>SettingsWindowShowLogsSection</name>
    <message>
        <source>Show logs</source>
        <translation>Hiện nhật ký</translation>
    </message>
    <message>
        <source>Show logs collected by application</source>
        <translation>Hiện nhật ký do ứng dụng thu thập</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>Hiện thư mục nhật ký</translation>
    </message>
</context>
<context>
    <name>SettingsWindowStartupSection</name>
    <message>
        <source>Startup</source>
        <translation>Khởi động</translation>
    </message>
    <message>
        <source>Launch %1 on %2 startup</source>
        <translation>Khởi chạy %1 khi %2 khởi động</translation>
    </message>
    <message>
        <source>Connect to the last used location when %1 is launched</source>
        <translation>Kết nối đến vị trí đã dùng gần nhất khi khởi chạy %1</translation>
    </message>
    <message>
        <source>Re-establish VPN connection if disconnected or dropped</source>
        <translation>Thiết lập lại kết nối VPN nếu bị ngắt hoặc rớt</translation>
    </message>
    <message>
        <source>Start minimized</source>
        <translation>Khởi động thu nhỏ</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Tắt</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>Xuống khay hệ thống</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>Xuống thanh tác vụ</translation>
    </message>
</context>
<context>
    <name>SettingsWindowTabBar</name>
    <message>
        <source>General</source>
        <translation>Chung</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Nâng cao</translation>
    </message>
</context>
<context>
    <name>SettingsWindowUpdateApplicationSection</name>
    <message>
        <source>Auto Update</source>
        <translation>Tự động cập nhật</translation>
    </message>
    <message>
        <source>Automatically update application</source>
        <translation>Tự động cập nhật ứng dụng</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Settings</source>
        <translation>Cài đặt</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Thoát</translation>
    </message>
</context>
<context>
    <name>ThemeWindow</name>
    <message>
        <source>Theme editor</source>
        <translation>Trình chỉnh sửa chủ đề</translation>
    </message>
    <message>
        <source>Please choose a file</source>
        <translation>Vui lòng chọn một tệp</translation>
    </message>
    <message>
        <source>Theme files (*.ini)</source>
        <translation>Tệp chủ đề (*.ini)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Tất cả tệp (*)</translation>
    </message>
    <message>
        <source>Label 1</source>
        <translation>Nhãn 1</translation>
    </message>
    <message>
        <source>Label 2</source>
        <translation>Nhãn 2</translation>
    </message>
    <message>
        <source>Label 4</source>
        <translation>Nhãn 4</translation>
    </message>
    <message>
        <source>Label 5</source>
        <translation>Nhãn 5</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>Nút</translation>
    </message>
    <message>
        <source>Switch</source>
        <translation>Công tắc</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>Tùy chọn</translation>
    </message>
    <message>
        <source>Tab 1</source>
        <translation>Thẻ 1</translation>
    </message>
    <message>
        <source>Tab 2</source>
        <translation>Thẻ 2</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Tải</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Lưu</translation>
    </message>
</context>
<context>
    <name>VpnClient</name>
    <message>
        <source>Server address is not valid!</source>
        <translation>Địa chỉ máy chủ không hợp lệ!</translation>
    </message>
    <message>
        <source>Another user of this computer is connected to the VPN</source>
        <translation>Một người dùng khác của máy tính này đang kết nối VPN</translation>
    </message>
</context>
<context>
    <name>VpnConnectionButton</name>
    <message>
        <source>Cancel</source>
        <translation>Hủy</translation>
    </message>
    <message>
        <source>Disconnection in progress...</source>
        <translation>Đang ngắt kết nối...</translation>
    </message>
    <message>
        <source>SWITCH ON</source>
        <translation>BẬT</translation>
    </message>
    <message>
        <source>SWITCH OFF</source>
        <translation>TẮT</translation>
    </message>
    <message>
        <source>DURATION</source>
        <translation>THỜI GIAN</translation>
    </message>
</context>
<context>
    <name>VpnConnectionInfo</name>
    <message>
        <source>Server location</source>
        <translation>Vị trí máy chủ</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Đã tải xuống</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>Đã tải lên</translation>
    </message>
</context>
<context>
    <name>VpnCore</name>
    <message>
        <source>Updating...</source>
        <translation>Đang cập nhật...</translation>
    </message>
    <message>
        <source>Username or password is empty!</source>
        <translation>Tên người dùng hoặc mật khẩu trống!</translation>
    </message>
    <message>
        <source>VPN server IP is empty!</source>
        <translation>IP máy chủ VPN trống!</translation>
    </message>
    <message>
        <source>There are no ports for this connection</source>
        <translation>Không có cổng nào cho kết nối này</translation>
    </message>
    <message>
        <source>Auto reconnection</source>
        <translation>Tự động kết nối lại</translation>
    </message>
    <message>
        <source>Best in</source>
        <translation>Tốt nhất tại</translation>
    </message>
    <message>
        <source>Your current IP</source>
        <translation>IP hiện tại của bạn</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Lỗi</translation>
    </message>
</context>
<context>
    <name>WireGuardClient</name>
    <message>
        <source>WireGuard is not supported on this system</source>
        <translation>WireGuard không được hỗ trợ trên hệ thống này</translation>
    </message>
    <message>
        <source>Server name is empty!</source>
        <translation>Tên máy chủ trống!</translation>
    </message>
    <message>
        <source>Error: the WireGuard configuration could not be written</source>
        <translation>Lỗi: không thể ghi cấu hình WireGuard</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program: WireGuard was not started</source>
        <translation>Cổng %1 đang bị chương trình khác sử dụng: WireGuard chưa được khởi động</translation>
    </message>
    <message>
        <source>Error: WireGuard sent a report line longer than 64 KiB</source>
        <translation>Lỗi: WireGuard đã gửi một dòng báo cáo dài hơn 64 KiB</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>System service is not running!</source>
        <translation>Dịch vụ hệ thống không chạy!</translation>
    </message>
    <message>
        <source>Debug mode.</source>
        <translation>Chế độ gỡ lỗi.</translation>
    </message>
    <message>
        <source>Couldn&apos;t detect any system tray on this system.</source>
        <translation>Không phát hiện được khay hệ thống nào trên hệ thống này.</translation>
    </message>
    <message>
        <source>Killswitch event</source>
        <translation>Sự kiện công tắc ngắt</translation>
    </message>
    <message>
        <source>Connection to Internet is blocked</source>
        <translation>Kết nối Internet đã bị chặn</translation>
    </message>
</context>
</TS>
