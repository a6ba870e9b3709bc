#include "serverlistmodel.h"

#include "api/catalogue.h"
#include "app/logger.h"
#include "core/countrynames.h"
#include "settings/settings.h"
#include "utils/utils.h"

#include <algorithm>

namespace {

// What notifyCurrentServer last emitted, shared by every model: a second list that selects the
// same location stays quiet.
struct LastNotification
{
    QString locationText;
    QString locationImageSource;
    QString serverIp;
};

LastNotification& lastNotification()
{
    static LastNotification last;
    return last;
}

bool isDecimalNumber(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

} // namespace

ServerListModel::ServerListModel(const QString& name, int kind, QObject* parent)
    : QAbstractListModel(parent), m_kind(kind)
{
    setObjectName(name);
}

QString ServerListModel::locationImageSource() const
{
    const Server* server = selectedServer();
    return server ? Utils::countryFlagSource(server->country) : QString();
}

QString ServerListModel::locationText() const
{
    if (m_currentId == searchMarker())
        return tr("Search");
    const Server* server = selectedServer();
    return server ? Catalogue::countryCityText(*server) : tr("Not selected");
}

QString ServerListModel::serverIp() const
{
    const Server* server = selectedServer();
    return server ? server->ip : QString();
}

int ServerListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

QVariant ServerListModel::data(const QModelIndex& index, int role) const
{
    if (index.row() < 0)
        return QStringLiteral("0");
    return rowValue(index.row(), role);
}

QHash<int, QByteArray> ServerListModel::roleNames() const
{
    static const QHash<int, QByteArray> names = {
        {IdRole, "Id"},
        {CountryServerRole, "CountryServer"},
        {CountryRole, "Country"},
        {CountryNameRole, "CountryName"},
        {CityRole, "City"},
        {NameRole, "Name"},
        {FavoriteRole, "Favorite"},
        {ServiceHeaderRole, "ServiceHeader"},
        {ServiceItemRole, "ServiceItem"},
        {CountryFlagSourceRole, "CountryFlagSource"},
        {SearchFieldRole, "SearchField"},
        {LabelRole, "Label"},
        {FlagRole, "Flag"},
        {ExpandableRole, "Expandable"},
        {FavoriteIconVisibleRole, "FavoriteIconVisible"},
    };
    return names;
}

bool ServerListModel::removeRows(int row, int count, const QModelIndex& parent)
{
    // Rows of a list have no children, and a negative start names no row.
    if (m_rows.isEmpty() || count < 1 || row < 0 || row >= m_rows.size() || parent.isValid())
        return false;
    const int last = qMin(row + count, m_rows.size()) - 1;
    beginRemoveRows(QModelIndex(), row, last);
    m_rows.erase(m_rows.begin() + row, m_rows.begin() + last + 1);
    m_rowTexts.erase(m_rowTexts.begin() + row, m_rowTexts.begin() + last + 1);
    endRemoveRows();
    return true;
}

QVariant ServerListModel::roleValue(const Server& server, int role) const
{
    switch (role) {
    case IdRole:
        return server.id;
    case CountryServerRole:
        return m_allCountries || server.isCountry;
    case CountryRole:
        return server.country.toLower();
    case CountryNameRole:
        return Catalogue::displayCountryName(server);
    case CityRole:
        return server.city;
    case NameRole:
        return server.name;
    case FavoriteRole:
        return server.favorite;
    case ServiceHeaderRole:
        return server.serviceHeader;
    case ServiceItemRole:
        return m_kind == Recent && !server.serviceHeader;
    case CountryFlagSourceRole:
        return Utils::countryFlagSource(server.country);
    case SearchFieldRole:
        return QStringLiteral("%1:%2:%3:%4")
            .arg(Catalogue::displayCountryName(server), server.city, server.name, server.ip)
            .toLower();
    default:
        return {};
    }
}

QVariant ServerListModel::rowValue(int row, int role) const
{
    if (row < 0 || row >= m_rows.size())
        return {};
    switch (role) {
    case LabelRole:
        return attrBasicLabelText(row);
    case FlagRole:
        return attrCountryFlagSource(row);
    case ExpandableRole:
        return attrExpandable(row);
    case FavoriteIconVisibleRole:
        return attrFavoriteIconVisible(row);
    default:
        return roleValue(m_rows.at(row), role);
    }
}

QString ServerListModel::attrBasicLabelText(int indexOfThisDelegate) const
{
    const bool country = rowValue(indexOfThisDelegate, CountryServerRole).toBool();
    const int role = expandableModel() && country ? CountryNameRole : CityRole;
    return rowValue(indexOfThisDelegate, role).toString();
}

QString ServerListModel::attrCountryFlagSource(int indexOfThisDelegate) const
{
    const QString flag = rowValue(indexOfThisDelegate, CountryFlagSourceRole).toString();
    if (rowValue(indexOfThisDelegate, ServiceItemRole).toBool() || !expandableModel())
        return flag;
    return rowValue(indexOfThisDelegate, CountryServerRole).toBool() ? flag : QString();
}

bool ServerListModel::attrExpandable(int indexOfThisDelegate) const
{
    if (!expandableModel() || rowValue(indexOfThisDelegate, ServiceItemRole).toBool())
        return false;
    // A server under its country has nothing to open: only country and section rows expand.
    return m_kind == Recent || rowValue(indexOfThisDelegate, CountryServerRole).toBool();
}

bool ServerListModel::attrFavoriteIconVisible(int indexOfThisDelegate) const
{
    if (!expandableModel())
        return true;
    return !rowValue(indexOfThisDelegate, CountryServerRole).toBool();
}

bool ServerListModel::attrVisible(int indexOfThisDelegate, const QString& searchPhrase) const
{
    const QString phrase = searchPhrase.simplified();
    if (phrase.isEmpty())
        return true;
    if (indexOfThisDelegate < 0 || indexOfThisDelegate >= m_rows.size()) {
        Logger::warning(objectName(),
                        QStringLiteral("Attr, out of index: %1").arg(indexOfThisDelegate));
        return true;
    }
    return rowMatches(indexOfThisDelegate, ServerSearchIndex::needle(phrase));
}

bool ServerListModel::rowMatches(int row, const QString& needle) const
{
    if (needle.isEmpty() || row < 0 || row >= m_rows.size())
        return true;
    if (m_kind != AllServers && m_rows.at(row).serviceHeader)
        return true;
    // A country row's text holds the texts of all its catalogue servers.
    return m_rowTexts.at(row).contains(needle);
}

bool ServerListModel::expandableModel() const
{
    return m_kind == AllServers || m_kind == Recent;
}

void ServerListModel::collapseAll()
{
    setAllExpanded(false);
}

void ServerListModel::expandAll()
{
    setAllExpanded(true);
}

void ServerListModel::setAllExpanded(bool expand)
{
    if (!expandableModel())
        return;
    // Every keystroke of a search asks for this, and usually nothing changes: the rows are
    // counted by country in one pass, and rows are looked up only for entries that change.
    QHash<QString, int> shownRows;
    if (m_kind == AllServers) {
        QHash<QString, int> byCode;
        for (const Server& row : qAsConst(m_rows))
            ++byCode[row.country];
        for (auto code = byCode.cbegin(); code != byCode.cend(); ++code)
            shownRows[ServerSearchIndex::countryKey(code.key())] += code.value();
    }
    QVector<const Server*> changing;
    for (const Server& entry : qAsConst(m_baseRows)) {
        if (expansionWanted(entry, expand,
                            shownRows.value(ServerSearchIndex::countryKey(entry.country))))
            changing << &entry;
    }
    if (changing.isEmpty())
        return;
    QHash<QString, int> firstRowOf;
    for (int i = m_rows.size() - 1; i >= 0; --i)
        firstRowOf.insert(m_rows.at(i).id, i);
    QVector<int> rows;
    for (const Server* entry : qAsConst(changing)) {
        const auto found = firstRowOf.constFind(entry->id);
        if (found == firstRowOf.cend())
            warnNotFound(entry->id, expand);
        else
            rows << found.value();
    }
    // Top down, each row moved by what the rows above it gained or lost: an insertion then moves
    // only rows that are not yet expanded.
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    m_refreshDeferred = true;
    int moved = 0;
    for (const int row : qAsConst(rows)) {
        const int before = m_rows.size();
        expandRow(row + moved, expand);
        moved += m_rows.size() - before;
    }
    m_refreshDeferred = false;
    if (m_refreshPending)
        refreshAllRows();
}

void ServerListModel::expandCurrentItem(const QString& serverId, bool expand)
{
    if (!expandableModel()) {
        Logger::warning(objectName(), QStringLiteral("This model can't be expanded!"));
        return;
    }
    const int row = indexOfRow(serverId);
    if (row < 0) {
        warnNotFound(serverId, expand);
        return;
    }
    const Server& parent = m_rows.at(row);
    if (expansionWanted(parent, expand, m_kind == AllServers ? countryRowCount(parent.country) : 0))
        expandRow(row, expand);
}

void ServerListModel::warnNotFound(const QString& serverId, bool expand) const
{
    Logger::warning(objectName(),
                    QStringLiteral("Can't find server '%1' for expandable operation: %2")
                        .arg(serverId)
                        .arg(expand ? 1 : 0));
}

void ServerListModel::expandRow(int row, bool expand)
{
    const Server parent = m_rows.at(row);
    QVector<QString> texts;
    Servers kept;
    const QVector<const Server*> children = childrenOf(parent, kept, texts);
    if (m_kind == Recent && isHeaderRow(parent, favoritesHeaderCode()))
        m_favoritesExpanded = expand;
    else if (m_kind == Recent && isHeaderRow(parent, recentHeaderCode()))
        m_recentExpanded = expand;
    if (children.isEmpty()) {
        Logger::info(
            objectName(),
            QStringLiteral("Can't find servers for expandable operation, list is empty for server "
                           "'%1'")
                .arg(parent.id));
        return;
    }
    if (expand)
        insertServers(row + 1, children, texts);
    else
        removeRows(row + 1, shownChildRows(row, children.size()));
    refreshAllRows();
    emit expandableStateChanged(parent.id, expand);
}

bool ServerListModel::expansionWanted(const Server& row, bool expand, int shownCountryRows) const
{
    if (m_kind == Recent) {
        if (isHeaderRow(row, favoritesHeaderCode()))
            return expand != m_favoritesExpanded;
        if (isHeaderRow(row, recentHeaderCode()))
            return expand != m_recentExpanded;
        return true;
    }
    return expand ? shownCountryRows < 2 : shownCountryRows != 1;
}

QVector<const Server*> ServerListModel::childrenOf(const Server& row, Servers& kept,
                                                   QVector<QString>& texts)
{
    QVector<const Server*> children;
    if (m_kind == Recent && isHeaderRow(row, favoritesHeaderCode())) {
        for (int i = 0; i < m_catalogue.size(); ++i) {
            if (m_catalogue.at(i).favorite) {
                children << &m_catalogue.at(i);
                texts << m_search.catalogueText(i);
            }
        }
    } else if (m_kind == Recent && isHeaderRow(row, recentHeaderCode())) {
        kept = Settings::instance()->loadRecentServers(m_catalogue, catalogueIndex());
        texts = rowTexts(kept);
        for (const Server& server : qAsConst(kept))
            children << &server;
    } else {
        const QVector<int> members = m_search.countryMembers(row.country);
        children.reserve(members.size());
        texts.reserve(members.size());
        for (const int i : members) {
            children << &m_catalogue.at(i);
            texts << m_search.catalogueText(i);
        }
    }
    return children;
}

int ServerListModel::shownChildRows(int row, int children) const
{
    // Only the rows under this one up to the next header are its children: flags kept over a
    // refill may claim rows that are no longer there.
    int shown = 0;
    for (int i = row + 1; i < m_rows.size() && shown < children && !m_rows.at(i).isCountry; ++i)
        ++shown;
    return shown;
}

void ServerListModel::setFavorite(const QString& serverId, bool set)
{
    Catalogue::setFavoriteByIp(m_catalogue, serverId, set);
    Catalogue::setFavoriteByIp(m_rows, serverId, set);
    refreshAllRows();
    if (m_kind != Recent || !m_favoritesExpanded)
        return;
    const int shownRow = indexOfRow(serverId);
    const int recentHeader = firstRecentHeaderRow();
    if (set) {
        const int at = catalogueIndex().indexOfIp(serverId);
        const Server server = at >= 0 ? m_catalogue.at(at) : Server();
        if (Catalogue::isValid(server))
            insertServers(1, {server}, rowTexts({server}));
        else
            Logger::info(objectName(),
                         QStringLiteral("Can't find server with IP '%1'").arg(serverId));
    } else if (shownRow >= 1 && shownRow < recentHeader) {
        removeRows(m_rows.indexOf(m_rows.at(shownRow)), 1);
    }
}

void ServerListModel::updateCurrentServer(const QString& serverId, bool notify)
{
    if (serverId.isEmpty())
        return;
    const QString id = Catalogue::identifierForAddress(m_rows, serverId);
    if (Catalogue::isUuid(id) || id.size() == 2) {
        const QString code = countrySelectionCode(id);
        if (code.isEmpty())
            return;
        m_currentId = searchMarker();
        emit searchCountry(code, Utils::countryFlagSource(code));
        return;
    }
    selectServer(id, notify);
}

QString ServerListModel::countrySelectionCode(const QString& id) const
{
    const int row = indexOfRow(id);
    if (row >= 0)
        return m_rows.at(row).country;
    if (id.size() != 2)
        return {};
    for (const Server& server : m_rows) {
        if (server.country.compare(id, Qt::CaseInsensitive) == 0)
            return server.country;
    }
    return {};
}

void ServerListModel::selectServer(QString id, bool notify)
{
    if (isDecimalNumber(id)) {
        bool valid = false;
        const qlonglong position = id.toLongLong(&valid);
        if (valid && position < m_catalogue.size())
            id = m_catalogue.at(int(position)).ip;
    }
    if (Utils::isIpv4Address(id)) {
        m_currentId = id;
    } else if (m_rows.isEmpty()) {
        return;
    } else if (Catalogue::isHostName(id)) {
        m_currentId = Catalogue::ipForName(m_rows, id);
    } else {
        m_currentId = m_rows.first().id;
    }
    if (serverIp().isEmpty())
        return;
    if (notify)
        notifyCurrentServer();
}

void ServerListModel::notifyCurrentServer()
{
    LastNotification& last = lastNotification();
    const QString text = locationText();
    if (text != last.locationText) {
        last.locationText = text;
        emit locationTextChanged(text);
    }
    const QString image = locationImageSource();
    if (image != last.locationImageSource) {
        last.locationImageSource = image;
        emit locationImageSourceChanged(image);
    }
    const QString ip = serverIp();
    if (ip != last.serverIp) {
        last.serverIp = ip;
        emit serverIpChanged(ip);
        m_notified = true;
    }
}

void ServerListModel::createServerList(const Servers& serverList, bool notyfy)
{
    Settings* settings = Settings::instance();
    m_catalogue = serverList;
    Catalogue::applyFavorites(m_catalogue, settings->favorites());
    m_search.build(m_catalogue);
    m_index.reset();
    // Recent servers are looked up on every Connected: the fill pays for their index.
    if (m_kind == Recent)
        catalogueIndex();
    const Servers rows = initialRows();
    removeRows(0, rowCount());
    insertServers(0, rows, initialRowTexts(rows));
    updateCurrentServer(settings->currentServerId(), notyfy);
    emit isEmptyChanged(isEmpty());
    if (m_kind == AllServers)
        forceNotification();
    m_baseRows = m_rows;
}

Servers ServerListModel::initialRows() const
{
    Servers rows;
    if (m_kind == AllServers) {
        for (const QString& name : Catalogue::countryNames(m_catalogue))
            rows << Server(countryCodeForName(name), QString());
    } else if (m_kind == Recent) {
        rows << Server(favoritesHeaderCode(), tr("Favorite Servers"))
             << Server(recentHeaderCode(), tr("Recent Servers"));
    } else {
        return m_catalogue;
    }
    // Stored country codes mark countries as favourites.
    Catalogue::applyFavorites(rows, Settings::instance()->favorites());
    return rows;
}

QVector<QString> ServerListModel::initialRowTexts(const Servers& rows) const
{
    if (m_kind != Recommended)
        return rowTexts(rows);
    // The rows are the catalogue: its texts are prepared already.
    QVector<QString> texts;
    texts.reserve(rows.size());
    for (int i = 0; i < rows.size(); ++i)
        texts << m_search.catalogueText(i);
    return texts;
}

void ServerListModel::forceNotification()
{
    const QString id = Settings::instance()->currentServerId();
    if (m_notified || id.isEmpty() || isKnownCountryCode(id))
        return;
    Logger::info(objectName(), QStringLiteral("Force emit notification: %1").arg(id));
    emit serverIpChanged(id);
}

void ServerListModel::setServerList(const Servers& serverList)
{
    m_allCountries = true;
    removeRows(0, rowCount());
    createServerList(serverList, true);
}

void ServerListModel::createRecentServerList(const Servers& serverList)
{
    if (m_kind != Recent)
        return;
    Servers servers;
    for (const Server& server : serverList) {
        if (!server.isCountry)
            servers << server;
    }
    createServerList(servers, true);
}

void ServerListModel::appendRecentServer(const Server& server)
{
    if (m_kind != Recent)
        return;
    Settings* settings = Settings::instance();
    Servers recent = settings->loadRecentServers(m_catalogue, catalogueIndex());
    recent << server;
    settings->saveRecentServers(recent);
    refreshRecentServers(m_recentExpanded);
}

const CatalogueIndex& ServerListModel::catalogueIndex()
{
    if (!m_index)
        m_index.emplace(m_catalogue);
    return *m_index;
}

void ServerListModel::refreshRecentServers(bool expanded)
{
    m_recentExpanded = expanded;
    const Servers recent = Settings::instance()->loadRecentServers(m_catalogue, catalogueIndex());
    const int header = lastRecentHeaderRow();
    if (header < 0) {
        Logger::info(objectName(), QStringLiteral("Can't find parent item!"));
        return;
    }
    if (expanded) {
        removeRows(header + 1, m_rows.size() - header - 1);
        insertServers(header + 1, recent, rowTexts(recent));
    }
    refreshAllRows();
}

bool ServerListModel::isHeaderRow(const Server& server, const QString& code) const
{
    return server.isCountry && server.country == code;
}

int ServerListModel::indexOfRow(const QString& id) const
{
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_rows.at(i).id == id)
            return i;
    }
    return -1;
}

