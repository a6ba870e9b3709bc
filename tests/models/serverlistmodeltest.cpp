#include "serverlistmodeltest.h"

#include "api/catalogue.h"
#include "core/countrynames.h"
#include "models/serverlistfilter.h"
#include "models/serverlistmodel.h"
#include "settings/settings.h"
#include "support/logcapture.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QUuid>
#include <QtTest>

#include <algorithm>

namespace {

using Model = ServerListModel;

QString flag(const QString& code)
{
    return QStringLiteral("qrc:/resources/icons/flags/%1.png").arg(code);
}

QStringList column(const Model& model, int role)
{
    QStringList values;
    for (int i = 0; i < model.rowCount(); ++i)
        values << model.data(model.index(i), role).toString();
    return values;
}

QString rowId(const Model& model, int row)
{
    return model.data(model.index(row), Model::IdRole).toString();
}

// What a view over the filter shows: each row's id and the looks it reads by role, which must be
// what the attr* functions give for the row of the model.
QStringList filteredRows(const ServerListFilter& filter)
{
    QStringList rows;
    const Model* model = filter.sourceModel();
    for (int i = 0; i < filter.rowCount(); ++i) {
        const QModelIndex index = filter.index(i, 0);
        const int row = filter.sourceRow(i);
        if (filter.data(index, Model::LabelRole).toString() != model->attrBasicLabelText(row) ||
            filter.data(index, Model::FlagRole).toString() != model->attrCountryFlagSource(row) ||
            filter.data(index, Model::ExpandableRole).toBool() != model->attrExpandable(row) ||
            filter.data(index, Model::FavoriteIconVisibleRole).toBool() !=
                model->attrFavoriteIconVisible(row))
            rows << QStringLiteral("looks differ in row %1").arg(row);
        rows << filter.data(index, Model::IdRole).toString();
    }
    return rows;
}

QStringList ids(const Model& model, const QList<int>& rows)
{
    QStringList values;
    for (int row : rows)
        values << rowId(model, row);
    return values;
}

QList<int> visibleRows(const Model& model, const QString& phrase)
{
    QList<int> rows;
    for (int i = 0; i < model.rowCount(); ++i) {
        if (model.attrVisible(i, phrase))
            rows << i;
    }
    return rows;
}

// The row as far as the search rules look at it, read back through the roles.
Server searchedRow(const Model& model, int row)
{
    const QModelIndex index = model.index(row);
    Server server;
    server.country = model.data(index, Model::CountryRole).toString();
    server.city = model.data(index, Model::CityRole).toString();
    server.name = model.data(index, Model::NameRole).toString();
    server.isCountry = model.data(index, Model::CountryServerRole).toBool();
    server.serviceHeader = model.data(index, Model::ServiceHeaderRole).toBool();
    return server;
}

// The search rules read plainly, without anything prepared.
bool plainVisible(int kind, const Server& row, const Servers& catalogue, const QString& phrase)
{
    const QString text = phrase.simplified();
    if (text.isEmpty())
        return true;
    if (row.serviceHeader && kind != Model::AllServers)
        return true;
    if (kind == Model::AllServers && (row.isCountry || row.serviceHeader)) {
        const Servers servers = Catalogue::serversOfCountry(catalogue, row.country);
        return std::any_of(servers.cbegin(), servers.cend(), [&](const Server& server) {
            return Catalogue::matchesSearch(server, text);
        });
    }
    return Catalogue::matchesSearch(row, text);
}

Servers randomCatalogue(QRandomGenerator& random, int size)
{
    // Mixed-case and unnamed codes, and cities and names that short phrases hit often.
    const QStringList codes = {QStringLiteral("nl"), QStringLiteral("NL"), QStringLiteral("de"),
                               QStringLiteral("se"), QStringLiteral("zz"), QStringLiteral("qq"),
                               QStringLiteral("fr"), QStringLiteral("us"), QStringLiteral("Ch")};
    const QStringList syllables = {
        QStringLiteral("ka"), QStringLiteral("Lo"), QStringLiteral("ber"), QStringLiteral("zw"),
        QStringLiteral("AM"), QStringLiteral("ro"), QStringLiteral("te"),  QStringLiteral("n s")};
    Servers servers;
    for (int i = 0; i < size; ++i) {
        const QString code = codes.at(random.bounded(codes.size()));
        const QString city = syllables.at(random.bounded(syllables.size())) +
                             syllables.at(random.bounded(syllables.size()));
        const QString ip = QStringLiteral("10.77.%1.%2").arg(i / 250).arg(i % 250 + 1);
        servers << Server(ip, code, city, QStringLiteral("%1-%2").arg(code).arg(i), ip, 100, 1.0f);
    }
    return servers;
}

QStringList searchPhrases()
{
    const QString letters = QStringLiteral("abeklnorstz");
    QStringList phrases = {QStringLiteral("Ber"), QStringLiteral(" zw "), QStringLiteral("ne  th"),
                           QStringLiteral("-1"),  QStringLiteral("l-"),   QStringLiteral("\tam"),
                           QStringLiteral("n s"), QStringLiteral("swi")};
    for (const QChar first : letters) {
        phrases << QString(first);
        for (const QChar second : letters)
            phrases << QString(first) + second;
    }
    return phrases;
}

} // namespace

