#pragma once

#include "api/catalogueindex.h"
#include "api/server.h"
#include "models/serversearchindex.h"

#include <QAbstractListModel>
#include <QHash>
#include <QString>
#include <QVector>

#include <optional>

// The rows behind one list of the server window: the recommended servers, every country with
// its servers, or the favourite and recent sections. Tracks the selected location and publishes
// it as a location text, a flag image and a server address.
class ServerListModel : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(
        QString locationImageSource READ locationImageSource NOTIFY locationImageSourceChanged)
    Q_PROPERTY(QString locationText READ locationText NOTIFY locationTextChanged)
    Q_PROPERTY(QString serverIp READ serverIp NOTIFY serverIpChanged)
    Q_PROPERTY(bool isEmpty READ isEmpty NOTIFY isEmptyChanged)

public:
    enum Kind
    {
        Recommended = 1,
        AllServers = 2,
        Recent = 3
    };
    enum Role
    {
        IdRole = Qt::UserRole,
        CountryServerRole,
        CountryRole,
        CountryNameRole,
        CityRole,
        NameRole,
        FavoriteRole,
        ServiceHeaderRole,
        ServiceItemRole,
        CountryFlagSourceRole,
        SearchFieldRole,
        // What a row's delegate shows, as the attr* functions give it: a view over a filter of
        // this model reads them by role, since its row numbers are not this model's.
        LabelRole,
        FlagRole,
        ExpandableRole,
        FavoriteIconVisibleRole
    };

    ServerListModel(const QString& name, int kind, QObject* parent = nullptr);

    static QString searchMarker() { return QStringLiteral("<search>"); }
    static QString favoritesHeaderCode() { return QStringLiteral("*1"); }
    static QString recentHeaderCode() { return QStringLiteral("*2"); }

    int kind() const { return m_kind; }
    Servers catalogue() const { return m_catalogue; }
    QString locationImageSource() const;
    QString locationText() const;
    QString serverIp() const;
    // True when the model holds rows: the list in the window shows itself on true.
    bool isEmpty() const { return !m_rows.isEmpty(); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

    void refreshRecentServers(bool expanded);

    Q_INVOKABLE QString attrBasicLabelText(int indexOfThisDelegate) const;
    Q_INVOKABLE QString attrCountryFlagSource(int indexOfThisDelegate) const;
    Q_INVOKABLE bool attrExpandable(int indexOfThisDelegate) const;
    Q_INVOKABLE bool attrFavoriteIconVisible(int indexOfThisDelegate) const;
    Q_INVOKABLE bool attrVisible(int indexOfThisDelegate, const QString& searchPhrase) const;
    // attrVisible for a phrase already turned into a needle, for a filter that checks every row.
    bool rowMatches(int row, const QString& needle) const;
    Q_INVOKABLE bool expandableModel() const;
    Q_INVOKABLE void collapseAll();
    Q_INVOKABLE void expandAll();
    Q_INVOKABLE void expandCurrentItem(const QString& serverId, bool expand);
    Q_INVOKABLE void setFavorite(const QString& serverId, bool set = true);
    Q_INVOKABLE void updateCurrentServer(const QString& serverId, bool notify = true);

signals:
    void expandableStateChanged(const QString& srvId, bool expand);
    void isEmptyChanged(bool empty);
    void locationImageSourceChanged(const QString& locationImageSource);
    void locationTextChanged(const QString& locationText);
    void searchCountry(const QString& countryCode, const QString& locationImageSource);
    void serverIpChanged(const QString& ip);

public slots:
    void appendRecentServer(const Server& server);
    void createRecentServerList(const Servers& serverList);
    void createServerList(const Servers& serverList, bool notyfy = true);
    void setServerList(const Servers& serverList);

private:
    QVariant roleValue(const Server& server, int role) const;
    QVariant rowValue(int row, int role) const;
    bool isHeaderRow(const Server& server, const QString& code) const;
    int indexOfRow(const QString& id) const;
    int indexInCatalogue(const QString& text) const;
    const Server* selectedServer() const;
    int countryRowCount(const QString& country) const;
    int lastRecentHeaderRow() const;
    int firstRecentHeaderRow() const;
    int shownChildRows(int row, int children) const;

    Servers initialRows() const;
    QVector<QString> initialRowTexts(const Servers& rows) const;
    QString rowText(const Server& server) const;
    QVector<QString> rowTexts(const Servers& servers) const;
    void insertServers(int position, const Servers& servers, const QVector<QString>& texts);
    void insertServers(int position, const QVector<const Server*>& servers,
                       const QVector<QString>& texts);
    void refreshAllRows();
    void reverseRows(int from, int to);
    void setAllExpanded(bool expand);
    void expandRow(int row, bool expand);
    void warnNotFound(const QString& serverId, bool expand) const;
    // For the all-servers list, from the number of rows its country shows now.
    bool expansionWanted(const Server& row, bool expand, int shownCountryRows) const;
    // The rows under a header, as pointers into the catalogue or into kept, which holds the
    // recent servers as they are stored.
    QVector<const Server*> childrenOf(const Server& row, Servers& kept, QVector<QString>& texts);
    // Built when first asked for: the all-servers list never is.
    const CatalogueIndex& catalogueIndex();
    void forceNotification();

    QString countrySelectionCode(const QString& id) const;
    void selectServer(QString id, bool notify);
    void notifyCurrentServer();

    const int m_kind;
    QString m_currentId;
    Servers m_rows;
    // The search text of each row, in row order.
    QVector<QString> m_rowTexts;
    Servers m_catalogue;
    ServerSearchIndex m_search;
    std::optional<CatalogueIndex> m_index;
    Servers m_baseRows;
    bool m_allCountries = false;
    bool m_recentExpanded = false;
    bool m_favoritesExpanded = false;
    bool m_notified = false;
    // Set while expanding or collapsing everything: one refresh at the end serves all rows.
    bool m_refreshDeferred = false;
    bool m_refreshPending = false;
};
