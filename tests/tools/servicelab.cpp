#include "servicelab.h"

#include "programpolicy.h"
#include "service/serviceprocess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <unistd.h>

namespace {

const QFileDevice::Permissions folderMode = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                            QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                            QFile::ExeOther;

bool writeFile(const QString& path, const QByteArray& text, QFileDevice::Permissions mode)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(text) == text.size() && file.setPermissions(mode);
}

// Records its call; the tunnel programs stay up, the kill switch takes a moment.
QByteArray toolScript(const QString& name, const QString& record)
{
    return QStringLiteral("#!/bin/sh\n"
                          "echo \"%1 $*\" >> %2\n"
                          "case \"$1\" in --config|--add) exec /usr/bin/sleep 30;; esac\n"
                          "[ \"%1\" = killswitch ] && /usr/bin/sleep 1\n"
                          "exit 0\n")
        .arg(name, record)
        .toUtf8();
}

} // namespace

ServiceLab::~ServiceLab()
{
    stop();
}

bool ServiceLab::isRoot()
{
    return ::geteuid() == 0;
}

bool ServiceLab::writeTree(const QString& group)
{
    const QString b = base();
    if (!m_folder.isValid() || !QFile::setPermissions(b, folderMode))
        return false;
    for (const QString& folder :
         {QStringLiteral("/etc"), QStringLiteral("/bin"), QStringLiteral("/install"),
          QStringLiteral("/out"), QStringLiteral("/user")}) {
        if (!QDir().mkpath(b + folder) || !QFile::setPermissions(b + folder, folderMode))
            return false;
    }
    QByteArray config = QStringLiteral("[service]\ninstall_dir=%1\ngroup=%2\nrun_dir=%3\n%4\n"
                                       "[programs]\n")
                            .arg(installDir(), group, runDir(), m_serviceSettings)
                            .toUtf8();
    const QString record = b + QStringLiteral("/out/ran.log");
    const auto scriptMode = folderMode & ~QFile::WriteGroup;
    for (const QString& name : ProgramPolicy::names()) {
        const QString script = b + QStringLiteral("/bin/") + name;
        QFile::remove(script);
        const bool written = m_programs.contains(name)
                                 ? QFile::copy(m_programs.value(name), script) &&
                                       QFile::setPermissions(script, scriptMode)
                                 : writeFile(script, toolScript(name, record), scriptMode);
        if (!written)
            return false;
        config += QStringLiteral("%1=%2\n").arg(name, script).toUtf8();
    }
    return writeFile(b + QStringLiteral("/etc/vpn-service.conf"), config,
                     QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
}

bool ServiceLab::start(const QString& group)
{
    stop();
    if (!writeTree(group))
        return false;
    m_log.clear();
    // A file, not a pipe: a pipe nobody drains while the test waits for another program would
    // stop the service at its next log line.
    m_service.setStandardErrorFile(logPath());
    const QStringList command =
        m_launcher + QStringList{qEnvironmentVariable("CORVALINK_VPN_SERVICE"),
                                 QStringLiteral("--foreground"), QStringLiteral("--config"),
                                 base() + QStringLiteral("/etc/vpn-service.conf")};
    m_service.start(command.first(), command.mid(1));
    return m_service.waitForStarted(5000) && waitForLog(QStringLiteral("Listening on"));
}

void ServiceLab::stop()
{
    if (m_service.state() == QProcess::NotRunning)
        return;
    m_service.terminate();
    if (!m_service.waitForFinished(8000))
        m_service.kill();
    m_service.waitForFinished(2000);
    log();
}

QString ServiceLab::logPath() const
{
    return base() + QStringLiteral("/out/service.log");
}

QString ServiceLab::toolPath(const QString& name) const
{
    return installDir() + QLatin1Char('/') + ProgramPolicy::relativePath(name);
}

QString ServiceLab::writeUserFile(const QString& name, const QByteArray& text) const
{
    const QString path = base() + QStringLiteral("/user/") + name;
    return writeFile(path, text, QFile::ReadOwner | QFile::WriteOwner) ? path : QString();
}

QString ServiceLab::log()
{
    QFile file(logPath());
    if (file.open(QIODevice::ReadOnly))
        m_log = QString::fromLocal8Bit(file.readAll());
    return m_log;
}

bool ServiceLab::waitForLog(const QString& text, int timeoutMs)
{
    QElapsedTimer waited;
    waited.start();
    while (!log().contains(text)) {
        if (waited.elapsed() > timeoutMs || m_service.state() == QProcess::NotRunning)
            return log().contains(text);
        QTest::qWait(20);
    }
    return true;
}

QStringList ServiceLab::ran() const
{
    QFile file(base() + QStringLiteral("/out/ran.log"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString ServiceLab::startFrame(const QStringList& elements)
{
    return ServiceProcess::startMessage(elements);
}

QByteArray ServiceLab::openVpnConfigText()
{
    return "client\ndev tun\nmanagement 127.0.0.1 61973\nremote 198.51.100.7 1194 udp\n"
           "auth-user-pass\nauth-nocache\nnobind\nauth SHA256\ncipher AES-256-GCM\ntls-client\n"
           "tls-cipher TLS-ECDHE-ECDSA-WITH-AES-256-GCM-SHA384\n"
           "remote-cert-eku \"TLS Web Server Authentication\"\npersist-key\npersist-tun\n"
           "compress lz4-v2\n\nverb 3\nmute-replay-warnings\nreplay-window 256\n"
           "pull-filter ignore ifconfig-ipv6\npull-filter ignore 'redirect-gateway ipv6'\n\n"
           "<tls-crypt>\n-----BEGIN OpenVPN Static key V1-----\nabcd\n"
           "-----END OpenVPN Static key V1-----\n</tls-crypt>\n\n<ca>\n"
           "-----BEGIN CERTIFICATE-----\nMIIB\n-----END CERTIFICATE-----\n</ca>\n";
}

QStringList ServiceLab::openVpnCommand(const QString& config, const QString& log) const
{
    return {toolPath(QStringLiteral("openvpn")),
            QStringLiteral("--config"),
            config,
            QStringLiteral("--management"),
            QStringLiteral("127.0.0.1"),
            QStringLiteral("61973"),
            QStringLiteral("--management-query-passwords"),
            QStringLiteral("--management-client"),
            QStringLiteral("--log-append"),
            log};
}
