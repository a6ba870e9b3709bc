<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>AContextMenu</name>
    <message>
        <source>Cut</source>
        <translation>剪切</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
</context>
<context>
    <name>ASearchField</name>
    <message>
        <source>Search</source>
        <translation>搜索</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>New version found.
Do you want to update to version %1?</source>
        <translation>发现新版本。
是否更新到版本 %1？</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>跳过</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>断开连接</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>已断开</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>已连接</translation>
    </message>
    <message>
        <source>will be keep running in background</source>
        <translation>将继续在后台运行</translation>
    </message>
</context>
<context>
    <name>ConnectionState</name>
    <message>
        <source>Disconnected</source>
        <translation>已断开</translation>
    </message>
    <message>
        <source>Preparing</source>
        <translation>正在准备</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>正在连接...</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>已连接</translation>
    </message>
    <message>
        <source>Disconnecting...</source>
        <translation>正在断开...</translation>
    </message>
    <message>
        <source>Reconnecting...</source>
        <translation>正在重新连接...</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>错误！</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>未知</translation>
    </message>
</context>
<context>
    <name>CriticalErrorBox</name>
    <message>
        <source>Critical error, exiting (Click &apos;Show logs&apos; for details).</source>
        <translation>严重错误，正在退出（点击“显示日志”查看详情）。</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>显示日志</translation>
    </message>
</context>
<context>
    <name>FooterItem</name>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
</context>
<context>
    <name>OpenVpnClient</name>
    <message>
        <source>OpenVPN server is empty!</source>
        <translation>OpenVPN 服务器为空！</translation>
    </message>
    <message>
        <source>Error: the Stealth transport could not be started</source>
        <translation>错误：无法启动 Stealth 传输</translation>
    </message>
    <message>
        <source>Error: the OpenVPN configuration could not be written</source>
        <translation>错误：无法写入 OpenVPN 配置</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program: OpenVPN was not started</source>
        <translation>端口 %1 已被其他程序占用：未启动 OpenVPN</translation>
    </message>
    <message>
        <source>Stealth mode could not start: stunnel is not listening on %1:%2</source>
        <translation>无法启动 Stealth 模式：stunnel 未在 %1:%2 上监听</translation>
    </message>
    <message>
        <source>Error: OpenVPN sent a management line longer than 64 KiB</source>
        <translation>错误：OpenVPN 发送的管理行超过 64 KiB</translation>
    </message>
    <message>
        <source>Error: Wrong Username/Password</source>
        <translation>错误：用户名或密码错误</translation>
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
        <translation>服务器列表</translation>
    </message>
</context>
<context>
    <name>ServerListItem</name>
    <message>
        <source>Collapse</source>
        <translation>收起</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>展开</translation>
    </message>
    <message>
        <source>Remove from favorites</source>
        <translation>从收藏中移除</translation>
    </message>
    <message>
        <source>Add to favorites</source>
        <translation>添加到收藏</translation>
    </message>
</context>
<context>
    <name>ServerListModel</name>
    <message>
        <source>Search</source>
        <translation>搜索</translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation>未选择</translation>
    </message>
    <message>
        <source>Favorite Servers</source>
        <translation>收藏的服务器</translation>
    </message>
    <message>
        <source>Recent Servers</source>
        <translation>最近使用的服务器</translation>
    </message>
</context>
<context>
    <name>ServerListView</name>
    <message>
        <source>No items to display</source>
        <translation>没有可显示的项目</translation>
    </message>
</context>
<context>
    <name>ServerlistTabBar</name>
    <message>
        <source>Recommended</source>
        <translation>推荐</translation>
    </message>
    <message>
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>最近</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Auto</source>
        <translation>自动</translation>
    </message>
</context>
<context>
    <name>SettingsWindowAuthSection</name>
    <message>
        <source>Authentication</source>
        <translation>身份验证</translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>已更新</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>用户名</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>更新</translation>
    </message>
