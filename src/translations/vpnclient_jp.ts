<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>AContextMenu</name>
    <message>
        <source>Cut</source>
        <translation>切り取り</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>貼り付け</translation>
    </message>
</context>
<context>
    <name>ASearchField</name>
    <message>
        <source>Search</source>
        <translation>検索</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>New version found.
Do you want to update to version %1?</source>
        <translation>新しいバージョンが見つかりました。
バージョン %1 に更新しますか？</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>スキップ</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>接続</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>切断</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>切断済み</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>接続済み</translation>
    </message>
    <message>
        <source>will be keep running in background</source>
        <translation>はバックグラウンドで動作し続けます</translation>
    </message>
</context>
<context>
    <name>ConnectionState</name>
    <message>
        <source>Disconnected</source>
        <translation>切断済み</translation>
    </message>
    <message>
        <source>Preparing</source>
        <translation>準備中</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>接続中...</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>接続済み</translation>
    </message>
    <message>
        <source>Disconnecting...</source>
        <translation>切断中...</translation>
    </message>
    <message>
        <source>Reconnecting...</source>
        <translation>再接続中...</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>エラー！</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>不明</translation>
    </message>
</context>
<context>
    <name>CriticalErrorBox</name>
    <message>
        <source>Critical error, exiting (Click &apos;Show logs&apos; for details).</source>
        <translation>重大なエラーのため終了します（詳細は「ログを表示」をクリックしてください）。</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>ログを表示</translation>
    </message>
</context>
<context>
    <name>FooterItem</name>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
</context>
<context>
    <name>OpenVpnClient</name>
    <message>
        <source>OpenVPN server is empty!</source>
        <translation>OpenVPN サーバーが空です！</translation>
    </message>
    <message>
        <source>Error: the Stealth transport could not be started</source>
        <translation>エラー: Stealth トランスポートを開始できませんでした</translation>
    </message>
    <message>
        <source>Error: the OpenVPN configuration could not be written</source>
        <translation>エラー: OpenVPN の設定を書き込めませんでした</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program: OpenVPN was not started</source>
        <translation>ポート %1 は別のプログラムが使用中です: OpenVPN は起動されませんでした</translation>
    </message>
    <message>
        <source>Stealth mode could not start: stunnel is not listening on %1:%2</source>
        <translation>Stealth モードを開始できませんでした: stunnel が %1:%2 で待ち受けていません</translation>
    </message>
    <message>
        <source>Error: OpenVPN sent a management line longer than 64 KiB</source>
        <translation>エラー: OpenVPN が 64 KiB を超える管理行を送信しました</translation>
    </message>
    <message>
        <source>Error: Wrong Username/Password</source>
        <translation>エラー: ユーザー名またはパスワードが正しくありません</translation>
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
        <translation>サーバー一覧</translation>
    </message>
</context>
<context>
    <name>ServerListItem</name>
    <message>
        <source>Collapse</source>
        <translation>折りたたむ</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>展開</translation>
    </message>
    <message>
        <source>Remove from favorites</source>
        <translation>お気に入りから削除</translation>
    </message>
    <message>
        <source>Add to favorites</source>
        <translation>お気に入りに追加</translation>
    </message>
</context>
<context>
    <name>ServerListModel</name>
    <message>
        <source>Search</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation>未選択</translation>
    </message>
    <message>
        <source>Favorite Servers</source>
        <translation>お気に入りのサーバー</translation>
    </message>
    <message>
        <source>Recent Servers</source>
        <translation>最近使ったサーバー</translation>
    </message>
</context>
<context>
    <name>ServerListView</name>
    <message>
        <source>No items to display</source>
        <translation>表示する項目がありません</translation>
    </message>
</context>
<context>
    <name>ServerlistTabBar</name>
    <message>
        <source>Recommended</source>
        <translation>おすすめ</translation>
    </message>
    <message>
        <source>All</source>
        <translation>すべて</translation>
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
        <translation>自動</translation>
    </message>
