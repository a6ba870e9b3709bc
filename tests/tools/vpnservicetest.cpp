#include "vpnservicetest.h"

#include "clients/vpnprocess.h"
#include "service/servicecontroller.h"
#include "servicelab.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QtTest>

#include <memory>

namespace {

const int waitMs = 10000;

std::unique_ptr<ServiceController> connectedController()
{
    auto controller = std::make_unique<ServiceController>(true);
    QSignalSpy connected(controller.get(), &ServiceController::connected);
    if (!connected.wait(waitMs))
        return nullptr;
    return controller;
}

// The texts of the notifications seen so far, framing removed.
QStringList texts(const QSignalSpy& spy)
{
    QStringList all;
    for (const QList<QVariant>& call : spy)
        all << call.at(0).toString();
    return all;
}

} // namespace

void VpnServiceTest::init()
{
    if (!ServiceLab::isRoot())
        QSKIP("the service runs as root");
}

void VpnServiceTest::startReportsIdsInEventOrder()
{
    ServiceLab lab;
    QVERIFY(lab.start());
    auto controller = connectedController();
    QVERIFY(controller);
    QVERIFY(lab.waitForLog(QStringLiteral("says init")));
    QSignalSpy output(controller.get(), &ServiceController::processOutput);
    ServiceProcess tool(QStringLiteral("network-tool"));
    QSignalSpy started(&tool, &ServiceProcess::started);
    QSignalSpy finished(&tool, &ServiceProcess::finished);
    // A second handle of the same name waits at the same time; its request is refused.
    ServiceProcess refused(QStringLiteral("network-tool"));
    QSignalSpy refusedError(&refused, &ServiceProcess::error);

    tool.start({lab.toolPath(QStringLiteral("network-tool")), QStringLiteral("--ipv6"),
                QStringLiteral("enable")});
    refused.start({lab.toolPath(QStringLiteral("network-tool")), QStringLiteral("--ipv6"),
                   QStringLiteral("maybe")});

    QVERIFY(finished.wait(waitMs));
    QCOMPARE(started.count(), 1);
    QCOMPARE(finished.first().at(0).toInt(), 0);
    QTRY_COMPARE(refusedError.count(), 1);
    QCOMPARE(refusedError.first().at(0).toInt(), 126);
    QCOMPARE(tool.state(), 0);
    QStringList seen = texts(output);
    QCOMPARE(seen.size(), 3);
    // The refusal is answered at once, the run's start once it runs: each names its request.
    QVERIFY(seen.removeOne(QStringLiteral("started:0,126,2,network-tool")));
    const ServiceProcess::Notification first = ServiceProcess::parseNotification(seen.at(0));
    const ServiceProcess::Notification last = ServiceProcess::parseNotification(seen.at(1));
    QCOMPARE(first.kind, ServiceProcess::Notification::Started);
    QCOMPARE(last.kind, ServiceProcess::Notification::Finished);
    QVERIFY(first.id > 0);
    QCOMPARE(first.request, quint64(1));
    QCOMPARE(last.id, first.id);
    QCOMPARE(lab.ran(), QStringList{QStringLiteral("network-tool --ipv6 enable")});
}

void VpnServiceTest::stopAndKillReachTheRun()
{
    ServiceLab lab;
    QVERIFY(lab.start());
    auto controller = connectedController();
    QVERIFY(controller);
    QSignalSpy output(controller.get(), &ServiceController::processOutput);
    VpnProcess tunnel(QStringLiteral("wireguard-service"));
    QSignalSpy started(&tunnel, &ServiceProcess::started);
    QSignalSpy finished(&tunnel, &ServiceProcess::finished);
    // The service reads the file and wants the client's report port to be root's here.
    const QString file =
        lab.writeUserFile(QStringLiteral("wg.conf"),
                          "[Interface]\nPrivateKey = yAnz5TF+lXXJte14tji3zlMNq+hd2rYUIgJBgB3fBmk=\n"
                          "Address = 10.2.0.5/32\n\n[Peer]\nPublicKey = "
                          "xTIBA5rboUvnH4htodjb6e697QjLERt1NAB4mZqp8Dg=\n"
                          "AllowedIPs = 0.0.0.0/0\nEndpoint = 10.204.1.1:55888\n");
    QTcpServer reports;
    QVERIFY(reports.listen(QHostAddress::LocalHost, 61976));
    const QStringList add{lab.toolPath(QStringLiteral("wireguard-service")),
                          QStringLiteral("--add"), file, QStringLiteral("--port"),
                          QStringLiteral("61976")};

    tunnel.start(add);
    QVERIFY(started.wait(waitMs));
    QCOMPARE(tunnel.state(), int(ServiceProcess::Running));
    tunnel.stop();
    QVERIFY(finished.wait(waitMs));
    QCOMPARE(tunnel.state(), int(ServiceProcess::NotRunning));
    // The service puts IPv6 back by itself, and tells the client nothing of that run.
    QTRY_VERIFY_WITH_TIMEOUT(lab.ran().contains(QStringLiteral("network-tool --restore")), waitMs);
    QVERIFY(lab.waitForLog(QStringLiteral("(network-tool) finished"), waitMs));
    QCOMPARE(texts(output).size(), 2);

    tunnel.start(add);
    QVERIFY(started.wait(waitMs));
    output.clear();
    tunnel.kill();
    const QString killReport = QStringLiteral("finished:0,0,<kill wireguard-service>");
    QTRY_VERIFY_WITH_TIMEOUT(texts(output).contains(killReport), waitMs);
    // The killed run's own end comes first, then the report of the kill.
    QCOMPARE(texts(output).size(), 2);
    QCOMPARE(ServiceProcess::parseNotification(texts(output).first()).kind,
             ServiceProcess::Notification::Finished);
    QCOMPARE(finished.count(), 2);
}

void VpnServiceTest::droppedClientGetsWhatItMissed()
{
    ServiceLab lab;
    QVERIFY(lab.start());
    auto controller = connectedController();
    QVERIFY(controller);
    QSignalSpy output(controller.get(), &ServiceController::processOutput);
    controller->send(ServiceLab::startFrame({lab.toolPath(QStringLiteral("killswitch")),
                                             QStringLiteral("disable"), QStringLiteral("all")}));
    QTRY_COMPARE_WITH_TIMEOUT(output.count(), 1, waitMs);
    const quint64 id = ServiceProcess::parseNotification(texts(output).first()).id;
    controller.reset();
    QVERIFY(lab.waitForLog(QStringLiteral("(killswitch) finished"), waitMs));

    controller = std::make_unique<ServiceController>(true);
    QSignalSpy later(controller.get(), &ServiceController::processOutput);
    QTRY_COMPARE_WITH_TIMEOUT(later.count(), 1, waitMs);
    QCOMPARE(texts(later).first(), QStringLiteral("finished:%1,0,killswitch").arg(id));
}
