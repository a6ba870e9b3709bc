#pragma once

#include "clients/connectionparameters.h"
#include "clients/connectionstatistics.h"
#include "core/connectionstate.h"
#include "service/serviceprocess.h"

#include <QObject>
#include <QStringList>

#include <memory>

class QTemporaryFile;

// The common ground of every tunnel kind: parameters in, four signals out.
class VpnClient : public QObject
{
    Q_OBJECT

public:
    explicit VpnClient(QObject* parent = nullptr);
    ~VpnClient() override;

    ConnectionState::Id connectionState() const { return m_connectionState; }
    ConnectionParameters connectionParameters() const { return m_parameters; }
    ConnectionStatistics statistics() const { return m_statistics; }

    void setConnectionState(ConnectionState::Id id, const QString& text = QString(),
                            bool critical = false);
    void setStatistics(const ConnectionStatistics& statistics);
    void applyIpv6Setting();
    bool isTunnelProcessRunning();
    QString vpnLogFilePath() const;

    static void insertAdditionalData(const QStringList& lines, QString& text);
    static QString protocolName(int protocol, bool lowerCase = false);
    static QStringList ipv6Arguments(const QString& toolPath, bool enabled);
    // The error of a server that is neither a canonical IPv4 address nor a host name.
    static QString invalidServerText();
    // Shown when the service refuses because another user holds the machine's protection, or
    // another user's program holds a port the tunnel needs.
    static QString anotherUserText();
    // Whether the loopback port is held by a program of another user than us and root.
    static bool isHeldByAnotherUser(quint16 port);

public slots:
    virtual bool connectToServer() = 0;
    virtual bool disconnectFromServer() = 0;
    virtual void setConnectionParameters(const ConnectionParameters& parameters);
    virtual bool isKillSwitchSupported();
    virtual QString processName() = 0;
    virtual QString configTemplatePath() = 0;
    virtual void prepareConfig(QString& config);
    virtual bool writeConfigFile();
    virtual QString configFilePath();
    virtual QString executablePath() = 0;

signals:
    void assignedInternalIp(const QString& ip);
    void byteCountChanged(quint64 receive, quint64 send);
    void connectionStateChanged(ConnectionState::Id connectionStateId,
                                const QString& additionalData, bool critical,
                                const QString& errorDescription);
    void dnsServerAddressesPushed(const QString& dnsServerIpv4Address,
                                  const QString& dnsServerIpv6Address);

protected:
    ConnectionParameters& parameters() { return m_parameters; }
    void deleteConfigFile();
    // The end of the tunnel program: Disconnected, with "CrashExit" after a non-zero code, then
    // Reconnecting when the end was not asked for and the user allows it.
    void reportProcessEnd(int exitCode, QString& errorText, bool destroying, bool stopRequested);

private:
    ConnectionParameters m_parameters;
    ConnectionStatistics m_statistics;
    std::unique_ptr<QTemporaryFile> m_configTempFile;
    ConnectionState::Id m_connectionState = ConnectionState::Disconnected;
    ServiceProcess m_networkToolProcess;
};