void ServerListModelTest::init()
{
    ++m_epoch;
    m_owner = new QObject(this);
    Settings* settings = Settings::instance();
    for (const QString& favorite : settings->favorites())
        settings->setFavorite(favorite, false);
    settings->saveCurrentServerId(QString());
    settings->saveRecentServers({});
}

void ServerListModelTest::cleanup()
{
    delete m_owner;
    m_owner = nullptr;
}

ServerListModel* ServerListModelTest::makeModel(int kind)
{
    static const QStringList names = {QStringLiteral("RecomendedServersModel"),
                                      QStringLiteral("ServerListModel"),
                                      QStringLiteral("RecentServersModel")};
    auto* model = new ServerListModel(names.at(kind - 1), kind, m_owner);
    new QAbstractItemModelTester(model, QAbstractItemModelTester::FailureReportingMode::QtTest,
                                 model);
    return model;
}

// Addresses differ from test to test: the last emitted values are shared by every model.
QString ServerListModelTest::address(int n) const
{
    return QStringLiteral("10.%1.0.%2").arg(m_epoch).arg(n);
}

Server ServerListModelTest::server(const QString& country, const QString& city, int n) const
{
    return Server(address(n), country, city, QStringLiteral("%1-%2").arg(country).arg(n),
                  address(n), 100, 10.0f);
}

