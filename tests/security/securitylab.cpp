#include "securitylab.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

namespace {

const QString groupName = QStringLiteral("cvsec");
// Accounts are recognised by it before anything of theirs is removed.
const QString comment = QStringLiteral("Corvalink security test");
const QByteArray originalResolvConf = "search lan\nnameserver 192.0.2.53\n";

QString accountName(const QString& user)
{
    return QStringLiteral("cvsec-") + user;
}

int runHost(const QStringList& command, QString* output = nullptr, int timeoutMs = 30000)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(command.first(), command.mid(1));
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(2000);
        return -1;
    }
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace

SecurityLab::SecurityLab()
    : m_namespace(QStringLiteral("cvsec-%1").arg(QCoreApplication::applicationPid()))
{
}

SecurityLab::~SecurityLab()
{
    m_service.stop();
    runHost({QStringLiteral("ip"), QStringLiteral("netns"), QStringLiteral("del"), m_namespace});
    if (m_accounts)
        removeAccounts();
}

void SecurityLab::removeAccounts() const
{
    for (const QString& user : {QStringLiteral("a"), QStringLiteral("b")}) {
        QString entry;
        runHost({QStringLiteral("getent"), QStringLiteral("passwd"), accountName(user)}, &entry);
        if (!entry.contains(comment))
            continue;
        runHost({QStringLiteral("pkill"), QStringLiteral("-KILL"), QStringLiteral("-u"),
                 accountName(user)});
        runHost({QStringLiteral("userdel"), accountName(user)});
    }
    QString entry;
    if (runHost({QStringLiteral("getent"), QStringLiteral("group"), groupName}, &entry) == 0)
        runHost({QStringLiteral("groupdel"), groupName});
}

