<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>AContextMenu</name>
    <message>
        <source>Cut</source>
        <translation>Cortar</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Pegar</translation>
    </message>
</context>
<context>
    <name>ASearchField</name>
    <message>
        <source>Search</source>
        <translation>Buscar</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>New version found.
Do you want to update to version %1?</source>
        <translation>Se ha encontrado una nueva versión.
¿Desea actualizar a la versión %1?</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Actualizar</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Omitir</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Conectar</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Desconectar</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Desconectado</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Conectado</translation>
    </message>
    <message>
        <source>will be keep running in background</source>
        <translation>seguirá ejecutándose en segundo plano</translation>
    </message>
</context>
<context>
    <name>ConnectionState</name>
    <message>
        <source>Disconnected</source>
        <translation>Desconectado</translation>
    </message>
    <message>
        <source>Preparing</source>
        <translation>Preparando</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Conectando...</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Conectado</translation>
    </message>
    <message>
        <source>Disconnecting...</source>
        <translation>Desconectando...</translation>
    </message>
    <message>
        <source>Reconnecting...</source>
        <translation>Reconectando...</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>¡Error!</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Desconocido</translation>
    </message>
</context>
<context>
    <name>CriticalErrorBox</name>
    <message>
        <source>Critical error, exiting (Click &apos;Show logs&apos; for details).</source>
        <translation>Error crítico, cerrando (haga clic en &apos;Mostrar registros&apos; para ver los detalles).</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>Mostrar registros</translation>
    </message>
</context>
<context>
    <name>FooterItem</name>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
</context>
<context>
    <name>OpenVpnClient</name>
    <message>
        <source>OpenVPN server is empty!</source>
        <translation>¡El servidor OpenVPN está vacío!</translation>
    </message>
    <message>
        <source>Error: the Stealth transport could not be started</source>
        <translation>Error: no se pudo iniciar el transporte Stealth</translation>
    </message>
    <message>
        <source>Error: the OpenVPN configuration could not be written</source>
        <translation>Error: no se pudo escribir la configuración de OpenVPN</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program: OpenVPN was not started</source>
        <translation>El puerto %1 está ocupado por otro programa: OpenVPN no se ha iniciado</translation>
    </message>
    <message>
        <source>Stealth mode could not start: stunnel is not listening on %1:%2</source>
        <translation>No se pudo iniciar el modo Stealth: stunnel no está escuchando en %1:%2</translation>
    </message>
    <message>
        <source>Error: OpenVPN sent a management line longer than 64 KiB</source>
        <translation>Error: OpenVPN envió una línea de gestión de más de 64 KiB</translation>
    </message>
    <message>
        <source>Error: Wrong Username/Password</source>
        <translation>Error: usuario o contraseña incorrectos</translation>
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
        <translation>Lista de servidores</translation>
    </message>
</context>
<context>
    <name>ServerListItem</name>
    <message>
        <source>Collapse</source>
        <translation>Contraer</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>Expandir</translation>
    </message>
    <message>
        <source>Remove from favorites</source>
        <translation>Quitar de favoritos</translation>
    </message>
    <message>
        <source>Add to favorites</source>
        <translation>Añadir a favoritos</translation>
    </message>
</context>
<context>
    <name>ServerListModel</name>
    <message>
        <source>Search</source>
        <translation>Buscar</translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation>No seleccionado</translation>
    </message>
    <message>
        <source>Favorite Servers</source>
        <translation>Servidores favoritos</translation>
    </message>
    <message>
        <source>Recent Servers</source>
        <translation>Servidores recientes</translation>
    </message>
</context>
<context>
    <name>ServerListView</name>
    <message>
        <source>No items to display</source>
        <translation>No hay elementos para mostrar</translation>
    </message>
</context>
<context>
    <name>ServerlistTabBar</name>
    <message>
        <source>Recommended</source>
        <translation>Recomendados</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Todos</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Recientes</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Auto</source>
        <translation>Automático</translation>
    </message>
</context>
<context>
    <name>SettingsWindowAuthSection</name>
    <message>
        <source>Authentication</source>
        <translation>Autenticación</translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>Actualizado</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Nombre de usuario</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Contraseña</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Actualizar</translation>
    </message>