void ServerListModelTest::countriesSortByNameAndExpandOnce()
{
    Model* model = makeModel(Model::AllServers);
    model->createServerList(Catalogue::sortCatalogue({server(QStringLiteral("nl"), "Amsterdam", 1),
                                                      server(QStringLiteral("nl"), "Rotterdam", 2),
                                                      server(QStringLiteral("de"), "Berlin", 3)}),
                            false);
    QCOMPARE(column(*model, Model::CountryNameRole),
             QStringList({QStringLiteral("Germany"), QStringLiteral("Netherlands")}));
    QCOMPARE(column(*model, Model::CountryRole),
             QStringList({QStringLiteral("de"), QStringLiteral("nl")}));
    const QString netherlands = rowId(*model, 1);

    QSignalSpy expanded(model, &Model::expandableStateChanged);
    QSignalSpy refreshed(model, &QAbstractItemModel::dataChanged);
    model->expandCurrentItem(netherlands, true);
    QCOMPARE(column(*model, Model::CityRole),
             QStringList(
                 {QString(), QString(), QStringLiteral("Amsterdam"), QStringLiteral("Rotterdam")}));
    QCOMPARE(column(*model, Model::IdRole).mid(2), QStringList({address(1), address(2)}));
    QCOMPARE(expanded.size(), 1);
    QCOMPARE(expanded.at(0), QVariantList({netherlands, true}));
    // Every row is refreshed, in one change.
    QCOMPARE(refreshed.size(), 1);
    QCOMPARE(refreshed.at(0).at(0).toModelIndex().row(), 0);
    QCOMPARE(refreshed.at(0).at(1).toModelIndex().row(), 3);

    // Country rows show the name and flag, server rows the city and the star.
    QCOMPARE(model->attrBasicLabelText(1), QStringLiteral("Netherlands"));
    QCOMPARE(model->attrBasicLabelText(2), QStringLiteral("Amsterdam"));
    QCOMPARE(model->attrCountryFlagSource(1), flag(QStringLiteral("nl")));
    QVERIFY(model->attrCountryFlagSource(2).isEmpty());
    QVERIFY(model->attrExpandable(1) && !model->attrExpandable(2));
    QVERIFY(!model->attrFavoriteIconVisible(1) && model->attrFavoriteIconVisible(2));
    QVERIFY(model->expandableModel());

    model->expandCurrentItem(netherlands, true);
    QCOMPARE(model->rowCount(), 4);
    QCOMPARE(expanded.size(), 1);
    model->expandCurrentItem(netherlands, false);
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(expanded.at(1), QVariantList({netherlands, false}));

    model->expandAll();
    QCOMPARE(column(*model, Model::CityRole),
             QStringList({QString(), QStringLiteral("Berlin"), QString(),
                          QStringLiteral("Amsterdam"), QStringLiteral("Rotterdam")}));
    model->collapseAll();
    QCOMPARE(column(*model, Model::CountryNameRole),
             QStringList({QStringLiteral("Germany"), QStringLiteral("Netherlands")}));
}

void ServerListModelTest::onlyCountryAndSectionListsExpand()
{
    const Servers catalogue = {server(QStringLiteral("nl"), "Amsterdam", 1),
                               server(QStringLiteral("de"), "Berlin", 2)};
    Model* recommended = makeModel(Model::Recommended);
    recommended->setServerList(catalogue);
    LogCapture log;
    recommended->expandCurrentItem(address(1), true);
    QVERIFY(log.messages().contains(
        QStringLiteral("RecomendedServersModel: This model can't be expanded!")));
    recommended->expandAll();
    QCOMPARE(recommended->rowCount(), 2);
    QVERIFY(!recommended->expandableModel());

    // Every recommended row counts as a country, yet is labelled with its city.
    QCOMPARE(column(*recommended, Model::CountryServerRole),
             QStringList({QStringLiteral("true"), QStringLiteral("true")}));
    QCOMPARE(recommended->attrBasicLabelText(1), QStringLiteral("Berlin"));
    QCOMPARE(recommended->attrCountryFlagSource(1), flag(QStringLiteral("de")));
    QVERIFY(!recommended->attrExpandable(1));
    QVERIFY(recommended->attrFavoriteIconVisible(1));

    Model* all = makeModel(Model::AllServers);
    all->createServerList(catalogue, false);
    all->expandCurrentItem(QStringLiteral("nothing"), true);
    QVERIFY(log.messages().contains(QStringLiteral(
        "ServerListModel: Can't find server 'nothing' for expandable operation: 1")));
    QCOMPARE(all->rowCount(), 2);
}

