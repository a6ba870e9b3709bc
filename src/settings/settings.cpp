#include "settings.h"

#include "api/catalogue.h"
#include "api/catalogueindex.h"
#include "app/logger.h"
#include "clients/wireguardclient.h"
#include "platform/platform.h"
#include "utils/autostart.h"
#include "utils/utils.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>

namespace {

const int recentServerLimit = 3;
const quint16 stealthPort = 443;
const quint16 wireGuardPort = 55888;

const char keyAllowLocal[] = "allowAccessToLocalDevices";
const char keyAutoReconnect[] = "autoReconnectToVpn";
const char keyAutoUpdate[] = "autoUpdateEnabled";
const char keyLastLocation[] = "connectToLastLocation";
const char keyCurrentServer[] = "currentServerId";
const char keyIpv6[] = "ipv6Enabled";
const char keyKillswitch[] = "killswitchEnabled";
const char keyLanguage[] = "language";
const char keyMtu[] = "mtuSize";
const char keyProtocol[] = "networkProtocol";
const char keyPassword[] = "password";
const char keyNotifications[] = "showNotifications";
const char keyStartMinimized[] = "startMinimized";
const char keyUserName[] = "userName";
const char keyTcpPort[] = "tcpPortIndex";
const char keyUdpPort[] = "udpPortIndex";
const char keyFavorites[] = "favorites";
const char keyRecent[] = "recentServers";
const char keyThemeditorUrl[] = "themeditorLastOpenedUrl";

QString key(const char* name)
{
    return QString::fromLatin1(name);
}

QStringList portTexts(const QVector<quint16>& ports)
{
    QStringList texts;
    for (quint16 port : ports)
        texts << QString::number(port);
    return texts;
}

} // namespace

