<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru" sourcelanguage="en">
<context>
    <name>AContextMenu</name>
    <message>
        <source>Cut</source>
        <translation>Вырезать</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Вставить</translation>
    </message>
</context>
<context>
    <name>ASearchField</name>
    <message>
        <source>Search</source>
        <translation>Поиск</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>New version found.
Do you want to update to version %1?</source>
        <translation>Найдена новая версия.
Обновить до версии %1?</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Обновить</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Пропустить</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Подключить</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Отключить</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Отключено</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Подключено</translation>
    </message>
    <message>
        <source>will be keep running in background</source>
        <translation>продолжит работу в фоновом режиме</translation>
    </message>
</context>
<context>
    <name>ConnectionState</name>
    <message>
        <source>Disconnected</source>
        <translation>Отключено</translation>
    </message>
    <message>
        <source>Preparing</source>
        <translation>Подготовка</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Подключение...</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Подключено</translation>
    </message>
    <message>
        <source>Disconnecting...</source>
        <translation>Отключение...</translation>
    </message>
    <message>
        <source>Reconnecting...</source>
        <translation>Переподключение...</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>Ошибка!</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Неизвестно</translation>
    </message>
</context>
<context>
    <name>CriticalErrorBox</name>
    <message>
        <source>Critical error, exiting (Click &apos;Show logs&apos; for details).</source>
        <translation>Критическая ошибка, выход (нажмите «Показать журналы» для подробностей).</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>Показать журналы</translation>
    </message>
</context>
<context>
    <name>FooterItem</name>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
</context>
<context>
    <name>OpenVpnClient</name>
    <message>
        <source>OpenVPN server is empty!</source>
        <translation>Сервер OpenVPN не указан!</translation>
    </message>
    <message>
        <source>Error: the Stealth transport could not be started</source>
        <translation>Ошибка: не удалось запустить транспорт Stealth</translation>
    </message>
    <message>
        <source>Error: the OpenVPN configuration could not be written</source>
        <translation>Ошибка: не удалось записать конфигурацию OpenVPN</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program: OpenVPN was not started</source>
        <translation>Порт %1 занят другой программой: OpenVPN не запущен</translation>
    </message>
    <message>
        <source>Stealth mode could not start: stunnel is not listening on %1:%2</source>
        <translation>Не удалось включить режим Stealth: stunnel не слушает %1:%2</translation>
    </message>
    <message>
        <source>Error: OpenVPN sent a management line longer than 64 KiB</source>
        <translation>Ошибка: OpenVPN прислал строку управления длиннее 64 КиБ</translation>
    </message>
    <message>
        <source>Error: Wrong Username/Password</source>
        <translation>Ошибка: неверное имя пользователя или пароль</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>B</source>
        <translation>Б</translation>
    </message>
    <message>
        <source>KiB</source>
        <translation>КиБ</translation>
    </message>
    <message>
        <source>MiB</source>
        <translation>МиБ</translation>
    </message>
    <message>
        <source>GiB</source>
        <translation>ГиБ</translation>
    </message>
    <message>
        <source>TiB</source>
        <translation>ТиБ</translation>
    </message>
</context>
<context>
    <name>ServerListHeader</name>
    <message>
        <source>Serverlist</source>
        <translation>Список серверов</translation>
    </message>
</context>
<context>
    <name>ServerListItem</name>
    <message>
        <source>Collapse</source>
        <translation>Свернуть</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>Развернуть</translation>
    </message>
    <message>
        <source>Remove from favorites</source>
        <translation>Удалить из избранного</translation>
    </message>
    <message>
        <source>Add to favorites</source>
        <translation>Добавить в избранное</translation>
    </message>
</context>
<context>
    <name>ServerListModel</name>
    <message>
        <source>Search</source>
        <translation>Поиск</translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation>Не выбрано</translation>
    </message>
    <message>
        <source>Favorite Servers</source>
        <translation>Избранные серверы</translation>
    </message>
    <message>
        <source>Recent Servers</source>
        <translation>Недавние серверы</translation>
    </message>
</context>
<context>
    <name>ServerListView</name>
    <message>
        <source>No items to display</source>
        <translation>Нет элементов для отображения</translation>
    </message>
</context>
<context>
    <name>ServerlistTabBar</name>
    <message>
        <source>Recommended</source>
        <translation>Рекомендуемые</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Все</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Недавние</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Auto</source>
        <translation>Авто</translation>
    </message>