void ServerListModelTest::countryCodesWithoutNameComeFirst()
{
    QVERIFY(!isKnownCountryCode(QStringLiteral("zz")) && !isKnownCountryCode(QStringLiteral("qq")));
    Model* model = makeModel(Model::AllServers);
    model->createServerList({server(QStringLiteral("de"), "Berlin", 1),
                             server(QStringLiteral("zz"), "Nowhere", 2),
                             server(QStringLiteral("zz"), "Elsewhere", 3),
                             server(QStringLiteral("qq"), "Somewhere", 4)},
                            false);
    QCOMPARE(column(*model, Model::CountryRole),
             QStringList({QString(), QString(), QStringLiteral("de")}));

    model->createServerList(
        {server(QStringLiteral("zz"), "Nowhere", 2), server(QStringLiteral("de"), "Berlin", 1)},
        false);
    QCOMPARE(column(*model, Model::CountryRole), QStringList({QString(), QStringLiteral("de")}));
    const QString unnamed = rowId(*model, 0);
    QSignalSpy expanded(model, &Model::expandableStateChanged);
    QSignalSpy search(model, &Model::searchCountry);
    LogCapture log;
    model->expandCurrentItem(unnamed, true);
    QVERIFY(log.messages().contains(
        QStringLiteral("ServerListModel: Can't find servers for expandable operation, list is "
                       "empty for server '%1'")
            .arg(unnamed)));
    QCOMPARE(model->rowCount(), 2);
    QVERIFY(expanded.isEmpty());
    // A row without a code starts no country search either.
    model->updateCurrentServer(unnamed);
    QVERIFY(search.isEmpty());
}

void ServerListModelTest::countryIdentifiersStartACountrySearch()
{
    Model* model = makeModel(Model::AllServers);
    model->createServerList(
        {server(QStringLiteral("nl"), "Amsterdam", 1), server(QStringLiteral("de"), "Berlin", 2)},
        false);
    QSignalSpy search(model, &Model::searchCountry);
    QSignalSpy ip(model, &Model::serverIpChanged);
    QSignalSpy text(model, &Model::locationTextChanged);
    QSignalSpy image(model, &Model::locationImageSourceChanged);

    model->updateCurrentServer(rowId(*model, 1));
    QCOMPARE(search.takeFirst(), QVariantList({QStringLiteral("nl"), flag(QStringLiteral("nl"))}));
    QCOMPARE(model->locationText(), QStringLiteral("Search"));
    model->updateCurrentServer(QStringLiteral("DE"));
    QCOMPARE(search.takeFirst(), QVariantList({QStringLiteral("de"), flag(QStringLiteral("de"))}));

    model->updateCurrentServer(QStringLiteral("xx"));
    model->updateCurrentServer(QUuid::createUuid().toString());
    model->updateCurrentServer(QString());
    QVERIFY(search.isEmpty() && ip.isEmpty() && text.isEmpty() && image.isEmpty());
    QCOMPARE(model->locationText(), QStringLiteral("Search"));
    QVERIFY(model->serverIp().isEmpty());
}

void ServerListModelTest::serverSelectionByIndexAddressAndName()
{
    const Servers catalogue = Catalogue::sortCatalogue(
        {server(QStringLiteral("se"), "Lund", 1), server(QStringLiteral("nl"), "Rotterdam", 2),
         server(QStringLiteral("nl"), "Amsterdam", 3), server(QStringLiteral("de"), "Berlin", 4)});
    Model* model = makeModel(Model::AllServers);
    model->createServerList(catalogue, false);
    QCOMPARE(model->locationText(), QStringLiteral("Not selected"));
    QSignalSpy ip(model, &Model::serverIpChanged);

    model->updateCurrentServer(QStringLiteral("3"));
    QCOMPARE(model->serverIp(), address(1));
    QCOMPARE(model->locationText(), QStringLiteral("se, Lund"));
    QCOMPARE(model->locationImageSource(), flag(QStringLiteral("se")));
    model->updateCurrentServer(QStringLiteral("nl-3"));
    QCOMPARE(model->serverIp(), address(3));
    model->expandAll();
    model->updateCurrentServer(address(2));
    QCOMPARE(model->locationText(), QStringLiteral("nl, Rotterdam"));
    QCOMPARE(ip.size(), 3);
    QCOMPARE(ip.at(2).at(0).toString(), address(2));

    // Selecting without notifying, then an address known nowhere: nothing is emitted.
    QSignalSpy text(model, &Model::locationTextChanged);
    QSignalSpy image(model, &Model::locationImageSourceChanged);
    model->updateCurrentServer(address(4), false);
    QCOMPARE(model->serverIp(), address(4));
    model->updateCurrentServer(QStringLiteral("192.0.2.77"));
    QVERIFY(model->serverIp().isEmpty());
    QCOMPARE(model->locationText(), QStringLiteral("Not selected"));
    QVERIFY(model->locationImageSource().isEmpty());
    QCOMPARE(ip.size(), 3);
    QVERIFY(text.isEmpty() && image.isEmpty());
}

