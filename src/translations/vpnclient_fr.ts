<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>AContextMenu</name>
    <message>
        <source>Cut</source>
        <translation>Couper</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Coller</translation>
    </message>
</context>
<context>
    <name>ASearchField</name>
    <message>
        <source>Search</source>
        <translation>Rechercher</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>New version found.
Do you want to update to version %1?</source>
        <translation>Nouvelle version disponible.
Voulez-vous passer à la version %1 ?</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Mettre à jour</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Ignorer</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Se connecter</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Se déconnecter</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Déconnecté</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Connecté</translation>
    </message>
    <message>
        <source>will be keep running in background</source>
        <translation>continuera de s&apos;exécuter en arrière-plan</translation>
    </message>
</context>
<context>
    <name>ConnectionState</name>
    <message>
        <source>Disconnected</source>
        <translation>Déconnecté</translation>
    </message>
    <message>
        <source>Preparing</source>
        <translation>Préparation</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Connexion...</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Connecté</translation>
    </message>
    <message>
        <source>Disconnecting...</source>
        <translation>Déconnexion...</translation>
    </message>
    <message>
        <source>Reconnecting...</source>
        <translation>Reconnexion...</translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>Erreur !</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Inconnu</translation>
    </message>
</context>
<context>
    <name>CriticalErrorBox</name>
    <message>
        <source>Critical error, exiting (Click &apos;Show logs&apos; for details).</source>
        <translation>Erreur critique, fermeture (cliquez sur « Afficher les journaux » pour les détails).</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Show logs</source>
        <translation>Afficher les journaux</translation>
    </message>
</context>
<context>
    <name>FooterItem</name>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
</context>
<context>
    <name>OpenVpnClient</name>
    <message>
        <source>OpenVPN server is empty!</source>
        <translation>Le serveur OpenVPN est vide !</translation>
    </message>
    <message>
        <source>Error: the Stealth transport could not be started</source>
        <translation>Erreur : le transport Stealth n&apos;a pas pu être démarré</translation>
    </message>
    <message>
        <source>Error: the OpenVPN configuration could not be written</source>
        <translation>Erreur : la configuration OpenVPN n&apos;a pas pu être écrite</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program: OpenVPN was not started</source>
        <translation>Le port %1 est utilisé par un autre programme : OpenVPN n&apos;a pas été démarré</translation>
    </message>
    <message>
        <source>Stealth mode could not start: stunnel is not listening on %1:%2</source>
        <translation>Le mode Stealth n&apos;a pas pu démarrer : stunnel n&apos;écoute pas sur %1:%2</translation>
    </message>
    <message>
        <source>Error: OpenVPN sent a management line longer than 64 KiB</source>
        <translation>Erreur : OpenVPN a envoyé une ligne de gestion de plus de 64 Kio</translation>
    </message>
    <message>
        <source>Error: Wrong Username/Password</source>
        <translation>Erreur : nom d&apos;utilisateur ou mot de passe incorrect</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>B</source>
        <translation>o</translation>
    </message>
    <message>
        <source>KiB</source>
        <translation>Kio</translation>
    </message>
    <message>
        <source>MiB</source>
        <translation>Mio</translation>
    </message>
    <message>
        <source>GiB</source>
        <translation>Gio</translation>
    </message>
    <message>
        <source>TiB</source>
        <translation>Tio</translation>
    </message>
</context>
<context>
    <name>ServerListHeader</name>
    <message>
        <source>Serverlist</source>
        <translation>Liste des serveurs</translation>
    </message>
</context>
<context>
    <name>ServerListItem</name>
    <message>
        <source>Collapse</source>
        <translation>Réduire</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>Développer</translation>
    </message>
    <message>
        <source>Remove from favorites</source>
        <translation>Retirer des favoris</translation>
    </message>
    <message>
        <source>Add to favorites</source>
        <translation>Ajouter aux favoris</translation>
    </message>
</context>
<context>
    <name>ServerListModel</name>
    <message>
        <source>Search</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation>Non sélectionné</translation>
    </message>
    <message>
        <source>Favorite Servers</source>
        <translation>Serveurs favoris</translation>
    </message>
    <message>
        <source>Recent Servers</source>
        <translation>Serveurs récents</translation>
    </message>
</context>
<context>
    <name>ServerListView</name>
    <message>
        <source>No items to display</source>
        <translation>Aucun élément à afficher</translation>
    </message>
</context>
<context>
    <name>ServerlistTabBar</name>
    <message>
        <source>Recommended</source>
        <translation>Recommandés</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Tous</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Récents</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Auto</source>
        <translation>Automatique</translation>
    </message>