</context>
<context>
    <name>SettingsWindowAuthSection</name>
    <message>
        <source>Authentication</source>
        <translation>認証</translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>更新しました</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>ユーザー名</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>パスワード</translation>
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
        <translation>キルスイッチ</translation>
    </message>
    <message>
        <source>Enable Network lock (Internet kill switch). Available only for OpenVPN</source>
        <translation>ネットワークロック（インターネット遮断機能）を有効にする。OpenVPN でのみ使用可能</translation>
    </message>
    <message>
        <source>Network Lock ensures your Internet traffic goes through %1 secure tunnel</source>
        <translation>ネットワークロックは、インターネット通信が必ず %1 の安全なトンネルを通るようにし、</translation>
    </message>
    <message>
        <source>and stops all traffic if %1 disconnects unexpectedly</source>
        <translation>%1 が予期せず切断された場合はすべての通信を停止します</translation>
    </message>
    <message>
        <source>Allow access to local network devices such as shares printers</source>
        <translation>共有フォルダーやプリンターなど、ローカルネットワーク上のデバイスへのアクセスを許可する</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMiscellaneousSection</name>
    <message>
        <source>Miscellaneous</source>
        <translation>その他</translation>
    </message>
    <message>
        <source>Show notifications</source>
        <translation>通知を表示</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>言語</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMtuSection</name>
    <message>
        <source>MTU Size</source>
        <translation>MTU サイズ</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自動</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>手動</translation>
    </message>
</context>
<context>
    <name>SettingsWindowProtocolSection</name>
    <message>
        <source>Protocol</source>
        <translation>プロトコル</translation>
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
        <translation>通常は速度とセキュリティのバランスが最も優れていますが、すべてのネットワークで動作するとは限りません</translation>
    </message>
    <message>
        <source>TCP - OpenVPN</source>
        <translation>TCP - OpenVPN</translation>
    </message>
    <message>
        <source>This is more likely to function on all types of networks, but might be slower than UDP</source>
        <translation>あらゆる種類のネットワークで動作する可能性が高いですが、UDP より遅くなる場合があります</translation>
    </message>
    <message>
        <source>Stealth</source>
        <translation>Stealth</translation>
    </message>
    <message>
        <source>Stealth is our openvpn over TLS/SSL protocol, use this option if you are behind a heavy firewall or to mask your openvpn traffic for deep packet inspection</source>
        <translation>Stealth は TLS/SSL 上で OpenVPN を使う独自プロトコルです。厳しいファイアウォールの内側にいる場合や、ディープパケットインスペクションから OpenVPN の通信を隠したい場合に使用してください</translation>
    </message>
    <message>
        <source>IPv6</source>
        <translation>IPv6</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>ポート</translation>
    </message>
</context>
<context>
    <name>SettingsWindowShowLogsSection</name>
    <message>
        <source>Show logs</source>
        <translation>ログを表示</translation>
    </message>
    <message>
        <source>Show logs collected by application</source>
        <translation>アプリケーションが収集したログを表示</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>ログフォルダーを表示</translation>
    </message>
</context>
<context>
    <name>SettingsWindowStartupSection</name>
    <message>
        <source>Startup</source>
        <translation>起動</translation>
    </message>
    <message>
        <source>Launch %1 on %2 startup</source>
        <translation>%2 の起動時に %1 を起動する</translation>
    </message>
    <message>
        <source>Connect to the last used location when %1 is launched</source>
        <translation>%1 の起動時に最後に使用した場所に接続する</translation>
    </message>
    <message>
        <source>Re-establish VPN connection if disconnected or dropped</source>
        <translation>切断または途切れた場合に VPN 接続を再確立する</translation>
    </message>
    <message>
        <source>Start minimized</source>
        <translation>最小化して起動</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>無効</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>システムトレイへ</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>タスクバーへ</translation>
    </message>
</context>
<context>
    <name>SettingsWindowTabBar</name>
    <message>
        <source>General</source>
        <translation>一般</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>詳細設定</translation>
    </message>
</context>
<context>
    <name>SettingsWindowUpdateApplicationSection</name>
    <message>
        <source>Auto Update</source>
        <translation>自動更新</translation>
    </message>
    <message>
        <source>Automatically update application</source>
        <translation>アプリケーションを自動的に更新する</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>終了</translation>
    </message>