void ServerListModelTest::secondListSelectingTheSameLocationStaysQuiet()
{
    const QString town = QStringLiteral("Town%1").arg(m_epoch);
    const Servers catalogue = {server(QStringLiteral("nl"), town, 1),
                               server(QStringLiteral("de"), "Berlin", 2)};
    Model* first = makeModel(Model::Recommended);
    first->setServerList(catalogue);
    Model* second = makeModel(Model::AllServers);
    second->createServerList(catalogue, false);
    QSignalSpy firstIp(first, &Model::serverIpChanged);
    QSignalSpy firstText(first, &Model::locationTextChanged);
    QSignalSpy secondIp(second, &Model::serverIpChanged);
    QSignalSpy secondText(second, &Model::locationTextChanged);
    QSignalSpy secondImage(second, &Model::locationImageSourceChanged);

    first->updateCurrentServer(address(1));
    QCOMPARE(firstIp.takeFirst().at(0).toString(), address(1));
    QCOMPARE(firstText.takeFirst().at(0).toString(), QStringLiteral("nl, ") + town);
    second->updateCurrentServer(address(1));
    QCOMPARE(second->serverIp(), address(1));
    QVERIFY(secondIp.isEmpty() && secondText.isEmpty() && secondImage.isEmpty());
}

void ServerListModelTest::storedSelectionIsAppliedOnFill()
{
    const Servers catalogue = {server(QStringLiteral("nl"), "Amsterdam", 1),
                               server(QStringLiteral("de"), "Berlin", 2)};
    Settings* settings = Settings::instance();
    LogCapture log;

    // A stored server that no list knows is still announced.
    settings->saveCurrentServerId(address(9));
    Model* unknown = makeModel(Model::AllServers);
    QSignalSpy unknownIp(unknown, &Model::serverIpChanged);
    unknown->createServerList(catalogue);
    QCOMPARE(unknownIp.size(), 1);
    QCOMPARE(unknownIp.at(0).at(0).toString(), address(9));
    QVERIFY(log.messages().contains(QStringLiteral("ServerListModel: Force emit notification: ") +
                                    address(9)));

    settings->saveCurrentServerId(address(1));
    Model* known = makeModel(Model::AllServers);
    QSignalSpy knownIp(known, &Model::serverIpChanged);
    known->createServerList(catalogue);
    known->createServerList(catalogue);
    QCOMPARE(knownIp.size(), 1);
    QCOMPARE(known->serverIp(), address(1));

    settings->saveCurrentServerId(QStringLiteral("de"));
    Model* country = makeModel(Model::AllServers);
    QSignalSpy countryIp(country, &Model::serverIpChanged);
    QSignalSpy search(country, &Model::searchCountry);
    country->createServerList(catalogue);
    QCOMPARE(search.size(), 1);
    QVERIFY(countryIp.isEmpty());
    QCOMPARE(log.count(QStringLiteral("Force emit notification")), 1);
}