</context>
<context>
    <name>SettingsWindowKillSwitchSection</name>
    <message>
        <source>Kill switch</source>
        <translation>Interruptor de emergencia</translation>
    </message>
    <message>
        <source>Enable Network lock (Internet kill switch). Available only for OpenVPN</source>
        <translation>Activar el bloqueo de red (interruptor de Internet). Disponible solo para OpenVPN</translation>
    </message>
    <message>
        <source>Network Lock ensures your Internet traffic goes through %1 secure tunnel</source>
        <translation>El bloqueo de red garantiza que su tráfico de Internet pase por el túnel seguro de %1</translation>
    </message>
    <message>
        <source>and stops all traffic if %1 disconnects unexpectedly</source>
        <translation>y detiene todo el tráfico si %1 se desconecta inesperadamente</translation>
    </message>
    <message>
        <source>Allow access to local network devices such as shares printers</source>
        <translation>Permitir el acceso a dispositivos de la red local, como carpetas compartidas e impresoras</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMiscellaneousSection</name>
    <message>
        <source>Miscellaneous</source>
        <translation>Varios</translation>
    </message>
    <message>
        <source>Show notifications</source>
        <translation>Mostrar notificaciones</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMtuSection</name>
    <message>
        <source>MTU Size</source>
        <translation>Tamaño de MTU</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Automático</translation>
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
        <translation>Protocolo</translation>
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
        <translation>Suele ofrecer la mejor combinación de velocidad y seguridad, pero puede no funcionar en todas las redes</translation>
    </message>
    <message>
        <source>TCP - OpenVPN</source>
        <translation>TCP - OpenVPN</translation>
    </message>
    <message>
        <source>This is more likely to function on all types of networks, but might be slower than UDP</source>
        <translation>Es más probable que funcione en todo tipo de redes, pero puede ser más lento que UDP</translation>
    </message>
    <message>
        <source>Stealth</source>
        <translation>Stealth</translation>
    </message>
    <message>
        <source>Stealth is our openvpn over TLS/SSL protocol, use this option if you are behind a heavy firewall or to mask your openvpn traffic for deep packet inspection</source>
        <translation>Stealth es nuestro protocolo OpenVPN sobre TLS/SSL; use esta opción si está detrás de un cortafuegos estricto o para ocultar su tráfico OpenVPN a la inspección profunda de paquetes</translation>
    </message>
    <message>
        <source>IPv6</source>
        <translation>IPv6</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Puerto</translation>
    </message>
</context>
<context>
    <name>SettingsWindowShowLogsSection</name>
    <message>
        <source>Show logs</source>
        <translation>Mostrar registros</translation>
    </message>
    <message>
        <source>Show logs collected by application</source>
        <translation>Mostrar los registros recopilados por la aplicación</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>Mostrar la carpeta de registros</translation>
    </message>
</context>
<context>
    <name>SettingsWindowStartupSection</name>
    <message>
        <source>Startup</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>Launch %1 on %2 startup</source>
        <translation>Iniciar %1 al arrancar %2</translation>
    </message>
    <message>
        <source>Connect to the last used location when %1 is launched</source>
        <translation>Conectar a la última ubicación usada al iniciar %1</translation>
    </message>
    <message>
        <source>Re-establish VPN connection if disconnected or dropped</source>
        <translation>Restablecer la conexión VPN si se desconecta o se cae</translation>
    </message>
    <message>
        <source>Start minimized</source>
        <translation>Iniciar minimizado</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Desactivado</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>A la bandeja del sistema</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>A la barra de tareas</translation>
    </message>
</context>
<context>
    <name>SettingsWindowTabBar</name>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Avanzado</translation>
    </message>
</context>
<context>
    <name>SettingsWindowUpdateApplicationSection</name>
    <message>
        <source>Auto Update</source>
        <translation>Actualización automática</translation>
    </message>
    <message>
        <source>Automatically update application</source>
        <translation>Actualizar la aplicación automáticamente</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