</context>
<context>
    <name>SettingsWindowKillSwitchSection</name>
    <message>
        <source>Kill switch</source>
        <translation>紧急断开开关</translation>
    </message>
    <message>
        <source>Enable Network lock (Internet kill switch). Available only for OpenVPN</source>
        <translation>启用网络锁定（互联网紧急断开开关）。仅适用于 OpenVPN</translation>
    </message>
    <message>
        <source>Network Lock ensures your Internet traffic goes through %1 secure tunnel</source>
        <translation>网络锁定确保您的互联网流量经过 %1 安全隧道，</translation>
    </message>
    <message>
        <source>and stops all traffic if %1 disconnects unexpectedly</source>
        <translation>并在 %1 意外断开时阻止所有流量</translation>
    </message>
    <message>
        <source>Allow access to local network devices such as shares printers</source>
        <translation>允许访问本地网络设备，例如共享文件夹和打印机</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMiscellaneousSection</name>
    <message>
        <source>Miscellaneous</source>
        <translation>其他</translation>
    </message>
    <message>
        <source>Show notifications</source>
        <translation>显示通知</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMtuSection</name>
    <message>
        <source>MTU Size</source>
        <translation>MTU 大小</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>手动</translation>
    </message>
</context>
<context>
    <name>SettingsWindowProtocolSection</name>
    <message>
        <source>Protocol</source>
        <translation>协议</translation>
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
        <translation>通常能兼顾速度与安全性，但可能无法在所有网络上使用</translation>
    </message>
    <message>
        <source>TCP - OpenVPN</source>
        <translation>TCP - OpenVPN</translation>
    </message>
    <message>
        <source>This is more likely to function on all types of networks, but might be slower than UDP</source>
        <translation>更有可能在各类网络上正常工作，但可能比 UDP 慢</translation>
    </message>
    <message>
        <source>Stealth</source>
        <translation>Stealth</translation>
    </message>
    <message>
        <source>Stealth is our openvpn over TLS/SSL protocol, use this option if you are behind a heavy firewall or to mask your openvpn traffic for deep packet inspection</source>
        <translation>Stealth 是我们基于 TLS/SSL 的 OpenVPN 协议。如果您位于严格的防火墙之后，或需要躲避深度包检测以隐藏 OpenVPN 流量，请使用此选项</translation>
    </message>
    <message>
        <source>IPv6</source>
        <translation>IPv6</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
</context>
<context>
    <name>SettingsWindowShowLogsSection</name>
    <message>
        <source>Show logs</source>
        <translation>显示日志</translation>
    </message>
    <message>
        <source>Show logs collected by application</source>
        <translation>显示应用程序收集的日志</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>显示日志文件夹</translation>
    </message>
</context>
<context>
    <name>SettingsWindowStartupSection</name>
    <message>
        <source>Startup</source>
        <translation>启动</translation>
    </message>
    <message>
        <source>Launch %1 on %2 startup</source>
        <translation>%2 启动时启动 %1</translation>
    </message>
    <message>
        <source>Connect to the last used location when %1 is launched</source>
        <translation>启动 %1 时连接到上次使用的位置</translation>
    </message>
    <message>
        <source>Re-establish VPN connection if disconnected or dropped</source>
        <translation>VPN 连接断开或中断时重新建立连接</translation>
    </message>
    <message>
        <source>Start minimized</source>
        <translation>启动时最小化</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>禁用</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>到系统托盘</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>到任务栏</translation>
    </message>
</context>
<context>
    <name>SettingsWindowTabBar</name>
    <message>
        <source>General</source>
        <translation>常规</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>高级</translation>
    </message>
</context>
<context>
    <name>SettingsWindowUpdateApplicationSection</name>
    <message>
        <source>Auto Update</source>
        <translation>自动更新</translation>
    </message>
    <message>
        <source>Automatically update application</source>
        <translation>自动更新应用程序</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