void ServerListModelTest::searchMatchesServersAndTheirCountries()
{
    const Servers catalogue = {server(QStringLiteral("nl"), "Amsterdam", 1),
                               server(QStringLiteral("nl"), "Zwolle", 2),
                               server(QStringLiteral("de"), "Berlin", 3)};
    Model* all = makeModel(Model::AllServers);
    all->createServerList(catalogue, false);
    QCOMPARE(visibleRows(*all, QStringLiteral("zwol")), QList<int>({1}));
    QCOMPARE(visibleRows(*all, QStringLiteral(" GER ")), QList<int>({0}));
    QCOMPARE(visibleRows(*all, QStringLiteral(" \t ")), QList<int>({0, 1}));
    all->expandCurrentItem(rowId(*all, 1), true);
    QCOMPARE(visibleRows(*all, QStringLiteral("zwol")), QList<int>({1, 3}));
    QCOMPARE(visibleRows(*all, QStringLiteral("NL-1")), QList<int>({1, 2}));
    QCOMPARE(visibleRows(*all, QStringLiteral("nether")), QList<int>({1, 2, 3}));

    LogCapture log;
    QVERIFY(all->attrVisible(9, QStringLiteral("zw")));
    QVERIFY(log.messages().contains(QStringLiteral("ServerListModel: Attr, out of index: 9")));

    Model* recent = makeModel(Model::Recent);
    recent->createRecentServerList(catalogue);
    QCOMPARE(visibleRows(*recent, QStringLiteral("zwol")), QList<int>({0, 1}));
    Model* recommended = makeModel(Model::Recommended);
    recommended->setServerList(catalogue);
    QCOMPARE(visibleRows(*recommended, QStringLiteral("berl")), QList<int>({2}));
}

void ServerListModelTest::fastSearchAgreesWithPlainRules()
{
    QRandomGenerator random(20240611);
    const Servers catalogue = randomCatalogue(random, 300);
    Settings* settings = Settings::instance();
    settings->setFavorite(catalogue.at(5).ip, true);
    settings->setFavorite(catalogue.at(9).ip, true);
    settings->saveRecentServers({catalogue.at(1), catalogue.at(2), catalogue.at(3)});

    Model* recommended = makeModel(Model::Recommended);
    recommended->setServerList(catalogue.mid(0, 8));
    Model* all = makeModel(Model::AllServers);
    all->createServerList(catalogue, false);
    Model* recent = makeModel(Model::Recent);
    recent->createRecentServerList(catalogue);
    const QStringList phrases = searchPhrases();
    for (Model* model : {recommended, all, recent}) {
        model->expandAll();
        const Servers shown = model == recommended ? catalogue.mid(0, 8) : catalogue;
        int visible = 0;
        for (int row = 0; row < model->rowCount(); ++row) {
            const Server searched = searchedRow(*model, row);
            for (const QString& phrase : phrases) {
                const bool expected = plainVisible(model->kind(), searched, shown, phrase);
                visible += expected;
                if (model->attrVisible(row, phrase) != expected)
                    QFAIL(qPrintable(QStringLiteral("%1 row %2, phrase '%3': expected %4")
                                         .arg(model->objectName())
                                         .arg(row)
                                         .arg(phrase)
                                         .arg(expected)));
            }
        }
        // The phrases hit some rows and miss others.
        QVERIFY(visible > 0 && visible < model->rowCount() * phrases.size());
    }
    // Codes that share a row (nl and NL, the unnamed ones) stay collapsed; the others expand.
    QVERIFY(all->rowCount() > 100);
    QCOMPARE(recent->rowCount(), 2 + 2 + 3);

    // The filter a view shows holds exactly those rows, in order, and follows the model's
    // changes row by row (the tester checks every signal it sends against its rows).
    for (Model* model : {recommended, all, recent}) {
        ServerListFilter filter;
        QAbstractItemModelTester tester(&filter);
        filter.setSourceModel(model);
        QSignalSpy counted(&filter, &ServerListFilter::countChanged);
        for (const QString& phrase : phrases) {
            filter.setPhrase(phrase);
            QCOMPARE(filteredRows(filter), ids(*model, visibleRows(*model, phrase)));
        }
        filter.setPhrase(phrases.first());
        model->collapseAll();
        QCOMPARE(filteredRows(filter), ids(*model, visibleRows(*model, phrases.first())));
        if (model->rowCount() > 2)
            model->expandCurrentItem(rowId(*model, 2), true);
        model->setFavorite(catalogue.at(7).ip, true);
        model->expandAll();
        QCOMPARE(filteredRows(filter), ids(*model, visibleRows(*model, phrases.first())));
        QCOMPARE(filter.count(), filter.rowCount());
        QVERIFY(!counted.isEmpty());
    }
}