</context>
<context>
    <name>ThemeWindow</name>
    <message>
        <source>Theme editor</source>
        <translation>Editor de temas</translation>
    </message>
    <message>
        <source>Please choose a file</source>
        <translation>Elija un archivo</translation>
    </message>
    <message>
        <source>Theme files (*.ini)</source>
        <translation>Archivos de tema (*.ini)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Label 1</source>
        <translation>Etiqueta 1</translation>
    </message>
    <message>
        <source>Label 2</source>
        <translation>Etiqueta 2</translation>
    </message>
    <message>
        <source>Label 4</source>
        <translation>Etiqueta 4</translation>
    </message>
    <message>
        <source>Label 5</source>
        <translation>Etiqueta 5</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>Botón</translation>
    </message>
    <message>
        <source>Switch</source>
        <translation>Interruptor</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>Opción</translation>
    </message>
    <message>
        <source>Tab 1</source>
        <translation>Pestaña 1</translation>
    </message>
    <message>
        <source>Tab 2</source>
        <translation>Pestaña 2</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Cargar</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
</context>
<context>
    <name>VpnClient</name>
    <message>
        <source>Server address is not valid!</source>
        <translation>¡La dirección del servidor no es válida!</translation>
    </message>
    <message>
        <source>Another user of this computer is connected to the VPN</source>
        <translation>Otro usuario de este equipo está conectado a la VPN</translation>
    </message>
</context>
<context>
    <name>VpnConnectionButton</name>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Disconnection in progress...</source>
        <translation>Desconexión en curso...</translation>
    </message>
    <message>
        <source>SWITCH ON</source>
        <translation>ACTIVAR</translation>
    </message>
    <message>
        <source>SWITCH OFF</source>
        <translation>DESACTIVAR</translation>
    </message>
    <message>
        <source>DURATION</source>
        <translation>DURACIÓN</translation>
    </message>
</context>
<context>
    <name>VpnConnectionInfo</name>
    <message>
        <source>Server location</source>
        <translation>Ubicación del servidor</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Descargado</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>Subido</translation>
    </message>
</context>
<context>
    <name>VpnCore</name>
    <message>
        <source>Updating...</source>
        <translation>Actualizando...</translation>
    </message>
    <message>
        <source>Username or password is empty!</source>
        <translation>¡El usuario o la contraseña están vacíos!</translation>
    </message>
    <message>
        <source>VPN server IP is empty!</source>
        <translation>¡La IP del servidor VPN está vacía!</translation>
    </message>
    <message>
        <source>There are no ports for this connection</source>
        <translation>No hay puertos para esta conexión</translation>
    </message>
    <message>
        <source>Auto reconnection</source>
        <translation>Reconexión automática</translation>
    </message>
    <message>
        <source>Best in</source>
        <translation>Mejor en</translation>
    </message>
    <message>
        <source>Your current IP</source>
        <translation>Su IP actual</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>WireGuardClient</name>
    <message>
        <source>WireGuard is not supported on this system</source>
        <translation>WireGuard no es compatible con este sistema</translation>
    </message>
    <message>
        <source>Server name is empty!</source>
        <translation>¡El nombre del servidor está vacío!</translation>
    </message>
    <message>
        <source>Error: the WireGuard configuration could not be written</source>
        <translation>Error: no se pudo escribir la configuración de WireGuard</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program: WireGuard was not started</source>
        <translation>El puerto %1 está ocupado por otro programa: WireGuard no se ha iniciado</translation>
    </message>
    <message>
        <source>Error: WireGuard sent a report line longer than 64 KiB</source>
        <translation>Error: WireGuard envió una línea de informe de más de 64 KiB</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>System service is not running!</source>
        <translation>¡El servicio del sistema no se está ejecutando!</translation>
    </message>
    <message>
        <source>Debug mode.</source>
        <translation>Modo de depuración.</translation>
    </message>
    <message>
        <source>Couldn&apos;t detect any system tray on this system.</source>
        <translation>No se ha detectado ninguna bandeja del sistema en este sistema.</translation>
    </message>
    <message>
        <source>Killswitch event</source>
        <translation>Evento del interruptor de emergencia</translation>
    </message>
    <message>
        <source>Connection to Internet is blocked</source>
        <translation>La conexión a Internet está bloqueada</translation>
    </message>
</context>
</TS>