int ServerListModel::indexInCatalogue(const QString& text) const
{
    for (int i = 0; i < m_catalogue.size(); ++i) {
        if (m_catalogue.at(i).id == text || m_catalogue.at(i).name == text)
            return i;
    }
    return -1;
}

const Server* ServerListModel::selectedServer() const
{
    const int row = indexOfRow(m_currentId);
    if (row >= 0)
        return &m_rows.at(row);
    const int entry = indexInCatalogue(m_currentId);
    return entry >= 0 ? &m_catalogue.at(entry) : nullptr;
}

int ServerListModel::countryRowCount(const QString& country) const
{
    int count = 0;
    for (const Server& server : m_rows)
        count += server.country.compare(country, Qt::CaseInsensitive) == 0;
    return count;
}

int ServerListModel::lastRecentHeaderRow() const
{
    for (int i = m_rows.size() - 1; i >= 0; --i) {
        if (isHeaderRow(m_rows.at(i), recentHeaderCode()))
            return i;
    }
    return -1;
}

int ServerListModel::firstRecentHeaderRow() const
{
    for (int i = 0; i < m_rows.size(); ++i) {
        if (isHeaderRow(m_rows.at(i), recentHeaderCode()))
            return i;
    }
    return -1;
}

QString ServerListModel::rowText(const Server& server) const
{
    if (m_kind == AllServers && (server.isCountry || server.serviceHeader))
        return m_search.countryText(server.country);
    return ServerSearchIndex::serverText(server);
}

