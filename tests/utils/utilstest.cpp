#include "utilstest.h"

#include "platform/platform.h"
#include "utils/utils.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtTest>

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void UtilsTest::cleanup()
{
    Utils::setApplicationDirectoryForTesting(QString());
}

void UtilsTest::textHelpers()
{
    QCOMPARE(Utils::boolText(true), QStringLiteral("true"));
    QCOMPARE(Utils::boolText(false), QStringLiteral("false"));
    QCOMPARE(Utils::quoted(QStringLiteral("a \"b\"")), QStringLiteral("\"a \"b\"\""));
    QCOMPARE(Utils::placeholderAddress(), QStringLiteral("0.0.0.0"));
    QVERIFY(Utils::isPlaceholderAddress(QStringLiteral("0.0.0.0")));
    QVERIFY(!Utils::isPlaceholderAddress(QStringLiteral(" 0.0.0.0")));
    QCOMPARE(Utils::retranslateMarker(), QStringLiteral("retranslateUi"));
}

void UtilsTest::joinNonBlankDropsBlankParts()
{
    QCOMPARE(Utils::joinNonBlank({QStringLiteral("   "), QStringLiteral("b")}, QStringLiteral(",")),
             QStringLiteral("b"));
    QCOMPARE(Utils::joinNonBlank(
                 {QStringLiteral(" a "), QString(), QStringLiteral("\t\n"), QStringLiteral("c")},
                 QStringLiteral(", ")),
             QStringLiteral(" a , c"));
    QCOMPARE(Utils::joinNonBlank({}, QStringLiteral(",")), QString());
}

void UtilsTest::shortenCommandLineKeepsFileNames_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("shortened");
    QTest::newRow("start command with a directory")
        << "start: \"C:\\Program Files\\Corvalink\\openvpn\\bin\\openvpn.exe\" --config "
           "\"C:\\Temp\\a b.ovpn\""
        << "start: Program openvpn.exe --config a b.ovpn";
    QTest::newRow("unix paths") << "start: /opt/corvalink/openvpn/bin/openvpn --config /tmp/x.ovpn"
                                << "start: openvpn --config x.ovpn";
    QTest::newRow("runs of blanks") << "kill:   openvpn\t 12"
                                    << "kill: openvpn 12";
}

void UtilsTest::shortenCommandLineKeepsFileNames()
{
    QFETCH(QString, line);
    QFETCH(QString, shortened);
    QCOMPARE(Utils::shortenCommandLine(line), shortened);
}

void UtilsTest::addressTests()
{
    QVERIFY(Utils::isIpv4Address(QStringLiteral("203.0.113.7")));
    QVERIFY(!Utils::isIpv4Address(QStringLiteral("2001:db8::1")));
    QVERIFY(!Utils::isIpv4Address(QStringLiteral("vpn1.example")));
    QVERIFY(!Utils::isIpv4Address(QString()));
    QVERIFY(Utils::isIpv6Address(QStringLiteral("2001:db8::1")));
    QVERIFY(!Utils::isIpv6Address(QStringLiteral("203.0.113.7")));
    QVERIFY(!Utils::isIpv6Address(QStringLiteral("not an address")));

    // What may reach a root-run file or command as a server.
    for (const char* good : {"203.0.113.7", "0.0.0.0", "vpn1", "nl-ams-01.example.com"})
        QVERIFY2(Utils::isServerAddress(QLatin1String(good)), good);
    for (const char* bad :
         {"10.1", "010.0.0.1", "1.2.3.256", "0x7f.0.0.1", "127.1", "-vpn.x", "vpn-.x", "vpn..x",
          "vpn1\nup /bin/sh", "vpn1\"", "a b", "1.2.3.4\n", ""})
        QVERIFY2(!Utils::isServerAddress(QLatin1String(bad)), bad);
    QVERIFY(!Utils::isServerAddress(QString(254, QLatin1Char('a'))));
    QVERIFY(Utils::isIpLiteral(QStringLiteral("fd00:dead:beef:cafe::1")));
    QVERIFY(!Utils::isIpLiteral(QStringLiteral("fe80::1%eth0")));
    QVERIFY(Utils::hasCommandBreakingCharacter(QStringLiteral("a\rb")));
    QVERIFY(!Utils::hasCommandBreakingCharacter(QStringLiteral("a b'c")));
}

void UtilsTest::executableNameUsesPlatformSuffixAndAppDirectory()
{
    const QString suffix = Platform::executableSuffix();
    QCOMPARE(suffix, Platform::isWindows() ? QStringLiteral(".exe") : QString());
    QCOMPARE(Utils::executableName(QStringLiteral("killswitch")),
             QStringLiteral("killswitch") + suffix);
    QCOMPARE(Utils::executableName(QStringLiteral("vpn-service"), true),
             QDir::toNativeSeparators(QCoreApplication::applicationDirPath() +
                                      QStringLiteral("/vpn-service") + suffix));

    Utils::setApplicationDirectoryForTesting(QStringLiteral("/opt/corvalink"));
    QCOMPARE(Utils::executableName(QStringLiteral("dns"), true),
             QDir::toNativeSeparators(QStringLiteral("/opt/corvalink/dns") + suffix));
}

