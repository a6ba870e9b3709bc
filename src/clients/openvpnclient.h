#pragma once

#include "clients/stunnel.h"
#include "clients/tcpserver.h"
#include "clients/vpnclient.h"
#include "clients/vpnprocess.h"

#include <QTimer>

// OpenVPN over UDP, TCP or Stealth: writes the configuration, has the service run OpenVPN and
// steers it over the management channel it opens on 127.0.0.1:61973.
class OpenVpnClient : public VpnClient
{
    Q_OBJECT

public:
    explicit OpenVpnClient(QObject* parent = nullptr);
    ~OpenVpnClient() override;

    bool connectToServer() override;
    bool disconnectFromServer() override;
    bool isKillSwitchSupported() override;
    QString processName() override;
    QString configTemplatePath() override;
    void prepareConfig(QString& config) override;
    QString executablePath() override;

    QStringList launchArguments();

    // The directive lines that stand in for the template's placeholder.
    static QStringList additionalLines(int protocol, bool ipv6Enabled, bool debug, bool windows);
    static bool isGreeting(const QString& line);
    static QString escapePassword(const QString& password);

    struct PushedDns
    {
        bool handled = false;
        bool complete = false;
        QString ipv4;
        QString ipv6;
    };
    static PushedDns parsePushReply(const QString& line, bool ipv6Enabled);
    // The tunnel address of an ASSIGN_IP state line; empty when the line is not one or is
    // unreadable.
    static QString parseAssignedIp(const QString& line);
    static bool containsByteCount(const QString& line);
    static ConnectionStatistics parseByteCount(const QString& line);

private slots:
    void onOpenVpnProcessFinished(int exitCode);
    void onOpenVpnProcessError(int code);
    void onOpenVpnProcessStarted();
    void onReadyReadDataFromManagementInterface();
    void onStunnelStarted(bool success);
    void onManagementLineTooLong();
    void openVpnStateSigTermHandlerTimerEvent();

private:
    void launchOpenVpn();
    // Ends an attempt that cannot go on: Error, no reconnection.
    void failAttempt(const QString& text);
    void stopRunningProcess();
    void handleManagementLine(const QString& line);
    bool handlePushReply(const QString& line);
    bool handleAssignedIp(const QString& line);
    void sendPassword();
    void logManagement(const QString& text);
    void writeManagement(const char* command, const QString& logText);

    const QString m_connectedStateText = QStringLiteral("CONNECTED,SUCCESS");
    const QString m_processName = QStringLiteral("openvpn");
    const QString m_exitingStateText = QStringLiteral("EXITING,SIGTERM");
    // OpenVPN restarts its own connection (a ping timeout, a lost link) without ending.
    const QString m_restartingStateText = QStringLiteral(",RECONNECTING,");
    const QString m_managementHost = QStringLiteral("127.0.0.1");
    const QString m_logPrefix = QStringLiteral("Management: ");
    const quint16 m_managementPort = 61973;
    VpnProcess* m_openVpnProcess = nullptr;
    QTimer m_sigTermTimer;
    QString m_errorText;
    QString m_assignedIp;
    Stunnel* m_stunnel = nullptr;
    TcpServer* m_managementServer = nullptr;
    bool m_destroying = false;
    bool m_stopRequested = false;
};