bool SecurityLab::setUp(QString* error)
{
    if (!m_folder.isValid() ||
        !QFile::setPermissions(m_folder.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                    QFile::ExeOwner | QFile::ReadOther |
                                                    QFile::ExeOther)) {
        *error = QStringLiteral("no folder for the lab");
        return false;
    }
    removeAccounts();
    if (runHost({QStringLiteral("groupadd"), QStringLiteral("--system"), groupName}) != 0) {
        *error = QStringLiteral("groupadd failed");
        return false;
    }
    m_accounts = true;
    for (const QString& user : {QStringLiteral("a"), QStringLiteral("b")}) {
        const QString home = m_folder.filePath(QStringLiteral("home-") + user);
        QString output;
        if (!QDir().mkpath(home + QStringLiteral("/.local/share")) ||
            runHost({QStringLiteral("useradd"), QStringLiteral("--system"),
                     QStringLiteral("--no-create-home"), QStringLiteral("--home-dir"), home,
                     QStringLiteral("--gid"), groupName, QStringLiteral("--shell"),
                     QStringLiteral("/usr/sbin/nologin"), QStringLiteral("--comment"), comment,
                     accountName(user)},
                    &output) != 0 ||
            runHost({QStringLiteral("chown"), QStringLiteral("-R"),
                     accountName(user) + QLatin1Char(':') + groupName, home}) != 0 ||
            !QFile::setPermissions(home, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
            *error = QStringLiteral("cannot make the account of %1: %2").arg(user, output);
            return false;
        }
    }
    if (runHost({QStringLiteral("ip"), QStringLiteral("netns"), QStringLiteral("add"),
                 m_namespace}) != 0 ||
        runHost({QStringLiteral("ip"), QStringLiteral("-n"), m_namespace, QStringLiteral("link"),
                 QStringLiteral("set"), QStringLiteral("lo"), QStringLiteral("up")}) != 0) {
        *error = QStringLiteral("cannot make the network namespace");
        return false;
    }
    // The service's /etc: a copy made once the accounts exist, with a resolver file of its own.
    const QString etc = m_folder.filePath(QStringLiteral("etc"));
    if (runHost({QStringLiteral("cp"), QStringLiteral("-a"), QStringLiteral("/etc"), etc}) != 0 ||
        !QFile::remove(etc + QStringLiteral("/resolv.conf")) || !writeResolvConf() ||
        !moveRootsHome(etc + QStringLiteral("/passwd"))) {
        *error = QStringLiteral("cannot copy /etc");
        return false;
    }
    for (const QString& tool :
         {QStringLiteral("killswitch"), QStringLiteral("dns"), QStringLiteral("network-tool")}) {
        const QString variable = tool == QLatin1String("killswitch") ? QStringLiteral("KILLSWITCH")
                                 : tool == QLatin1String("dns")      ? QStringLiteral("DNS_TOOL")
                                                                : QStringLiteral("NETWORK_TOOL");
        m_service.useProgram(tool, qEnvironmentVariable(qPrintable("CORVALINK_" + variable)));
    }
    m_service.setServiceSettings(QStringLiteral("owner_grace_seconds=%1").arg(graceSeconds));
    m_service.setLauncher(launcher());
    if (!m_service.start(groupName)) {
        *error = QStringLiteral("the service did not start: ") + m_service.log();
        return false;
    }
    return true;
}

bool SecurityLab::moveRootsHome(const QString& passwd) const
{
    // Root's data folder, where the dns tool leaves its marker for root, is the lab's.
    const QString home = homeOf(QStringLiteral("root"));
    QFile file(passwd);
    if (!QDir().mkpath(home + QStringLiteral("/.local/share")) || !file.open(QIODevice::ReadOnly))
        return false;
    QByteArray text;
    for (const QByteArray& line : file.readAll().split('\n')) {
        QList<QByteArray> fields = line.split(':');
        if (fields.size() == 7 && fields.at(2) == "0")
            fields[5] = QFile::encodeName(home);
        if (!line.isEmpty())
            text += fields.join(':') + '\n';
    }
    file.close();
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

QStringList SecurityLab::launcher() const
{
    return {QStringLiteral("ip"),
            QStringLiteral("netns"),
            QStringLiteral("exec"),
            m_namespace,
            QStringLiteral("prlimit"),
            QStringLiteral("--nofile=1024:1024"),
            QStringLiteral("sh"),
            QStringLiteral("-c"),
            QStringLiteral("mount --bind \"$0\" /etc || exit 97; exec \"$@\""),
            m_folder.filePath(QStringLiteral("etc"))};
}

bool SecurityLab::restartService()
{
    return m_service.start(groupName);
}

bool SecurityLab::writeResolvConf() const
{
    QFile file(m_folder.filePath(QStringLiteral("etc/resolv.conf")));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(originalResolvConf) == originalResolvConf.size();
}

QByteArray SecurityLab::originalResolvConfText()
{
    return originalResolvConf;
}

uid_t SecurityLab::uidOf(const QString& user) const
{
    if (user == QLatin1String("root"))
        return 0;
    const QByteArray name =
        user == QLatin1String("nobody") ? QByteArray("nobody") : accountName(user).toLatin1();
    const passwd* entry = ::getpwnam(name.constData());
    return entry ? entry->pw_uid : uid_t(-1);
}

QString SecurityLab::homeOf(const QString& user) const
{
    return m_folder.filePath(QStringLiteral("home-") + user);
}

QStringList SecurityLab::asUser(const QString& user) const
{
    QStringList command{QStringLiteral("ip"), QStringLiteral("netns"), QStringLiteral("exec"),
                        m_namespace};
    if (user == QLatin1String("nobody"))
        command << QStringLiteral("setpriv") << QStringLiteral("--reuid=nobody")
                << QStringLiteral("--regid=nogroup") << QStringLiteral("--clear-groups");
    else if (user != QLatin1String("root"))
        command << QStringLiteral("setpriv") << QStringLiteral("--reuid=") + accountName(user)
                << QStringLiteral("--regid=") + groupName << QStringLiteral("--init-groups");
    return command;
}

QString SecurityLab::probe(const QString& user, const QStringList& arguments) const
{
    QString output;
    runHost(asUser(user) + QStringList{qEnvironmentVariable("CORVALINK_VPN_SERVICE_PROBE")} +
                arguments,
            &output);
    return output;
}

QProcess* SecurityLab::startProbe(const QString& user, const QStringList& arguments,
                                  int descriptors) const
{
    QStringList command = asUser(user);
    // The limit is raised before the user's identity is taken.
    if (descriptors > 0)
        command.insert(4, QStringLiteral("prlimit"));
    if (descriptors > 0)
        command.insert(5, QStringLiteral("--nofile=%1:%1").arg(descriptors));
    command << qEnvironmentVariable("CORVALINK_VPN_SERVICE_PROBE") << arguments;
    auto* process = new QProcess;
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->start(command.first(), command.mid(1));
    process->waitForStarted(5000);
    return process;
}

QProcess* SecurityLab::startSession(const QString& user) const
{
    const QStringList command =
        asUser(user) + QStringList{QStringLiteral("sleep"), QStringLiteral("600")};
    auto* process = new QProcess;
    process->start(command.first(), command.mid(1));
    process->waitForStarted(5000);
    return process;
}

QString SecurityLab::run(const QStringList& command) const
{
    QString output;
    runHost(asUser(QStringLiteral("root")) + command, &output);
    return output;
}

QString SecurityLab::frame(const QString& tool, const QStringList& arguments) const
{
    return ServiceLab::startFrame(QStringList{m_service.toolPath(tool)} + arguments);
}

QString SecurityLab::writeUserFile(const QString& user, const QString& name,
                                   const QByteArray& text) const
{
    const QString path = homeOf(user) + QLatin1Char('/') + name;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    const struct group* entry = ::getgrnam(qPrintable(groupName));
    if (!entry || !file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(text) != text.size() || !file.flush())
        return QString();
    file.close();
    for (QString at = path; at != homeOf(user); at = QFileInfo(at).absolutePath()) {
        if (::chown(QFile::encodeName(at).constData(), uidOf(user), entry->gr_gid) != 0)
            return QString();
    }
    return path;
}

QByteArray SecurityLab::resolvConf() const
{
    QFile file(m_folder.filePath(QStringLiteral("etc/resolv.conf")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool SecurityLab::resolvConfIsLink() const
{
    return QFileInfo(m_folder.filePath(QStringLiteral("etc/resolv.conf"))).isSymLink();
}

bool SecurityLab::hasKillSwitchTable() const
{
    return run({QStringLiteral("nft"), QStringLiteral("list"), QStringLiteral("tables")})
        .contains(QLatin1String("table inet corvalink"));
}

QString SecurityLab::ipv6Disabled() const
{
    return run({QStringLiteral("cat"), QStringLiteral("/proc/sys/net/ipv6/conf/all/disable_ipv6")})
        .trimmed();
}
