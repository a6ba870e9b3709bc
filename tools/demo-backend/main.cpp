// The lab backend: "--listen ADDRESS:PORT --catalogue FILE [--country CC] [--user U]
// [--password P]". Prints "listening ADDRESS:PORT" on stdout once it accepts callers.
#include "demobackendserver.h"
#include "labcatalogue.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QHostAddress>

#include <cstdio>

namespace {

const qint64 maxCatalogueBytes = 1024 * 1024;

int fail(const QString& message)
{
    std::fprintf(stderr, "demo-backend: %s\n", qPrintable(message));
    return 1;
}

bool splitListen(const QString& text, QHostAddress* address, quint16* port)
{
    const int colon = text.lastIndexOf(QLatin1Char(':'));
    bool ok = false;
    const uint number = text.mid(colon + 1).toUInt(&ok);
    if (colon <= 0 || !ok || number > 65535 || !address->setAddress(text.left(colon)))
        return false;
    *port = quint16(number);
    return true;
}

bool loadCatalogue(const QString& path, LabCatalogue* catalogue, QString* error)
{
    QFile file(path);
    // Read with a bound: a FIFO or a /proc file says nothing true about its size.
    const QByteArray text =
        file.open(QIODevice::ReadOnly) ? file.read(maxCatalogueBytes + 1) : QByteArray();
    if (text.isEmpty() || text.size() > maxCatalogueBytes) {
        *error = QStringLiteral("cannot read '%1' (at most 1 MiB)").arg(path);
        return false;
    }
    return LabCatalogue::fromJson(text, catalogue, error);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption listen(QStringLiteral("listen"), QStringLiteral("Address and port."),
                                    QStringLiteral("address:port"),
                                    QStringLiteral("127.0.0.1:18080"));
    const QCommandLineOption file(QStringLiteral("catalogue"), QStringLiteral("Catalogue file."),
                                  QStringLiteral("file"));
    const QCommandLineOption country(QStringLiteral("country"),
                                     QStringLiteral("Country of unmapped callers."),
                                     QStringLiteral("code"), QStringLiteral("de"));
    const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("Account user."),
                                  QStringLiteral("name"));
    const QCommandLineOption password(QStringLiteral("password"),
                                      QStringLiteral("Account password."), QStringLiteral("text"));
    parser.addOptions({listen, file, country, user, password});
    parser.addHelpOption();
    parser.process(app);

    QHostAddress address;
    quint16 port = 0;
    if (!splitListen(parser.value(listen), &address, &port))
        return fail(QStringLiteral("--listen wants ADDRESS:PORT"));
    LabCatalogue catalogue;
    QString error;
    if (!parser.isSet(file) || !loadCatalogue(parser.value(file), &catalogue, &error))
        return fail(parser.isSet(file) ? error : QStringLiteral("--catalogue FILE is required"));
    if (parser.isSet(user))
        catalogue.account.user = parser.value(user);
    if (parser.isSet(password))
        catalogue.account.password = parser.value(password);

    if (!LabCatalogue::isCountryCode(parser.value(country)))
        return fail(QStringLiteral("--country needs a two-letter code"));
    DemoBackendServer server(catalogue, parser.value(country));
    if (!server.listen(address, port))
        return fail(QStringLiteral("cannot listen: ") + server.errorString());
    std::printf("listening %s:%u\n", qPrintable(address.toString()), unsigned(server.port()));
    std::fflush(stdout);
    return app.exec();
}