void UtilsTest::programDataPathsLieInUserDataFolder()
{
    const QString expected = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Corvalink");
    QCOMPARE(Utils::programDataPath(), expected);
    QCOMPARE(Utils::programDataPathChecked(), expected);
    QCOMPARE(Utils::dnsDataFilePath(),
             QDir::toNativeSeparators(expected + QStringLiteral("/dns.dat")));
}

void UtilsTest::fileHelpers()
{
    QTemporaryDir dir;
    const QString nested = dir.filePath(QStringLiteral("a/b/c"));
    QVERIFY(Utils::ensureDirectory(nested));
    QVERIFY(Utils::ensureDirectory(nested));
    QVERIFY(QFileInfo(nested).isDir());

    const QString file = dir.filePath(QStringLiteral("a/file.txt"));
    QVERIFY(Utils::writeTextFile(file, QStringLiteral("first\nsecond\n")));
    QCOMPARE(readFile(file), QByteArray("first\nsecond\n"));
    QVERIFY(Utils::writeTextFile(file, QStringLiteral("short")));
    QCOMPARE(readFile(file), QByteArray("short"));

    Utils::appendSeparatorLine(file);
    Utils::appendSeparatorLine(file);
    QCOMPARE(readFile(file),
             QByteArray("short") + QByteArray(80, '=') + '\n' + QByteArray(80, '=') + '\n');

    Utils::createEmptyFile(file);
    QVERIFY(QFileInfo::exists(file));
    QCOMPARE(QFileInfo(file).size(), 0);
}

void UtilsTest::failingFileHelpersWarn()
{
    QTemporaryDir dir;
    const QString inMissingFolder = dir.filePath(QStringLiteral("missing/file.log"));
    QTest::ignoreMessage(
        QtWarningMsg,
        qPrintable(QStringLiteral("Utils: Cannot create empty file '%1'").arg(inMissingFolder)));
    Utils::createEmptyFile(inMissingFolder);
    QTest::ignoreMessage(
        QtWarningMsg,
        qPrintable(
            QStringLiteral("Utils: Cannot open file '%1' in append mode").arg(inMissingFolder)));
    Utils::appendSeparatorLine(inMissingFolder);
    QVERIFY(!Utils::writeTextFile(inMissingFolder, QStringLiteral("x")));

    // A file standing where a folder should be.
    const QString blocker = dir.filePath(QStringLiteral("blocker"));
    QVERIFY(Utils::writeTextFile(blocker, QStringLiteral("x")));
    QVERIFY(!Utils::ensureDirectory(blocker + QStringLiteral("/sub")));
}

void UtilsTest::localTemporaryCopyOfResourceAndFile()
{
    const QString resource = QStringLiteral(":/resources/icons/flags/se.png");
    auto copy = Utils::localTemporaryCopy(resource);
    QVERIFY(copy);
    QVERIFY(QFileInfo(copy->fileName()).isAbsolute());
    QVERIFY(!copy->fileName().startsWith(QLatin1Char(':')));
    QCOMPARE(readFile(copy->fileName()), readFile(resource));
    const QString copyPath = copy->fileName();
    copy.reset();
    QVERIFY(!QFileInfo::exists(copyPath));

    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("plain.txt"));
    QVERIFY(Utils::writeTextFile(plain, QStringLiteral("on disk")));
    auto plainCopy = Utils::localTemporaryCopy(plain);
    QVERIFY(plainCopy);
    QVERIFY(plainCopy->fileName() != plain);
    QCOMPARE(readFile(plainCopy->fileName()), QByteArray("on disk"));

    const QString missing = QStringLiteral(":/no/such/file");
    QTest::ignoreMessage(
        QtCriticalMsg,
        qPrintable(
            QStringLiteral("Utils: Cannot read local temporary file for path '%1'").arg(missing)));
    QVERIFY(!Utils::localTemporaryCopy(missing));
}

void UtilsTest::urlToLocalFile()
{
    QCOMPARE(Utils::urlToLocalFile(QStringLiteral("file:///tmp/a%20b.conf")),
             QStringLiteral("/tmp/a b.conf"));
    QCOMPARE(Utils::urlToLocalFile(QStringLiteral("https://example.com/a")), QString());
    QCOMPARE(Utils::urlToLocalFile(QString()), QString());
}

void UtilsTest::flagSourceLookup_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("source");
    const QString unknown = QStringLiteral("qrc:/resources/icons/flags/unknown.png");
    QTest::newRow("lower case") << "nl"
                                << "qrc:/resources/icons/flags/nl.png";
    QTest::newRow("upper case") << "SE"
                                << "qrc:/resources/icons/flags/se.png";
    QTest::newRow("empty") << "" << unknown;
    QTest::newRow("pseudo country 1") << "*1" << unknown;
    QTest::newRow("pseudo country 2") << "*2" << unknown;
}