</context>
<context>
    <name>ThemeWindow</name>
    <message>
        <source>Theme editor</source>
        <translation>テーマエディター</translation>
    </message>
    <message>
        <source>Please choose a file</source>
        <translation>ファイルを選択してください</translation>
    </message>
    <message>
        <source>Theme files (*.ini)</source>
        <translation>テーマファイル (*.ini)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Label 1</source>
        <translation>ラベル 1</translation>
    </message>
    <message>
        <source>Label 2</source>
        <translation>ラベル 2</translation>
    </message>
    <message>
        <source>Label 4</source>
        <translation>ラベル 4</translation>
    </message>
    <message>
        <source>Label 5</source>
        <translation>ラベル 5</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>ボタン</translation>
    </message>
    <message>
        <source>Switch</source>
        <translation>スイッチ</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>ラジオボタン</translation>
    </message>
    <message>
        <source>Tab 1</source>
        <translation>タブ 1</translation>
    </message>
    <message>
        <source>Tab 2</source>
        <translation>タブ 2</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>読み込む</translation>
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
        <translation>サーバーアドレスが無効です！</translation>
    </message>
    <message>
        <source>Another user of this computer is connected to the VPN</source>
        <translation>このコンピューターの別のユーザーが VPN に接続しています</translation>
    </message>
</context>
<context>
    <name>VpnConnectionButton</name>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Disconnection in progress...</source>
        <translation>切断処理中...</translation>
    </message>
    <message>
        <source>SWITCH ON</source>
        <translation>オンにする</translation>
    </message>
    <message>
        <source>SWITCH OFF</source>
        <translation>オフにする</translation>
    </message>
    <message>
        <source>DURATION</source>
        <translation>接続時間</translation>
    </message>
</context>
<context>
    <name>VpnConnectionInfo</name>
    <message>
        <source>Server location</source>
        <translation>サーバーの場所</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>ダウンロード</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>アップロード</translation>
    </message>
</context>
<context>
    <name>VpnCore</name>
    <message>
        <source>Updating...</source>
        <translation>更新中...</translation>
    </message>
    <message>
        <source>Username or password is empty!</source>
        <translation>ユーザー名またはパスワードが空です！</translation>
    </message>
    <message>
        <source>VPN server IP is empty!</source>
        <translation>VPN サーバーの IP が空です！</translation>
    </message>
    <message>
        <source>There are no ports for this connection</source>
        <translation>この接続に使用できるポートがありません</translation>
    </message>
    <message>
        <source>Auto reconnection</source>
        <translation>自動再接続</translation>
    </message>
    <message>
        <source>Best in</source>
        <translation>おすすめ:</translation>
    </message>
    <message>
        <source>Your current IP</source>
        <translation>現在の IP</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
</context>
<context>
    <name>WireGuardClient</name>
    <message>
        <source>WireGuard is not supported on this system</source>
        <translation>このシステムでは WireGuard はサポートされていません</translation>
    </message>
    <message>
        <source>Server name is empty!</source>
        <translation>サーバー名が空です！</translation>
    </message>
    <message>
        <source>Error: the WireGuard configuration could not be written</source>
        <translation>エラー: WireGuard の設定を書き込めませんでした</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program: WireGuard was not started</source>
        <translation>ポート %1 は別のプログラムが使用中です: WireGuard は起動されませんでした</translation>
    </message>
    <message>
        <source>Error: WireGuard sent a report line longer than 64 KiB</source>
        <translation>エラー: WireGuard が 64 KiB を超えるレポート行を送信しました</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>System service is not running!</source>
        <translation>システムサービスが実行されていません！</translation>
    </message>
    <message>
        <source>Debug mode.</source>
        <translation>デバッグモード。</translation>
    </message>
    <message>
        <source>Couldn&apos;t detect any system tray on this system.</source>
        <translation>このシステムでシステムトレイを検出できませんでした。</translation>
    </message>
    <message>
        <source>Killswitch event</source>
        <translation>キルスイッチの作動</translation>
    </message>
    <message>
        <source>Connection to Internet is blocked</source>
        <translation>インターネットへの接続がブロックされています</translation>
    </message>
</context>
</TS>
