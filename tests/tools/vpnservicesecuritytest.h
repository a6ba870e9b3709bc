#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QTcpServer;
class ServiceLab;

// What the service must refuse, each refused, logged, and nothing run.
class VpnServiceSecurityTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void refusesStart_data();
    void refusesStart();
    void refusesOpenVpnDirective_data();
    void refusesOpenVpnDirective();
    void runsOpenVpnFromPrivateCopy();
    void refusesLinkInInstallation();
    void refusesWritableInstallation();
    void refusesUserOutsideGroup();
    void refusesOrigin();
    void killSparesAnotherUsersRun();
    void runsWireGuardFromPrivateCopy();
    void refusesAnotherUsersWireGuardFile();
    void refusesFifoQuickly();
    void refusesForeignListener();

private:
    // Root's listeners on the management and report ports, as the client's would be.
    QList<QTcpServer*> m_listeners;

    // Sends one frame as root and returns the replies that came within the wait.
    static QStringList exchange(const QString& frame, int waitMs = 1500);
    // The probe run as nobody; its output.
    static QString exchangeAsNobody(const QString& frame);
    static void expectRefusal(ServiceLab& lab, const QStringList& elements, const QString& reason);
};