void ServerListModelTest::recentSectionShowsLastThreeOldestFirst()
{
    Servers catalogue;
    for (int i = 0; i < 5; ++i)
        catalogue << server(i % 2 ? QStringLiteral("nl") : QStringLiteral("de"),
                            QStringLiteral("City%1").arg(i), i + 1);
    Model* recent = makeModel(Model::Recent);
    LogCapture log;
    recent->appendRecentServer(catalogue.at(0));
    QVERIFY(log.messages().contains(QStringLiteral("RecentServersModel: Can't find parent item!")));

    recent->createRecentServerList(Servers(catalogue) << Server(QStringLiteral("de"), QString()));
    QCOMPARE(column(*recent, Model::NameRole),
             QStringList({QStringLiteral("Favorite Servers"), QStringLiteral("Recent Servers")}));
    QCOMPARE(column(*recent, Model::ServiceHeaderRole),
             QStringList({QStringLiteral("true"), QStringLiteral("true")}));
    QCOMPARE(recent->attrBasicLabelText(1), QStringLiteral("Recent Servers"));
    QCOMPARE(recent->attrCountryFlagSource(1), flag(QStringLiteral("unknown")));
    QVERIFY(recent->attrExpandable(1));
    const QString header = rowId(*recent, 1);
    recent->expandCurrentItem(header, true);
    QCOMPARE(column(*recent, Model::IdRole).mid(2), QStringList({address(1)}));
    recent->expandCurrentItem(header, true);
    QCOMPARE(recent->rowCount(), 3);

    for (int i = 1; i <= 3; ++i)
        recent->appendRecentServer(catalogue.at(i));
    const QStringList lastThree = {address(2), address(3), address(4)};
    QCOMPARE(column(*recent, Model::IdRole).mid(2), lastThree);
    recent->appendRecentServer(catalogue.at(2));
    QCOMPARE(column(*recent, Model::IdRole).mid(2), lastThree);
    QCOMPARE(column(*recent, Model::ServiceItemRole).mid(2),
             QStringList({QStringLiteral("true"), QStringLiteral("true"), QStringLiteral("true")}));
    QCOMPARE(recent->attrBasicLabelText(2), QStringLiteral("City1"));
    QCOMPARE(recent->attrCountryFlagSource(2), flag(QStringLiteral("nl")));
    QVERIFY(!recent->attrExpandable(2) && recent->attrFavoriteIconVisible(2));

    recent->expandCurrentItem(header, false);
    QCOMPARE(recent->rowCount(), 2);
    recent->appendRecentServer(catalogue.at(4));
    QCOMPARE(recent->rowCount(), 2);
}

void ServerListModelTest::favouriteSectionFollowsStars()
{
    const Servers catalogue = {
        server(QStringLiteral("nl"), "Amsterdam", 1), server(QStringLiteral("nl"), "Zwolle", 2),
        server(QStringLiteral("de"), "Berlin", 3), server(QStringLiteral("se"), "Lund", 4)};
    Settings::instance()->setFavorite(address(1), true);
    Settings::instance()->setFavorite(QStringLiteral("de"), true);
    Model* all = makeModel(Model::AllServers);
    all->createServerList(catalogue, false);
    QCOMPARE(
        column(*all, Model::FavoriteRole),
        QStringList({QStringLiteral("true"), QStringLiteral("false"), QStringLiteral("false")}));
    all->expandAll();
    all->setFavorite(address(4), true);
    QCOMPARE(
        column(*all, Model::FavoriteRole).mid(1),
        QStringList({QStringLiteral("false"), QStringLiteral("false"), QStringLiteral("true"),
                     QStringLiteral("false"), QStringLiteral("false"), QStringLiteral("true")}));

    Model* recent = makeModel(Model::Recent);
    recent->createRecentServerList(catalogue);
    const QString favorites = rowId(*recent, 0);
    const QString recentHeader = rowId(*recent, 1);
    recent->expandCurrentItem(favorites, true);
    QCOMPARE(column(*recent, Model::IdRole), QStringList({favorites, address(1), recentHeader}));
    recent->setFavorite(address(3), true);
    QCOMPARE(column(*recent, Model::IdRole),
             QStringList({favorites, address(3), address(1), recentHeader}));
    QCOMPARE(recent->data(recent->index(1), Model::FavoriteRole).toBool(), true);
    recent->setFavorite(address(1), false);
    QCOMPARE(column(*recent, Model::IdRole), QStringList({favorites, address(3), recentHeader}));
    LogCapture log;
    recent->setFavorite(QStringLiteral("192.0.2.1"), true);
    QVERIFY(log.messages().contains(
        QStringLiteral("RecentServersModel: Can't find server with IP '192.0.2.1'")));
    QCOMPARE(recent->rowCount(), 3);

    // A refill keeps the expanded flag but not the rows: collapsing then leaves the headers be.
    recent->createRecentServerList(catalogue);
    recent->expandCurrentItem(rowId(*recent, 0), false);
    QCOMPARE(column(*recent, Model::NameRole),
             QStringList({QStringLiteral("Favorite Servers"), QStringLiteral("Recent Servers")}));
    recent->expandCurrentItem(rowId(*recent, 0), true);
    QCOMPARE(column(*recent, Model::IdRole).mid(1, 1), QStringList({address(1)}));
}