Settings::Settings(QObject* parent) : QObject(parent), m_cipher(CredentialCipher::settingsKey)
{
    setObjectName(QStringLiteral("Settings"));
    m_networkProtocol = WireGuardClient::isWireGuardEnabled() ? 3 : 0;
    m_themeditorLastOpenedUrl =
        QUrl::fromLocalFile(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    m_store = new QSettings(QStringLiteral("VPN"), QStringLiteral("VPNClient"), this);
    load();
    m_store->beginGroup(m_themeditorGroup);
    m_themeditorLastOpenedUrl =
        m_store->value(key(keyThemeditorUrl), m_themeditorLastOpenedUrl).toUrl();
    m_store->endGroup();
    const QVector<Language>& table = languageTable();
    if (!m_language.isEmpty() &&
        std::none_of(table.cbegin(), table.cend(),
                     [this](const Language& l) { return l.code == m_language; }))
        m_language.clear();
}

Settings* Settings::instance()
{
    static Settings settings;
    return &settings;
}

const QVector<quint16>& Settings::allowedTcpPorts()
{
    static const QVector<quint16> ports{0, 20, 21, 23, 53, 80, 110, 143, 3389, 8080};
    return ports;
}

const QVector<quint16>& Settings::allowedUdpPorts()
{
    static const QVector<quint16> ports{53, 88, 123};
    return ports;
}

const QVector<Settings::Language>& Settings::languageTable()
{
    static const QVector<Language> table{{QStringLiteral("English"), QStringLiteral("en")},
                                         {QStringLiteral("Bahasa Indonesia"), QStringLiteral("id")},
                                         {QStringLiteral("Bahasa Melayu"), QStringLiteral("my")},
                                         {QStringLiteral("Español"), QStringLiteral("es")},
                                         {QStringLiteral("Français"), QStringLiteral("fr")},
                                         {QStringLiteral("Nederlands"), QStringLiteral("nl")},
                                         {QStringLiteral("Pilipino"), QStringLiteral("ph")},
                                         {QStringLiteral("Tiếng Việt"), QStringLiteral("vn")},
                                         {QStringLiteral("Русский"), QStringLiteral("ru")},
                                         {QStringLiteral("ไทย"), QStringLiteral("th")},
                                         {QStringLiteral("日本語"), QStringLiteral("jp")},
                                         {QStringLiteral("简体中文"), QStringLiteral("cn")}};
    return table;
}

bool Settings::isValidServerId(const QString& id)
{
    if (Utils::isIpv4Address(id) || id.size() == 2)
        return true;
    QUrl url;
    url.setHost(id, QUrl::DecodedMode);
    return url.isValid();
}

quint16 Settings::boundedIndex(uint value, int size)
{
    const quint16 index = quint16(value);
    return index < size ? index : 0;
}

void Settings::load()
{
    m_store->beginGroup(m_settingsGroup);
    m_allowAccessToLocalDevices =
        m_store->value(key(keyAllowLocal), m_allowAccessToLocalDevices).toBool();
    m_autoReconnectionOnError =
        m_store->value(key(keyAutoReconnect), m_autoReconnectionOnError).toBool();
    m_autoUpdateEnabled = m_store->value(key(keyAutoUpdate), m_autoUpdateEnabled).toBool();
    m_connectToLastLocation =
        m_store->value(key(keyLastLocation), m_connectToLastLocation).toBool();
    m_currentServerId = m_store->value(key(keyCurrentServer), m_currentServerId).toString();
    if (!isValidServerId(m_currentServerId))
        m_currentServerId.clear();
    m_ipv6Enabled = m_store->value(key(keyIpv6), m_ipv6Enabled).toBool();
    m_killswitchEnabled = m_store->value(key(keyKillswitch), m_killswitchEnabled).toBool();
    m_language = m_store->value(key(keyLanguage), m_language).toString();
    m_mtuSize = m_store->value(key(keyMtu), m_mtuSize).toInt();
    m_networkProtocol = m_store->value(key(keyProtocol), m_networkProtocol).toInt();
    if (m_networkProtocol == 3 && !WireGuardClient::isWireGuardEnabled())
        m_networkProtocol = 0;
    m_password = m_cipher.decryptText(m_store->value(key(keyPassword), m_password).toString());
    m_showNotifications = m_store->value(key(keyNotifications), m_showNotifications).toBool();
    m_startMinimized = m_store->value(key(keyStartMinimized), m_startMinimized).toInt();
    m_userName = m_cipher.decryptText(m_store->value(key(keyUserName), m_userName).toString());
    const quint16 tcp = boundedIndex(m_store->value(key(keyTcpPort), m_tcpPortIndex).toUInt(),
                                     allowedTcpPorts().size());
    if (tcp != m_tcpPortIndex) {
        m_tcpPortIndex = tcp;
        emit tcpPortIndexChanged(tcp);
    }
    const quint16 udp = boundedIndex(m_store->value(key(keyUdpPort), m_udpPortIndex).toUInt(),
                                     allowedUdpPorts().size());
    if (udp != m_udpPortIndex) {
        m_udpPortIndex = udp;
        emit udpPortIndexChanged(udp);
    }
    m_favorites = m_store->value(key(keyFavorites), m_favorites).toStringList();
    m_store->endGroup();
}

QStringList Settings::allowedTcpPortsList() const
{
    return portTexts(allowedTcpPorts());
}

QStringList Settings::allowedUdpPortsList() const
{
    return portTexts(allowedUdpPorts());
}

QStringList Settings::languageList() const
{
    QStringList names;
    for (const Language& language : languageTable())
        names << language.displayName;
    return names;
}

bool Settings::launchAppOnStartup() const
{
    return AutoStart::isAutoStartEnabled();
}

int Settings::languageIndex() const
{
    const QVector<Language>& table = languageTable();
    for (int i = 0; i < table.size(); ++i) {
        if (table[i].code == m_language)
            return i;
    }
    return 0;
}

// Setters that store a plain value and report it.
#define CORVALINK_SETTER(Name, member, Type, signal)                                               \
    void Settings::Name(Type value)                                                                \
    {                                                                                              \
        if (member == value)                                                                       \
            return;                                                                                \
        member = value;                                                                            \
        emit signal(member);                                                                       \
    }

CORVALINK_SETTER(setLanguage, m_language, const QString&, languageChanged)
CORVALINK_SETTER(setAllowAccessToLocalDevices, m_allowAccessToLocalDevices, bool,
                 allowAccessToLocalDevicesChanged)
CORVALINK_SETTER(setAutoReconnectionOnError, m_autoReconnectionOnError, bool,
                 autoReconnectionOnErrorChanged)
CORVALINK_SETTER(setAutoUpdateEnabled, m_autoUpdateEnabled, bool, autoUpdateEnabledChanged)
CORVALINK_SETTER(setConnectToLastLocation, m_connectToLastLocation, bool,
                 connectToLastLocationChanged)
CORVALINK_SETTER(setIpv6Enabled, m_ipv6Enabled, bool, ipv6EnabledChanged)
CORVALINK_SETTER(setKillswitchEnabled, m_killswitchEnabled, bool, killswitchEnabledChanged)
CORVALINK_SETTER(setShowNotifications, m_showNotifications, bool, showNotificationsChanged)
CORVALINK_SETTER(setNetworkProtocol, m_networkProtocol, int, networkProtocolChanged)
CORVALINK_SETTER(setStartMinimized, m_startMinimized, int, startMinimizedChanged)

#undef CORVALINK_SETTER

void Settings::setPassword(const QString& password)
{
    if (password == m_password)
        return;
    m_password = password.simplified();
    emit passwordChanged(m_password);
}

void Settings::setUserName(const QString& userName)
{
    if (userName == m_userName)
        return;
    m_userName = userName.simplified();
    emit userNameChanged(m_userName);
}

void Settings::setLaunchAppOnStartup(bool enable)
{
    if (enable == AutoStart::isAutoStartEnabled())
        return;
    AutoStart::setAutoStart(enable);
    emit launchAppOnStartupChanged(enable);
}

void Settings::setLanguageIndex(int languageIndex)
{
    const QVector<Language>& table = languageTable();
    if (languageIndex < 0 || languageIndex >= table.size() ||
        table[languageIndex].code == m_language)
        return;
    m_language = table[languageIndex].code;
    emit languageChanged(m_language);
}

void Settings::setMtuSize(int mtuSize)
{
    // Each change runs a system tool per adapter.
    if (m_mtuSize == mtuSize)
        return;
    for (const NetworkInterface& adapter : qAsConst(m_tunnelAdapters)) {
        // A driver that makes its device on demand has no index to set yet.
        if (adapter.index > 0)
            Utils::setInterfaceMtu(adapter.index, mtuSize);
    }
    m_mtuSize = mtuSize;
    emit mtuSizeChanged(mtuSize);
}

void Settings::setTcpPortIndex(int index)
{
    const quint16 bounded = boundedIndex(uint(index), allowedTcpPorts().size());
    if (bounded == m_tcpPortIndex)
        return;
    m_tcpPortIndex = bounded;
    emit tcpPortIndexChanged(bounded);
}

void Settings::setUdpPortIndex(int index)
{
    const quint16 bounded = boundedIndex(uint(index), allowedUdpPorts().size());
    if (bounded == m_udpPortIndex)
        return;
    m_udpPortIndex = bounded;
    emit udpPortIndexChanged(bounded);
}

void Settings::setThemeditorLastOpenedUrl(const QUrl& url)
{
    m_themeditorLastOpenedUrl = QUrl::fromLocalFile(QFileInfo(url.toLocalFile()).absolutePath());
    emit themeditorLastOpenedUrlChanged(m_themeditorLastOpenedUrl);
}

QString Settings::fileName() const
{
    return m_store->fileName();
}

bool Settings::isWritable() const
{
    return m_store->isWritable();
}

bool Settings::vaildCredentials() const
{
    return !m_userName.simplified().isEmpty() && !m_password.simplified().isEmpty();
}

QString Settings::osName() const
{
    return Platform::isWindows() ? QStringLiteral("Windows") : QStringLiteral("Linux");
}

void Settings::saveCurrentServerId(const QString& serverId)
{
    if (serverId != m_currentServerId)
        m_currentServerId = serverId;
    saveGeneralSettings();
}

void Settings::saveGeneralSettings()
{
    m_store->beginGroup(m_settingsGroup);
    m_store->setValue(key(keyAllowLocal), m_allowAccessToLocalDevices);
    m_store->setValue(key(keyAutoReconnect), m_autoReconnectionOnError);
    m_store->setValue(key(keyAutoUpdate), m_autoUpdateEnabled);
    m_store->setValue(key(keyLastLocation), m_connectToLastLocation);
    m_store->setValue(key(keyCurrentServer), m_currentServerId);
    m_store->setValue(key(keyIpv6), m_ipv6Enabled);
    m_store->setValue(key(keyKillswitch), m_killswitchEnabled);
    m_store->setValue(key(keyLanguage), m_language);
    m_store->setValue(key(keyMtu), m_mtuSize);
    m_store->setValue(key(keyProtocol), m_networkProtocol);
    m_store->setValue(key(keyPassword), m_cipher.encryptText(m_password));
    m_store->setValue(key(keyNotifications), m_showNotifications);
    m_store->setValue(key(keyStartMinimized), m_startMinimized);
    m_store->setValue(key(keyTcpPort), m_tcpPortIndex);
    m_store->setValue(key(keyUdpPort), m_udpPortIndex);
    m_store->setValue(key(keyUserName), m_cipher.encryptText(m_userName));
    m_store->endGroup();
    m_store->sync();
}

void Settings::saveThemeditorSettings()
{
    m_store->beginGroup(m_themeditorGroup);
    m_store->setValue(key(keyThemeditorUrl), m_themeditorLastOpenedUrl);
    m_store->endGroup();
    m_store->sync();
}

void Settings::setFavorite(const QString& id, bool set)
{
    if (set) {
        m_favorites.append(id);
        m_favorites.removeDuplicates();
    } else {
        m_favorites.removeAll(id);
    }
    m_store->beginGroup(m_settingsGroup);
    m_store->setValue(key(keyFavorites), m_favorites);
    m_store->endGroup();
}

Servers Settings::loadRecentServers(const Servers& catalogue)
{
    return loadRecentServers(catalogue, CatalogueIndex(catalogue));
}

Servers Settings::loadRecentServers(const Servers& catalogue, const CatalogueIndex& index)
{
    m_store->beginGroup(m_settingsGroup);
    const QStringList stored = m_store->value(key(keyRecent)).toStringList();
    m_store->endGroup();
    Servers recent;
    for (const QString& identifier : stored) {
        const int at = index.indexOfIdentifier(identifier);
        if (at >= 0)
            recent << catalogue.at(at);
    }
    return recent;
}

void Settings::saveRecentServers(const Servers& servers)
{
    QStringList identifiers;
    for (const Server& server : servers)
        identifiers << Catalogue::identifierForAddress(servers, server.ip);
    identifiers.removeDuplicates();
    while (identifiers.size() > recentServerLimit)
        identifiers.removeFirst();
    m_store->beginGroup(m_settingsGroup);
    m_store->setValue(key(keyRecent), identifiers);
    m_store->endGroup();
    m_store->sync();
    Logger::info(objectName(),
                 QStringLiteral("Save recent servers: %1").arg(identifiers.join(QLatin1Char(','))));
}

quint16 Settings::currentPort() const
{
    const auto entry = [](const QVector<quint16>& ports, quint16 index) {
        return index < ports.size() ? ports[index] : ports.first();
    };
    switch (m_networkProtocol) {
    case 0:
        return entry(allowedUdpPorts(), m_udpPortIndex);
    case 1:
        return entry(allowedTcpPorts(), m_tcpPortIndex);
    case 2:
        return stealthPort;
    case 3:
        return wireGuardPort;
    default:
        return 0;
    }
}

QString Settings::currentPortText() const
{
    const quint16 port = currentPort();
    return port == 0 ? QStringLiteral("auto") : QString::number(port);
}

QVector<quint16> Settings::autoPortCandidates() const
{
    QVector<quint16> candidates;
    for (quint16 port : allowedTcpPorts()) {
        if (port != 0)
            candidates << port;
    }
    return candidates;
}