</context>
<context>
    <name>ThemeWindow</name>
    <message>
        <source>Theme editor</source>
        <translation>主题编辑器</translation>
    </message>
    <message>
        <source>Please choose a file</source>
        <translation>请选择文件</translation>
    </message>
    <message>
        <source>Theme files (*.ini)</source>
        <translation>主题文件 (*.ini)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>所有文件 (*)</translation>
    </message>
    <message>
        <source>Label 1</source>
        <translation>标签 1</translation>
    </message>
    <message>
        <source>Label 2</source>
        <translation>标签 2</translation>
    </message>
    <message>
        <source>Label 4</source>
        <translation>标签 4</translation>
    </message>
    <message>
        <source>Label 5</source>
        <translation>标签 5</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>按钮</translation>
    </message>
    <message>
        <source>Switch</source>
        <translation>开关</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>单选按钮</translation>
    </message>
    <message>
        <source>Tab 1</source>
        <translation>标签页 1</translation>
    </message>
    <message>
        <source>Tab 2</source>
        <translation>标签页 2</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>加载</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
</context>
<context>
    <name>VpnClient</name>
    <message>
        <source>Server address is not valid!</source>
        <translation>服务器地址无效！</translation>
    </message>
    <message>
        <source>Another user of this computer is connected to the VPN</source>
        <translation>这台电脑的另一位用户已连接到 VPN</translation>
    </message>
</context>
<context>
    <name>VpnConnectionButton</name>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Disconnection in progress...</source>
        <translation>正在断开连接...</translation>
    </message>
    <message>
        <source>SWITCH ON</source>
        <translation>开启</translation>
    </message>
    <message>
        <source>SWITCH OFF</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>DURATION</source>
        <translation>时长</translation>
    </message>
</context>
<context>
    <name>VpnConnectionInfo</name>
    <message>
        <source>Server location</source>
        <translation>服务器位置</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>已下载</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>已上传</translation>
    </message>
</context>
<context>
    <name>VpnCore</name>
    <message>
        <source>Updating...</source>
        <translation>正在更新...</translation>
    </message>
    <message>
        <source>Username or password is empty!</source>
        <translation>用户名或密码为空！</translation>
    </message>
    <message>
        <source>VPN server IP is empty!</source>
        <translation>VPN 服务器 IP 为空！</translation>
    </message>
    <message>
        <source>There are no ports for this connection</source>
        <translation>此连接没有可用端口</translation>
    </message>
    <message>
        <source>Auto reconnection</source>
        <translation>自动重新连接</translation>
    </message>
    <message>
        <source>Best in</source>
        <translation>最佳位置</translation>
    </message>
    <message>
        <source>Your current IP</source>
        <translation>您当前的 IP</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
</context>
<context>
    <name>WireGuardClient</name>
    <message>
        <source>WireGuard is not supported on this system</source>
        <translation>此系统不支持 WireGuard</translation>
    </message>
    <message>
        <source>Server name is empty!</source>
        <translation>服务器名称为空！</translation>
    </message>
    <message>
        <source>Error: the WireGuard configuration could not be written</source>
        <translation>错误：无法写入 WireGuard 配置</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program: WireGuard was not started</source>
        <translation>端口 %1 已被其他程序占用：未启动 WireGuard</translation>
    </message>
    <message>
        <source>Error: WireGuard sent a report line longer than 64 KiB</source>
        <translation>错误：WireGuard 发送的报告行超过 64 KiB</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>System service is not running!</source>
        <translation>系统服务未运行！</translation>
    </message>
    <message>
        <source>Debug mode.</source>
        <translation>调试模式。</translation>
    </message>
    <message>
        <source>Couldn&apos;t detect any system tray on this system.</source>
        <translation>未能在此系统上检测到系统托盘。</translation>
    </message>
    <message>
        <source>Killswitch event</source>
        <translation>紧急断开开关已触发</translation>
    </message>
    <message>
        <source>Connection to Internet is blocked</source>
        <translation>互联网连接已被阻止</translation>
    </message>
</context>
</TS>