void ServerListModelTest::isEmptyIsTrueWhenRowsExist()
{
    Model* all = makeModel(Model::AllServers);
    QVERIFY(!all->isEmpty());
    QCOMPARE(all->property("isEmpty").toBool(), false);
    QSignalSpy empty(all, &Model::isEmptyChanged);
    all->createServerList({}, false);
    QCOMPARE(empty.takeFirst(), QVariantList({false}));
    all->createServerList({server(QStringLiteral("nl"), "Amsterdam", 1)}, false);
    QCOMPARE(empty.takeFirst(), QVariantList({true}));
    QVERIFY(all->isEmpty());

    Model* recent = makeModel(Model::Recent);
    recent->createRecentServerList({});
    QVERIFY(recent->isEmpty());
}

void ServerListModelTest::rolesAndRowRemoval()
{
    Model* model = makeModel(Model::Recommended);
    const QStringList names = {
        "Id",          "CountryServer", "Country",       "CountryName", "City",
        "Name",        "Favorite",      "ServiceHeader", "ServiceItem", "CountryFlagSource",
        "SearchField", "Label",         "Flag",          "Expandable",  "FavoriteIconVisible"};
    QCOMPARE(model->roleNames().size(), names.size());
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(QString::fromLatin1(model->roleNames().value(Qt::UserRole + i)), names.at(i));

    QVERIFY(!model->removeRows(0, 1));
    model->setServerList({server(QStringLiteral("NL"), "Amsterdam", 1),
                          server(QStringLiteral("de"), "Berlin", 2),
                          server(QStringLiteral("se"), "Lund", 3)});
    const QModelIndex first = model->index(0);
    QCOMPARE(model->data(first, Model::CountryRole).toString(), QStringLiteral("nl"));
    QCOMPARE(model->data(first, Model::CountryNameRole).toString(), QStringLiteral("Netherlands"));
    QCOMPARE(model->data(first, Model::CountryFlagSourceRole).toString(), flag("nl"));
    QCOMPARE(model->data(first, Model::SearchFieldRole).toString(),
             QStringLiteral("netherlands:amsterdam:nl-1:") + address(1));
    QVERIFY(!model->data(first, Model::ServiceItemRole).toBool());
    QVERIFY(!model->data(first, Qt::DisplayRole).isValid());
    QCOMPARE(model->data(model->index(-1), Model::IdRole).toString(), QStringLiteral("0"));

    QVERIFY(!model->removeRows(0, 0));
    QVERIFY(!model->removeRows(3, 1));
    QVERIFY(!model->removeRows(-1, 2));
    QVERIFY(!model->removeRows(0, 1, model->index(0)));
    QVERIFY(model->removeRows(1, 5));
    QCOMPARE(column(*model, Model::IdRole), QStringList({address(1)}));
}
