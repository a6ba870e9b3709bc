// The server feed from the backend, the first byte picks how it is read, the rest is the text:
//   even  the body of the feed's reply through NetworkApi's handler of a finished request, so
//         through Catalogue::parseServerFeed
//   odd   the catalogue order (Catalogue::sortCatalogue) over countries and cities as the feed
//         spells them, one server a line: country, a tab, city
#include "api/catalogue.h"
#include "clientsupport.h"
#include "networkreply.h"
#include "utils/utils.h"

#include <QSet>
#include <QXmlStreamReader>

namespace {

NetworkApi* api = nullptr;
int answers = 0;
Servers answered;

// What the list shows is each country's servers, by city: the order holds on itself.
bool isCatalogueOrder(const Servers& servers)
{
    const Servers again = Catalogue::sortCatalogue(servers);
    if (again.size() != servers.size())
        return false;
    for (int i = 0; i < servers.size(); ++i) {
        if (again.at(i).country.toLower() != servers.at(i).country.toLower() ||
            again.at(i).city != servers.at(i).city)
            return false;
    }
    return true;
}

bool isWellFormed(const QByteArray& body)
{
    QXmlStreamReader reader(QString::fromUtf8(body));
    while (!reader.atEnd())
        reader.readNext();
    return !reader.hasError();
}

void feed(const QByteArray& body)
{
    answers = 0;
    fuzz::finishRequest(api, api->serverListUrl(), body);
    // Every request ends in its one answer.
    FUZZ_CHECK(answers == 1);
    const Servers& servers = answered;
    FUZZ_CHECK(api->servers() == servers);
    FUZZ_CHECK(servers.size() <= body.count("server"));
    // Each address reaches root-run configurations and commands.
    for (const Server& server : servers) {
        FUZZ_CHECK(Utils::isCanonicalIpv4Address(server.ip) && server.id == server.ip);
        FUZZ_CHECK(!server.isCountry && !server.serviceHeader && !server.favorite);
    }
    FUZZ_CHECK(QSet<Server>(servers.begin(), servers.end()).size() == servers.size());
    // A cut document keeps the feed's order.
    if (isWellFormed(body))
        FUZZ_CHECK(isCatalogueOrder(servers));
}

void order(const QByteArray& body)
{
    Servers servers;
    for (const QByteArray& line : body.split('\n')) {
        const int tab = line.indexOf('\t');
        const QString country = QString::fromUtf8(line.left(qMax(tab, 0)));
        const QString city = tab < 0 ? QString() : QString::fromUtf8(line.mid(tab + 1));
        const QString ip = QStringLiteral("10.%1.%2.%3")
                               .arg(servers.size() >> 16 & 0xff)
                               .arg(servers.size() >> 8 & 0xff)
                               .arg(servers.size() & 0xff);
        servers << Server(ip, country, city, QString(), ip, 100, 1.0f);
    }
    // Every server once: none lost, none shown twice.
    const Servers sorted = Catalogue::sortCatalogue(servers);
    FUZZ_CHECK(sorted.size() == servers.size());
    FUZZ_CHECK(QSet<Server>(sorted.begin(), sorted.end()) ==
               QSet<Server>(servers.begin(), servers.end()));
    FUZZ_CHECK(isCatalogueOrder(sorted));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::startClient();
    api = new NetworkApi;
    QObject::connect(api, &NetworkApi::requestServerListFinished, [](const Servers& servers) {
        ++answers;
        answered = servers;
    });
    QObject::connect(api, &NetworkApi::requestCurrentIpAddressFinished, [] { ++answers; });
    QObject::connect(api, &NetworkApi::apiRequestAccountFinished, [] { ++answers; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray body = fuzz::bytes(data + 1, size - 1);
    if (data[0] & 1)
        order(body);
    else
        feed(body);
    return 0;
}
