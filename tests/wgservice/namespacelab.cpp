#include "namespacelab.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString ipTool = QStringLiteral("/usr/sbin/ip");

} // namespace

NamespaceLab::NamespaceLab()
    : m_client(QStringLiteral("cvwgc%1").arg(QCoreApplication::applicationPid())),
      m_peer(QStringLiteral("cvwgp%1").arg(QCoreApplication::applicationPid()))
{
}

NamespaceLab::~NamespaceLab()
{
    // Newest first: the tunnel program takes its interface down before its namespace goes.
    for (auto it = m_processes.rbegin(); it != m_processes.rend(); ++it) {
        QProcess* process = it->get();
        if (process->state() == QProcess::NotRunning)
            continue;
        process->terminate();
        if (!process->waitForFinished(5000)) {
            process->kill();
            process->waitForFinished(2000);
        }
    }
    m_processes.clear();
    if (!m_created)
        return;
    QString ignored;
    ip({QStringLiteral("netns"), QStringLiteral("del"), m_client}, &ignored);
    ip({QStringLiteral("netns"), QStringLiteral("del"), m_peer}, &ignored);
    QDir(QStringLiteral("/etc/netns/") + m_client).removeRecursively();
    if (m_madeNetnsFolder)
        QDir().rmdir(QStringLiteral("/etc/netns"));
}

bool NamespaceLab::setUp(QString* error)
{
    const QString pid = QString::number(QCoreApplication::applicationPid());
    m_created = true;
    m_madeNetnsFolder = !QFileInfo::exists(QStringLiteral("/etc/netns"));
    QFile resolvConf(this->resolvConf());
    if (!QDir().mkpath(QStringLiteral("/etc/netns/") + m_client) ||
        !resolvConf.open(QIODevice::WriteOnly) ||
        resolvConf.write(originalResolvConf()) != originalResolvConf().size()) {
        *error = QStringLiteral("cannot write ") + resolvConf.fileName();
        return false;
    }
    resolvConf.close();
    const QString clientEnd = QStringLiteral("cvc") + pid;
    const QString peerEnd = QStringLiteral("cvp") + pid;
    const QList<QStringList> steps = {
        {QStringLiteral("netns"), QStringLiteral("add"), m_client},
        {QStringLiteral("netns"), QStringLiteral("add"), m_peer},
        {QStringLiteral("link"), QStringLiteral("add"), clientEnd, QStringLiteral("netns"),
         m_client, QStringLiteral("type"), QStringLiteral("veth"), QStringLiteral("peer"),
         QStringLiteral("name"), peerEnd, QStringLiteral("netns"), m_peer},
        {QStringLiteral("-n"), m_client, QStringLiteral("address"), QStringLiteral("add"),
         QStringLiteral("10.204.1.2/24"), QStringLiteral("dev"), clientEnd},
        {QStringLiteral("-n"), m_peer, QStringLiteral("address"), QStringLiteral("add"),
         QStringLiteral("10.204.1.1/24"), QStringLiteral("dev"), peerEnd},
        {QStringLiteral("-n"), m_client, QStringLiteral("link"), QStringLiteral("set"),
         QStringLiteral("lo"), QStringLiteral("up")},
        {QStringLiteral("-n"), m_peer, QStringLiteral("link"), QStringLiteral("set"),
         QStringLiteral("lo"), QStringLiteral("up")},
        {QStringLiteral("-n"), m_client, QStringLiteral("link"), QStringLiteral("set"), clientEnd,
         QStringLiteral("up")},
        {QStringLiteral("-n"), m_peer, QStringLiteral("link"), QStringLiteral("set"), peerEnd,
         QStringLiteral("up")},
        {QStringLiteral("-n"), m_client, QStringLiteral("route"), QStringLiteral("add"),
         QStringLiteral("default"), QStringLiteral("via"), QStringLiteral("10.204.1.1")}};
    for (const QStringList& step : steps) {
        if (!ip(step, error)) {
            *error = step.join(QLatin1Char(' ')) + QStringLiteral(": ") + *error;
            return false;
        }
    }
    return true;
}

QString NamespaceLab::resolvConf() const
{
    return QStringLiteral("/etc/netns/%1/resolv.conf").arg(m_client);
}

bool NamespaceLab::run(const QString& space, const QStringList& command, QString* output,
                       const QByteArray& input, int timeoutMs)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(ipTool,
                  QStringList{QStringLiteral("netns"), QStringLiteral("exec"), space} + command);
    process.write(input);
    process.closeWriteChannel();
    const bool finished = process.waitForFinished(timeoutMs);
    *output = QString::fromUtf8(process.readAll());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool NamespaceLab::ip(const QStringList& arguments, QString* output)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(ipTool, arguments);
    const bool finished = process.waitForFinished(10000);
    *output = QString::fromUtf8(process.readAll());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QProcess* NamespaceLab::start(const QString& space, const QStringList& command)
{
    m_processes.push_back(std::make_unique<QProcess>());
    QProcess* process = m_processes.back().get();
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->start(ipTool,
                   QStringList{QStringLiteral("netns"), QStringLiteral("exec"), space} + command);
    process->waitForStarted(5000);
    return process;
}