</context>
<context>
    <name>SettingsWindowAuthSection</name>
    <message>
        <source>Authentication</source>
        <translation>Authentification</translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>Mis à jour</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Nom d&apos;utilisateur</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Mettre à jour</translation>
    </message>
</context>
<context>
    <name>SettingsWindowKillSwitchSection</name>
    <message>
        <source>Kill switch</source>
        <translation>Coupure d&apos;urgence</translation>
    </message>
    <message>
        <source>Enable Network lock (Internet kill switch). Available only for OpenVPN</source>
        <translation>Activer le verrouillage réseau (coupure Internet). Disponible uniquement pour OpenVPN</translation>
    </message>
    <message>
        <source>Network Lock ensures your Internet traffic goes through %1 secure tunnel</source>
        <translation>Le verrouillage réseau garantit que votre trafic Internet passe par le tunnel sécurisé de %1</translation>
    </message>
    <message>
        <source>and stops all traffic if %1 disconnects unexpectedly</source>
        <translation>et bloque tout le trafic si %1 se déconnecte de façon inattendue</translation>
    </message>
    <message>
        <source>Allow access to local network devices such as shares printers</source>
        <translation>Autoriser l&apos;accès aux appareils du réseau local, comme les partages et les imprimantes</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMiscellaneousSection</name>
    <message>
        <source>Miscellaneous</source>
        <translation>Divers</translation>
    </message>
    <message>
        <source>Show notifications</source>
        <translation>Afficher les notifications</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
</context>
<context>
    <name>SettingsWindowMtuSection</name>
    <message>
        <source>MTU Size</source>
        <translation>Taille de la MTU</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Automatique</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manuel</translation>
    </message>
</context>
<context>
    <name>SettingsWindowProtocolSection</name>
    <message>
        <source>Protocol</source>
        <translation>Protocole</translation>
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
        <translation>Offre généralement le meilleur compromis entre vitesse et sécurité, mais peut ne pas fonctionner sur tous les réseaux</translation>
    </message>
    <message>
        <source>TCP - OpenVPN</source>
        <translation>TCP - OpenVPN</translation>
    </message>
    <message>
        <source>This is more likely to function on all types of networks, but might be slower than UDP</source>
        <translation>Fonctionne plus probablement sur tous les types de réseaux, mais peut être plus lent qu&apos;UDP</translation>
    </message>
    <message>
        <source>Stealth</source>
        <translation>Stealth</translation>
    </message>
    <message>
        <source>Stealth is our openvpn over TLS/SSL protocol, use this option if you are behind a heavy firewall or to mask your openvpn traffic for deep packet inspection</source>
        <translation>Stealth est notre protocole OpenVPN sur TLS/SSL : utilisez cette option si vous êtes derrière un pare-feu strict ou pour masquer votre trafic OpenVPN à l&apos;inspection approfondie des paquets</translation>
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
        <translation>Afficher les journaux</translation>
    </message>
    <message>
        <source>Show logs collected by application</source>
        <translation>Afficher les journaux collectés par l&apos;application</translation>
    </message>
    <message>
        <source>Show logs folder</source>
        <translation>Afficher le dossier des journaux</translation>
    </message>
</context>
<context>
    <name>SettingsWindowStartupSection</name>
    <message>
        <source>Startup</source>
        <translation>Démarrage</translation>
    </message>
    <message>
        <source>Launch %1 on %2 startup</source>
        <translation>Lancer %1 au démarrage de %2</translation>
    </message>
    <message>
        <source>Connect to the last used location when %1 is launched</source>
        <translation>Se connecter au dernier emplacement utilisé au lancement de %1</translation>
    </message>
    <message>
        <source>Re-establish VPN connection if disconnected or dropped</source>
        <translation>Rétablir la connexion VPN en cas de déconnexion ou de coupure</translation>
    </message>
    <message>
        <source>Start minimized</source>
        <translation>Démarrer réduit</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Désactivé</translation>
    </message>
    <message>
        <source>To systray</source>
        <translation>Dans la zone de notification</translation>
    </message>
    <message>
        <source>To taskbar</source>
        <translation>Dans la barre des tâches</translation>
    </message>
</context>
<context>
    <name>SettingsWindowTabBar</name>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Avancé</translation>
    </message>
</context>
<context>
    <name>SettingsWindowUpdateApplicationSection</name>
    <message>
        <source>Auto Update</source>
        <translation>Mise à jour automatique</translation>
    </message>
    <message>
        <source>Automatically update application</source>
        <translation>Mettre à jour l&apos;application automatiquement</translation>
    </message>
</context>
<context>
    <name>SystemTray</name>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