void UtilsTest::flagSourceLookup()
{
    QFETCH(QString, code);
    QFETCH(QString, source);
    QCOMPARE(Utils::countryFlagSource(code), source);
    QVERIFY(QFile::exists(source.mid(3)));
}

void UtilsTest::everyCurrentCountryHasAFlag()
{
    QTest::ignoreMessage(QtWarningMsg, "Utils: Resource for country 'XX' does not exist");
    QCOMPARE(Utils::countryFlagSource(QStringLiteral("XX")),
             QStringLiteral("qrc:/resources/icons/flags/unknown.png"));

    // Every territory Qt's locale database knows by a two-letter code has its own file; Kosovo
    // and the European Union have user-assigned codes, IC, DG and EA only reserved ones.
    const QStringList notIso{QStringLiteral("XK"), QStringLiteral("EU"), QStringLiteral("IC"),
                             QStringLiteral("DG"), QStringLiteral("EA")};
    QStringList missing;
    for (int c = QLocale::AnyCountry + 1; c <= QLocale::LastCountry; ++c) {
        const QLocale locale(QLocale::AnyLanguage, QLocale::Country(c));
        const QString code = locale.name().section(QLatin1Char('_'), 1);
        if (code.size() != 2 || locale.country() != QLocale::Country(c) || notIso.contains(code))
            continue;
        if (!QFile::exists(QStringLiteral(":/resources/icons/flags/%1.png").arg(code.toLower())))
            missing << code;
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));
    const QStringList flags =
        QDir(QStringLiteral(":/resources/icons/flags")).entryList({QStringLiteral("*.png")});
    QCOMPARE(flags.size(), 250);
}

void UtilsTest::processCheckMatchesWholeNames()
{
    const QString listing =
        QStringLiteral("Caption  \r\r\nSystem Idle Process  \r\r\nvpn-service.exe  \r\r\n\r\r\n");
    QVERIFY(Utils::processListContains(listing, QStringLiteral("vpn-service.exe")));
    QVERIFY(Utils::processListContains(listing, QStringLiteral("System Idle Process")));
    QVERIFY(!Utils::processListContains(listing, QStringLiteral("VPN-service.exe")));
    QVERIFY(!Utils::processListContains(listing, QStringLiteral("vpn-service")));
    QVERIFY(!Utils::processListContains(listing, QString()));
}

void UtilsTest::processCheckFindsThisProcess()
{
    const QString self = QCoreApplication::applicationFilePath();
    QVERIFY(Utils::isProcessRunning(self));
    QVERIFY(
        Utils::isProcessRunning(QStringLiteral("/somewhere/else/") + QFileInfo(self).fileName()));
    QVERIFY(!Utils::isProcessRunning(QStringLiteral("/usr/bin/no-such-program-corvalink")));

    // Longer than the kernel's 15-character process name.
    QTemporaryDir dir;
    const QString longName = dir.filePath(QStringLiteral("wireguard-service"));
    QVERIFY(QFile::link(QStringLiteral("/bin/sleep"), longName));
    QProcess program;
    program.start(longName, {QStringLiteral("30")});
    QVERIFY(program.waitForStarted());
    QVERIFY(
        Utils::isProcessRunning(QStringLiteral("C:/Program Files/Corvalink/wireguard-service")));
    program.kill();
    program.waitForFinished();
}

void UtilsTest::shellCommandReturnsOutput()
{
    QCOMPARE(Utils::runShellCommand(QStringLiteral("echo one;  echo two 1>&2")),
             QStringLiteral("one\ntwo\n"));
    QCOMPARE(Utils::runShellCommand(QStringLiteral("printf '  a\\n\\n b  '"), true),
             QStringLiteral("a b"));
}

void UtilsTest::mtuBelowOneBecomes1500()
{
    QCOMPARE(Utils::effectiveMtu(0), 1500);
    QCOMPARE(Utils::effectiveMtu(-5), 1500);
    QCOMPARE(Utils::effectiveMtu(1), 1);
    QCOMPARE(Utils::effectiveMtu(1420), 1420);

    const Platform::ToolCommand command = Platform::mtuCommand(1, Utils::effectiveMtu(0));
    QCOMPARE(command.program, QStringLiteral("ip"));
    QCOMPARE(command.arguments,
             QStringList({QStringLiteral("link"), QStringLiteral("set"), QStringLiteral("dev"),
                          QStringLiteral("lo"), QStringLiteral("mtu"), QStringLiteral("1500")}));

    // Without the right to change it the tool fails, and its code is logged.
    QTest::ignoreMessage(QtInfoMsg,
                         QRegularExpression(QStringLiteral(
                             "^Utils: 'Set mtu size' command finished with code: -?\\d+$")));
    Utils::setInterfaceMtu(999999, 0);
}