</context>
<context>
    <name>SettingsWindowAuthSection</name>
    <message>
        <source>Authentication</source>
        <translation>Аутентификация</translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>Обновлено</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Имя пользователя</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Пароль</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Обновить</translation>
    </message>
</context>
<context>
    <name>SettingsWindowKillSwitchSection</name>
    <message>
        <source>Kill switch</source>
        <translation>Аварийный выключатель</translation>
    </message>
    <message>
        <source>Enable Network lock (Internet kill switch). Available only for OpenVPN</source>
        <translation>Включить блокировку сети (аварийное отключение Интернета). Только для OpenVPN</translation>
    </message>
    <message>
        <source>Network Lock ensures your Internet traffic goes through %1 secure tunnel</source>
        <translation>Блокировка сети направляет весь ваш интернет-трафик через защищённый туннель %1</translation>
    </message>
    <message>
        <source>and stops all traffic if %1 disconnects unexpectedly</source>
        <translation>и останавливает весь трафик при неожиданном отключении %1</translation>
    </message>
    <message>
        <source>Allow access to local network devices such as shares printers</source>
        <translation>Разрешить доступ к устройствам локальной сети, например общим папкам и принтерам</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMiscellaneousSection</name>
    <message>
        <source>Miscellaneous</source>
        <translation>Разное</translation>
    </message>
    <message>
        <source>Show notifications</source>
        <translation>Показывать уведомления</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMtuSection</name>
    <message>
        <source>MTU Size</source>
        <translation>Размер MTU</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Авто</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Вручную</translation>
    </message>
</context>
<context>
    <name>SettingsWindowProtocolSection</name>
    <message>
        <source>Protocol</source>
        <translation>Протокол</translation>
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
        <translation>Обычно даёт лучшее сочетание скорости и безопасности, но может работать не во всех сетях</translation>
    </message>
    <message>
        <source>TCP - OpenVPN</source>
        <translation>TCP - OpenVPN</translation>
    </message>
    <message>
        <source>This is more likely to function on all types of networks, but might be slower than UDP</source>
        <translation>Скорее всего, работает в любых сетях, но может быть медленнее UDP</translation>
    </message>
    <message>
        <source>Stealth</source>
        <translation>Stealth</translation>
    </message>
    <message>
        <source>Stealth is our openvpn over TLS/SSL protocol, use this option if you are behind a heavy firewall or to mask your openvpn traffic for deep packet inspection</source>
        <translation>Stealth — это наш протокол OpenVPN поверх TLS/SSL. Используйте его, если вы находитесь за строгим брандмауэром или хотите скрыть трафик OpenVPN от глубокой инспекции пакетов</translation>
    </message>
    <message>
        <source>IPv6</source>
        <translation>IPv6</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Порт</translation>
    </message>
</context>
<context>
    <name>SettingsWindowShowLogsSection</name>
    <message>
        <source>Show logs</source>
        <translation>Показать журналы</translation>
    </message>
    <message>
        <source>Show logs collected by application</source>
        <translation>Показать журналы, собранные приложением</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>Показать папку журналов</translation>
    </message>
</context>
<context>
    <name>SettingsWindowStartupSection</name>
    <message>
        <source>Startup</source>
        <translation>Запуск</translation>
    </message>
    <message>
        <source>Launch %1 on %2 startup</source>
        <translation>Запускать %1 при запуске %2</translation>
    </message>
    <message>
        <source>Connect to the last used location when %1 is launched</source>
        <translation>Подключаться к последнему использованному местоположению при запуске %1</translation>
    </message>
    <message>
        <source>Re-establish VPN connection if disconnected or dropped</source>
        <translation>Восстанавливать VPN-подключение при отключении или обрыве</translation>
    </message>
    <message>
        <source>Start minimized</source>
        <translation>Запускать свёрнутым</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Отключено</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>В системный трей</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>На панель задач</translation>
    </message>
</context>
<context>
    <name>SettingsWindowTabBar</name>
    <message>
        <source>General</source>
        <translation>Общие</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Дополнительно</translation>
    </message>
</context>
<context>
    <name>SettingsWindowUpdateApplicationSection</name>
    <message>
        <source>Auto Update</source>
        <translation>Автообновление</translation>
    </message>
    <message>
        <source>Automatically update application</source>
        <translation>Автоматически обновлять приложение</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
