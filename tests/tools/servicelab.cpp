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
    QByteArray config = QStringLiteral("[service]\ninstall_dir=%1\ngroup=%2\nrun_dir=%3\n"
                                       "[programs]\n")
                            .arg(installDir(), group, runDir())
                            .toUtf8();
    const QString record = b + QStringLiteral("/out/ran.log");
    const auto scriptMode = folderMode & ~QFile::WriteGroup;
    for (const QString& name : ProgramPolicy::names()) {
        const QString script = b + QStringLiteral("/bin/") + name;
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
    m_log += QString::fromLocal8Bit(m_service.readAllStandardError());
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