QVector<QString> ServerListModel::rowTexts(const Servers& servers) const
{
    QVector<QString> texts;
    texts.reserve(servers.size());
    for (const Server& server : servers)
        texts << rowText(server);
    return texts;
}

void ServerListModel::insertServers(int position, const Servers& servers,
                                    const QVector<QString>& texts)
{
    QVector<const Server*> rows;
    rows.reserve(servers.size());
    for (const Server& server : servers)
        rows << &server;
    insertServers(position, rows, texts);
}

void ServerListModel::insertServers(int position, const QVector<const Server*>& servers,
                                    const QVector<QString>& texts)
{
    if (servers.isEmpty())
        return;
    beginInsertRows(QModelIndex(), position, position + servers.size() - 1);
    // Appended and then turned into place: QList's one-by-one insertion moves every row above
    // the position when it has room only before its first row.
    const int below = m_rows.size() - position;
    m_rows.reserve(m_rows.size() + servers.size());
    for (const Server* server : servers)
        m_rows.append(*server);
    reverseRows(position, position + below);
    reverseRows(position + below, m_rows.size());
    reverseRows(position, m_rows.size());
    m_rowTexts.insert(position, servers.size(), QString());
    std::copy(texts.cbegin(), texts.cend(), m_rowTexts.begin() + position);
    endInsertRows();
}

void ServerListModel::reverseRows(int from, int to)
{
    // Swaps the list's pointers, not the servers.
    for (--to; from < to; ++from, --to)
        m_rows.swapItemsAt(from, to);
}

void ServerListModel::refreshAllRows()
{
    if (m_refreshDeferred) {
        m_refreshPending = true;
        return;
    }
    m_refreshPending = false;
    if (!m_rows.isEmpty())
        emit dataChanged(index(0), index(m_rows.size() - 1));
}