</context>
<context>
    <name>ThemeWindow</name>
    <message>
        <source>Theme editor</source>
        <translation>Редактор тем</translation>
    </message>
    <message>
        <source>Please choose a file</source>
        <translation>Выберите файл</translation>
    </message>
    <message>
        <source>Theme files (*.ini)</source>
        <translation>Файлы тем (*.ini)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Все файлы (*)</translation>
    </message>
    <message>
        <source>Label 1</source>
        <translation>Метка 1</translation>
    </message>
    <message>
        <source>Label 2</source>
        <translation>Метка 2</translation>
    </message>
    <message>
        <source>Label 4</source>
        <translation>Метка 4</translation>
    </message>
    <message>
        <source>Label 5</source>
        <translation>Метка 5</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>Кнопка</translation>
    </message>
    <message>
        <source>Switch</source>
        <translation>Переключатель</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>Переключатель</translation>
    </message>
    <message>
        <source>Tab 1</source>
        <translation>Вкладка 1</translation>
    </message>
    <message>
        <source>Tab 2</source>
        <translation>Вкладка 2</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Загрузить</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
</context>
<context>
    <name>VpnClient</name>
    <message>
        <source>Server address is not valid!</source>
        <translation>Недопустимый адрес сервера!</translation>
    </message>
    <message>
        <source>Another user of this computer is connected to the VPN</source>
        <translation>Другой пользователь этого компьютера подключён к VPN</translation>
    </message>
</context>
<context>
    <name>VpnConnectionButton</name>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Disconnection in progress...</source>
        <translation>Выполняется отключение...</translation>
    </message>
    <message>
        <source>SWITCH ON</source>
        <translation>ВКЛЮЧИТЬ</translation>
    </message>
    <message>
        <source>SWITCH OFF</source>
        <translation>ВЫКЛЮЧИТЬ</translation>
    </message>
    <message>
        <source>DURATION</source>
        <translation>ДЛИТЕЛЬНОСТЬ</translation>
    </message>
</context>
<context>
    <name>VpnConnectionInfo</name>
    <message>
        <source>Server location</source>
        <translation>Расположение сервера</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Получено</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>Отправлено</translation>
    </message>
</context>
<context>
    <name>VpnCore</name>
    <message>
        <source>Updating...</source>
        <translation>Обновление...</translation>
    </message>
    <message>
        <source>Username or password is empty!</source>
        <translation>Не указано имя пользователя или пароль!</translation>
    </message>
    <message>
        <source>VPN server IP is empty!</source>
        <translation>Не указан IP-адрес VPN-сервера!</translation>
    </message>
    <message>
        <source>There are no ports for this connection</source>
        <translation>Для этого подключения нет портов</translation>
    </message>
    <message>
        <source>Auto reconnection</source>
        <translation>Автоматическое переподключение</translation>
    </message>
    <message>
        <source>Best in</source>
        <translation>Лучший в</translation>
    </message>
    <message>
        <source>Your current IP</source>
        <translation>Ваш текущий IP</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
</context>
<context>
    <name>WireGuardClient</name>
    <message>
        <source>WireGuard is not supported on this system</source>
        <translation>WireGuard не поддерживается в этой системе</translation>
    </message>
    <message>
        <source>Server name is empty!</source>
        <translation>Не указано имя сервера!</translation>
    </message>
    <message>
        <source>Error: the WireGuard configuration could not be written</source>
        <translation>Ошибка: не удалось записать конфигурацию WireGuard</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program: WireGuard was not started</source>
        <translation>Порт %1 занят другой программой: WireGuard не запущен</translation>
    </message>
    <message>
        <source>Error: WireGuard sent a report line longer than 64 KiB</source>
        <translation>Ошибка: WireGuard прислал строку отчёта длиннее 64 КиБ</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>System service is not running!</source>
        <translation>Системная служба не запущена!</translation>
    </message>
    <message>
        <source>Debug mode.</source>
        <translation>Режим отладки.</translation>
    </message>
    <message>
        <source>Couldn&apos;t detect any system tray on this system.</source>
        <translation>Не удалось обнаружить системный трей в этой системе.</translation>
    </message>
    <message>
        <source>Killswitch event</source>
        <translation>Срабатывание аварийного выключателя</translation>
    </message>
    <message>
        <source>Connection to Internet is blocked</source>
        <translation>Подключение к Интернету заблокировано</translation>
    </message>
</context>
</TS>
