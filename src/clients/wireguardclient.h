#pragma once

#include "api/account.h"
#include "clients/tcpserver.h"
#include "clients/vpnclient.h"
#include "clients/vpnprocess.h"
#include "clients/wireguardlogger.h"

#include <QTimer>

#include <functional>

// WireGuard: the configuration comes from the account's keys, the service runs the tunnel
// program with --add and --remove, and the program reports over 127.0.0.1:61976.
class WireGuardClient : public VpnClient
{
    Q_OBJECT

public:
    explicit WireGuardClient(QObject* parent = nullptr);
    ~WireGuardClient() override;

    bool connectToServer() override;
    bool disconnectFromServer() override;
    bool isKillSwitchSupported() override;
    QString processName() override;
    QString configTemplatePath() override;
    void prepareConfig(QString& config) override;
    bool writeConfigFile() override;
    QString configFilePath() override;
    QString executablePath() override;

    static void setCurrentAccount(const Account& account);
    static Account currentAccount();
    static bool isWireGuardEnabled();
    // Why WireGuard cannot be offered, for the user.
    static QString notSupportedReason();
    static bool isWireGuardDriverInstalled();
    // Of "driverquery /V" output: a WireGuard line with a token ending in "wireguard.sys".
    static bool driverListHasWireGuard(const QString& output);
    static QString configText(const Account& account, const QString& server, const QString& dns);
    static QString tunnelDnsAddress();
    // The first free configuration name in folder; empty when none below 1000 is free.
    static QString chooseConfigPath(const QString& folder);
    static void resetConfigNameCounterForTesting();
    // A 32-byte key in Base64, as wg prints it.
    static bool isWireGuardKey(const QString& text);
    // The endpoint is an IPv4 address; a usable account's keys and tunnel address are well formed.
    static bool hasUsableValues(const Account& account, const QString& server);
    // Test seam: called once the key file exists and before its first byte is written.
    static void setKeyFileCreatedHookForTesting(std::function<void(const QString&)> hook);

private slots:
    void onReadyReadDataFromManagementInterface();
    void onSocketError(QAbstractSocket::SocketError socketError);
    void onReportLineTooLong();
    void onWireGuardLoggerLineReaded(const QString& line);
    void onWireGuardProcessFinished(int exitCode);
    void onWireGuardProcessError(int code);
    void onWireGuardProcessStarted();

private:
    bool handleReportLine(const QString& line);
    void stopTunnel();
    void disconnectSteps();
    static bool preparePrivateFolder(const QString& folder);
    static bool writeKeyFile(const QString& path, const QString& text);
    void removeKeyFile();
    void onEndReportMissing();

    const QString m_processName = QStringLiteral("wireguard-service");
    const QString m_reportHost = QStringLiteral("127.0.0.1");
    const quint16 m_reportPort = 61976;
    TcpServer* m_reportServer = nullptr;
    QString m_errorText;
    QString m_configPath;
    VpnProcess* m_wireGuardProcess = nullptr;
    bool m_destroying = false;
    bool m_stopRequested = false;
    bool m_removeRunPending = false;
    QString m_ringLogPath;
    WireGuardLogger m_logger;
    // From the report line's close to the program's end report.
    QTimer m_endReportWait;
};
