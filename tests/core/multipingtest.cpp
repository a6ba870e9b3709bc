#include "multipingtest.h"

#include "core/multiping.h"
#include "platform/icmpecho.h"
#include "support/logcapture.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <unistd.h>

namespace {

// Behind the responder's namespace: answered after 50, 150 and 300 ms, dropped, rejected.
const QString fast = QStringLiteral("10.201.0.11");
const QString middle = QStringLiteral("10.201.0.12");
const QString slow = QStringLiteral("10.201.0.13");
const QString dropped = QStringLiteral("10.201.0.14");
const QString rejected = QStringLiteral("10.201.0.15");
const QStringList loopback = {QStringLiteral("127.0.0.1"), QStringLiteral("127.0.0.2")};

QString addressOf(const QString& entry)
{
    return entry.section(QLatin1Char(':'), 0, 0);
}

uint valueOf(const QString& entry)
{
    return entry.section(QLatin1Char(':'), 1).toUInt();
}

QStringList addressesOf(const QStringList& entries)
{
    QStringList addresses;
    for (const QString& entry : entries)
        addresses << addressOf(entry);
    return addresses;
}

QString probeHelper()
{
    return qEnvironmentVariable("CORVALINK_PING_PROBE");
}

bool run(const QStringList& command, const QByteArray& input = {})
{
    QProcess process;
    process.start(command.first(), command.mid(1));
    if (!process.waitForStarted(10000))
        return false;
    process.write(input);
    process.closeWriteChannel();
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// Two network namespaces joined by a veth pair: the prober's, and the responder's, whose kernel
// leaves echo requests to the test's own responder. Everything made goes with the object.
struct NamespaceLab
{
    const QString prober = QStringLiteral("corvaping-a-%1").arg(QCoreApplication::applicationPid());
    const QString responder =
        QStringLiteral("corvaping-b-%1").arg(QCoreApplication::applicationPid());
    QProcess responderProcess;
    QString failedStep;

    ~NamespaceLab()
    {
        responderProcess.kill();
        responderProcess.waitForFinished(5000);
        run({QStringLiteral("ip"), QStringLiteral("netns"), QStringLiteral("delete"), prober});
        run({QStringLiteral("ip"), QStringLiteral("netns"), QStringLiteral("delete"), responder});
    }

    bool setUp(const QString& pingGroupRange)
    {
        const QString ip = QStringLiteral("ip");
        const QStringList inProber = {ip, QStringLiteral("-n"), prober};
        const QStringList inResponder = {ip, QStringLiteral("-n"), responder};
        const QStringList execInResponder = {ip, QStringLiteral("netns"), QStringLiteral("exec"),
                                             responder};
        QList<QStringList> steps = {
            {ip, QStringLiteral("netns"), QStringLiteral("add"), prober},
            {ip, QStringLiteral("netns"), QStringLiteral("add"), responder},
            QStringLiteral("ip link add cvp0 netns %1 type veth peer name cvp1 netns %2")
                .arg(prober, responder)
                .split(QLatin1Char(' ')),
            inProber + QStringLiteral("addr add 10.201.0.1/24 dev cvp0").split(QLatin1Char(' ')),
            inProber + QStringLiteral("link set cvp0 up").split(QLatin1Char(' ')),
            inProber + QStringLiteral("link set lo up").split(QLatin1Char(' ')),
            inResponder + QStringLiteral("addr add 10.201.0.2/24 dev cvp1").split(QLatin1Char(' ')),
        };
        for (const QString& address : {fast, middle, slow, dropped, rejected})
            steps << inResponder + QStringList{QStringLiteral("addr"), QStringLiteral("add"),
                                               address + QStringLiteral("/24"),
                                               QStringLiteral("dev"), QStringLiteral("cvp1")};
        steps << inResponder + QStringLiteral("link set cvp1 up").split(QLatin1Char(' '))
              << execInResponder + QStringList{QStringLiteral("sysctl"), QStringLiteral("-qw"),
                                               QStringLiteral("net.ipv4.icmp_echo_ignore_all=1")}
              << QStringList{ip,
                             QStringLiteral("netns"),
                             QStringLiteral("exec"),
                             prober,
                             QStringLiteral("sysctl"),
                             QStringLiteral("-qw"),
                             QStringLiteral("net.ipv4.ping_group_range=") + pingGroupRange};
        for (const QStringList& step : steps) {
            if (!run(step)) {
                failedStep = step.join(QLatin1Char(' '));
                return false;
            }
        }
        const QString rules =
            QStringLiteral("table ip corvaping {\n chain input {\n"
                           "  type filter hook input priority 0; policy accept;\n"
                           "  ip daddr %1 drop\n"
                           "  ip daddr %2 reject with icmp type host-unreachable\n"
                           " }\n}\n")
                .arg(dropped, rejected);
        if (!run(execInResponder +
                     QStringList{QStringLiteral("nft"), QStringLiteral("-f"), QStringLiteral("-")},
                 rules.toLatin1())) {
            failedStep = QStringLiteral("nft rules");
            return false;
        }
        responderProcess.start(ip, execInResponder.mid(1) +
                                       QStringList{probeHelper(), QStringLiteral("respond"),
                                                   fast + QStringLiteral("=50"),
                                                   middle + QStringLiteral("=150"),
                                                   slow + QStringLiteral("=300")});
        if (!responderProcess.waitForReadyRead(10000) ||
            !responderProcess.readAllStandardOutput().contains("ready")) {
            failedStep = QStringLiteral("responder");
            return false;
        }
        return true;
    }
};

struct Round
{
    bool exited = false;
    int rounds = 0;
    QStringList results;
    QStringList sorted;
    qint64 elapsed = -1;
    QString log;
};

// Runs one round of the prober in the namespace through the helper, as the program given.
Round probeInNamespace(const QString& ns, const QStringList& program, const QStringList& addresses)
{
    QProcess probe;
    probe.start(QStringLiteral("ip"),
                QStringList{QStringLiteral("netns"), QStringLiteral("exec"), ns} + program +
                    QStringList{QStringLiteral("probe")} + addresses);
    Round round;
    round.exited = probe.waitForFinished(20000) && probe.exitCode() == 0;
    round.log = QString::fromUtf8(probe.readAllStandardError());
    const QString output = QString::fromUtf8(probe.readAllStandardOutput());
    for (const QString& line : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString kind = line.section(QLatin1Char(' '), 0, 0);
        const QStringList fields = line.section(QLatin1Char(' '), 1).split(QLatin1Char(' '));
        if (kind == QLatin1String("round")) {
            ++round.rounds;
            round.results = fields;
        } else if (kind == QLatin1String("sorted")) {
            round.sorted << fields.join(QLatin1Char(':'));
        } else if (kind == QLatin1String("elapsed")) {
            round.elapsed = fields.value(0).toLongLong();
        }
    }
    return round;
}

} // namespace

void MultiPingTest::emptyListEmitsNothing()
{
    MultiPing ping;
    QCOMPARE(ping.objectName(), QStringLiteral("MultiPing"));
    QSignalSpy last(&ping, &MultiPing::lastRequestFinished);
    QSignalSpy each(&ping, &MultiPing::requestFinished);
    ping.sendRequest(QStringList());
    QTest::qWait(100);
    QCOMPARE(last.count(), 0);
    QCOMPARE(each.count(), 0);
}

void MultiPingTest::hostNameIsNotResolvedAndRoundEndsWithFullList()
{
    MultiPing ping;
    QSignalSpy last(&ping, &MultiPing::lastRequestFinished);
    ping.sendRequest(QStringList{QStringLiteral("localhost"), QStringLiteral("127.0.0.1")});
    // Even a probe that cannot start reports through the event loop.
    QCOMPARE(last.count(), 0);
    QVERIFY(last.wait(5000));
    const QStringList results = last.first().first().toStringList();
    QCOMPARE(results.size(), 2);
    QVERIFY(results.contains(QStringLiteral("localhost:100000")));
    QCOMPARE(addressesOf(results).count(QStringLiteral("127.0.0.1")), 1);
    QTest::qWait(200);
    QCOMPARE(last.count(), 1);
}

void MultiPingTest::newRequestDropsRunningRound()
{
    MultiPing ping;
    QSignalSpy last(&ping, &MultiPing::lastRequestFinished);
    QSignalSpy each(&ping, &MultiPing::requestFinished);
    ping.sendRequest(QStringList{QStringLiteral("127.0.0.1"), QStringLiteral("127.0.0.2")});
    ping.sendRequest(QStringList{QStringLiteral("127.0.0.3")});
    QVERIFY(last.wait(5000));
    QTest::qWait(300);
    QCOMPARE(last.count(), 1);
    QCOMPARE(addressesOf(last.first().first().toStringList()),
             QStringList{QStringLiteral("127.0.0.3")});
    QCOMPARE(each.count(), 1);
    QCOMPARE(each.first().first().toString(), QStringLiteral("127.0.0.3"));

    // One more address joins the finished round's results instead of replacing them.
    ping.sendRequest(QStringLiteral("127.0.0.4"));
    QVERIFY(last.wait(5000));
    QCOMPARE(addressesOf(last.last().first().toStringList()),
             (QStringList{QStringLiteral("127.0.0.3"), QStringLiteral("127.0.0.4")}));
}

void MultiPingTest::deletingWhileProbingIsSafe()
{
    int rounds = 0;
    for (int waitMs : {0, 2}) {
        auto* ping = new MultiPing;
        connect(ping, &MultiPing::lastRequestFinished, this, [&rounds] { ++rounds; });
        ping->sendRequest(QStringList{QStringLiteral("127.0.0.1"), QStringLiteral("localhost")});
        QTest::qWait(waitMs);
        delete ping;
    }
    // Late replies and queued failures find nothing to call.
    QTest::qWait(200);
    QVERIFY(rounds <= 1);
}

void MultiPingTest::icmpErrorsMapToIpHelperStatuses()
{
    QCOMPARE(IcmpEcho::statusForIcmpError(3, 0), 11002U);
    QCOMPARE(IcmpEcho::statusForIcmpError(3, 1), 11003U);
    QCOMPARE(IcmpEcho::statusForIcmpError(3, 2), 11004U);
    QCOMPARE(IcmpEcho::statusForIcmpError(3, 4), 11009U);
    QCOMPARE(IcmpEcho::statusForIcmpError(11, 0), 11013U);
    QCOMPARE(IcmpEcho::statusForIcmpError(11, 1), 11014U);
    QCOMPARE(IcmpEcho::statusForIcmpError(4, 0), 11016U);
    QCOMPARE(IcmpEcho::statusForIcmpError(0, 0), 0U);
    // A reply measured below a millisecond is a success of 1 ms.
    QCOMPARE(IcmpEcho::roundTripMs(300000), 1U);
    QCOMPARE(IcmpEcho::roundTripMs(52900000), 52U);

    LogCapture log;
    IcmpEcho::logReplyStatus(11013);
    IcmpEcho::logReplyStatus(11005);
    QCOMPARE(log.messages(),
             QStringList{QStringLiteral("Pinger: IcmpCallbackData, reply status 11013")});
}

void MultiPingTest::roundThroughNamespaces_data()
{
    QTest::addColumn<QString>("pingGroupRange");
    QTest::addColumn<bool>("asNobody");
    QTest::addColumn<QString>("socketLine");
    QTest::newRow("datagram socket")
        << "0 2147483647" << false << "Pinger: Probing over an ICMP datagram socket";
    QTest::newRow("raw socket") << "1 0" << false << "Pinger: Probing over a raw ICMP socket";
    QTest::newRow("no socket: every probe fails, one warning") << "1 0" << true << QString();
}

void MultiPingTest::roundThroughNamespaces()
{
    QFETCH(QString, pingGroupRange);
    QFETCH(bool, asNobody);
    QFETCH(QString, socketLine);
    if (::geteuid() != 0)
        QSKIP("network namespaces need root");
    NamespaceLab lab;
    QVERIFY2(lab.setUp(pingGroupRange), qPrintable(lab.failedStep));
    QStringList program{probeHelper()};
    QTemporaryDir unprivileged;
    if (asNobody) {
        const QString copy = unprivileged.filePath(QStringLiteral("ping_probe"));
        QVERIFY(QFile::copy(probeHelper(), copy));
        const auto everyone = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                              QFile::ReadOther | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(unprivileged.path(), everyone));
        QVERIFY(QFile::setPermissions(copy, everyone));
        program = QStringList{QStringLiteral("setpriv"),
                              QStringLiteral("--reuid=65534"),
                              QStringLiteral("--regid=65534"),
                              QStringLiteral("--clear-groups"),
                              QStringLiteral("--"),
                              copy};
    }