</context>
<context>
    <name>ThemeWindow</name>
    <message>
        <source>Theme editor</source>
        <translation>Éditeur de thèmes</translation>
    </message>
    <message>
        <source>Please choose a file</source>
        <translation>Veuillez choisir un fichier</translation>
    </message>
    <message>
        <source>Theme files (*.ini)</source>
        <translation>Fichiers de thème (*.ini)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Label 1</source>
        <translation>Étiquette 1</translation>
    </message>
    <message>
        <source>Label 2</source>
        <translation>Étiquette 2</translation>
    </message>
    <message>
        <source>Label 4</source>
        <translation>Étiquette 4</translation>
    </message>
    <message>
        <source>Label 5</source>
        <translation>Étiquette 5</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>Bouton</translation>
    </message>
    <message>
        <source>Switch</source>
        <translation>Interrupteur</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>Option</translation>
    </message>
    <message>
        <source>Tab 1</source>
        <translation>Onglet 1</translation>
    </message>
    <message>
        <source>Tab 2</source>
        <translation>Onglet 2</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Charger</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
</context>
<context>
    <name>VpnClient</name>
    <message>
        <source>Server address is not valid!</source>
        <translation>L&apos;adresse du serveur n&apos;est pas valide !</translation>
    </message>
    <message>
        <source>Another user of this computer is connected to the VPN</source>
        <translation>Un autre utilisateur de cet ordinateur est connecté au VPN</translation>
    </message>
</context>
<context>
    <name>VpnConnectionButton</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Disconnection in progress...</source>
        <translation>Déconnexion en cours...</translation>
    </message>
    <message>
        <source>SWITCH ON</source>
        <translation>ACTIVER</translation>
    </message>
    <message>
        <source>SWITCH OFF</source>
        <translation>DÉSACTIVER</translation>
    </message>
    <message>
        <source>DURATION</source>
        <translation>DURÉE</translation>
    </message>
</context>
<context>
    <name>VpnConnectionInfo</name>
    <message>
        <source>Server location</source>
        <translation>Emplacement du serveur</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Reçu</translation>
    </message>
    <message>
        <source>Uploaded</source>
        <translation>Envoyé</translation>
    </message>
</context>
<context>
    <name>VpnCore</name>
    <message>
        <source>Updating...</source>
        <translation>Mise à jour...</translation>
    </message>
    <message>
        <source>Username or password is empty!</source>
        <translation>Le nom d&apos;utilisateur ou le mot de passe est vide !</translation>
    </message>
    <message>
        <source>VPN server IP is empty!</source>
        <translation>L&apos;adresse IP du serveur VPN est vide !</translation>
    </message>
    <message>
        <source>There are no ports for this connection</source>
        <translation>Aucun port pour cette connexion</translation>
    </message>
    <message>
        <source>Auto reconnection</source>
        <translation>Reconnexion automatique</translation>
    </message>
    <message>
        <source>Best in</source>
        <translation>Meilleur en</translation>
    </message>
    <message>
        <source>Your current IP</source>
        <translation>Votre IP actuelle</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
</context>
<context>
    <name>WireGuardClient</name>
    <message>
        <source>WireGuard is not supported on this system</source>
        <translation>WireGuard n&apos;est pas pris en charge sur ce système</translation>
    </message>
    <message>
        <source>Server name is empty!</source>
        <translation>Le nom du serveur est vide !</translation>
    </message>
    <message>
        <source>Error: the WireGuard configuration could not be written</source>
        <translation>Erreur : la configuration WireGuard n&apos;a pas pu être écrite</translation>
    </message>
    <message>
        <source>Port %1 is taken by another program: WireGuard was not started</source>
        <translation>Le port %1 est utilisé par un autre programme : WireGuard n&apos;a pas été démarré</translation>
    </message>
    <message>
        <source>Error: WireGuard sent a report line longer than 64 KiB</source>
        <translation>Erreur : WireGuard a envoyé une ligne de rapport de plus de 64 Kio</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>System service is not running!</source>
        <translation>Le service système n&apos;est pas en cours d&apos;exécution !</translation>
    </message>
    <message>
        <source>Debug mode.</source>
        <translation>Mode débogage.</translation>
    </message>
    <message>
        <source>Couldn&apos;t detect any system tray on this system.</source>
        <translation>Aucune zone de notification n&apos;a été détectée sur ce système.</translation>
    </message>
    <message>
        <source>Killswitch event</source>
        <translation>Coupure d&apos;urgence déclenchée</translation>
    </message>
    <message>
        <source>Connection to Internet is blocked</source>
        <translation>La connexion à Internet est bloquée</translation>
    </message>
</context>
</TS>