    // The rejection comes back while later requests are being sent: it must not fail them.
    const QStringList addresses = loopback + QStringList{rejected, slow, fast, middle, dropped};
    const Round round = probeInNamespace(lab.prober, program, addresses);
    QVERIFY2(round.exited, qPrintable(round.log));
    QCOMPARE(round.rounds, 1);
    QHash<QString, uint> ms;
    for (const QString& entry : round.results)
        ms.insert(addressOf(entry), valueOf(entry));
    QCOMPARE(ms.size(), addresses.size());
    QCOMPARE(round.results.size(), addresses.size());
    QCOMPARE(round.sorted.size(), addresses.size());
    for (const QString& entry : round.sorted)
        QCOMPARE(valueOf(entry), uint(quint16(ms.value(addressOf(entry)))));

    if (socketLine.isEmpty()) {
        for (const QString& address : addresses)
            QCOMPARE(ms.value(address), MultiPing::failedValue);
        QCOMPARE(round.log.count(QStringLiteral("Pinger: Unable to open an ICMP socket")), 1);
        QStringList byAddress = addresses;
        std::sort(byAddress.begin(), byAddress.end());
        QCOMPARE(addressesOf(round.sorted), byAddress);
        return;
    }
    QVERIFY2(round.log.contains(socketLine), qPrintable(round.log));
    for (const QString& address : loopback)
        QVERIFY2(ms.value(address) >= 1 && ms.value(address) < MultiPing::failedValue,
                 qPrintable(address));
    QVERIFY(ms.value(fast) >= 50 && ms.value(fast) < MultiPing::failedValue);
    QVERIFY(ms.value(middle) >= 150 && ms.value(middle) < MultiPing::failedValue);
    QVERIFY(ms.value(slow) >= 300 && ms.value(slow) < MultiPing::failedValue);
    QCOMPARE(ms.value(dropped), MultiPing::failedValue);
    QCOMPARE(ms.value(rejected), MultiPing::failedValue);
    // Completion order: the rejection fails at once, the drop at its time-out.
    const QStringList order = addressesOf(round.results);
    QCOMPARE(order.mid(3), (QStringList{fast, middle, slow, dropped}));
    QVERIFY(order.indexOf(rejected) < 3);
    QVERIFY(round.elapsed >= 900);
    QCOMPARE(round.log.count(QStringLiteral("Pinger: IcmpCallbackData, reply status 11003")), 1);
    QCOMPARE(addressesOf(round.sorted).mid(2),
             (QStringList{fast, middle, slow, dropped, rejected}));
}
