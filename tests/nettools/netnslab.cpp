#include "netnslab.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

NetnsLab::NetnsLab()
    : m_inner(QStringLiteral("cvk%1a").arg(QCoreApplication::applicationPid())),
      m_outer(QStringLiteral("cvk%1b").arg(QCoreApplication::applicationPid()))
{
}

NetnsLab::~NetnsLab()
{
    leaveInner();
    runHost({QStringLiteral("ip"), QStringLiteral("netns"), QStringLiteral("del"), m_inner});
    runHost({QStringLiteral("ip"), QStringLiteral("netns"), QStringLiteral("del"), m_outer});
    QDir(QStringLiteral("/etc/netns/") + m_inner).removeRecursively();
    if (m_madeNetnsFolder)
        QDir().rmdir(QStringLiteral("/etc/netns"));
}

bool NetnsLab::setUp(QString* error)
{
    const QString a = m_inner;
    const QString b = m_outer;
    const QString va = a + QStringLiteral("v");
    const QString vb = b + QStringLiteral("v");
    const QList<QStringList> steps{{"ip", "netns", "add", a},
                                   {"ip", "netns", "add", b},
                                   {"ip", "link", "add", va, "type", "veth", "peer", "name", vb},
                                   {"ip", "link", "set", va, "netns", a},
                                   {"ip", "link", "set", vb, "netns", b},
                                   {"ip", "-n", a, "addr", "add", "10.203.7.1/24", "dev", va},
                                   {"ip", "-n", b, "addr", "add", "10.203.7.2/24", "dev", vb},
                                   {"ip", "-n", b, "addr", "add", "10.203.7.3/24", "dev", vb},
                                   {"ip", "-n", a, "link", "set", "lo", "up"},
                                   {"ip", "-n", a, "link", "set", va, "up"},
                                   {"ip", "-n", b, "link", "set", vb, "up"}};
    for (const QStringList& step : steps) {
        const LabResult result = runHost(step);
        if (result.exitCode != 0) {
            *error = step.join(QLatin1Char(' ')) + QStringLiteral(": ") + result.output;
            return false;
        }
    }
    m_madeNetnsFolder = !QFileInfo::exists(QStringLiteral("/etc/netns"));
    return QDir().mkpath(QStringLiteral("/etc/netns/") + m_inner);
}

QString NetnsLab::resolvConf() const
{
    return QStringLiteral("/etc/netns/%1/resolv.conf").arg(m_inner);
}

bool NetnsLab::writeResolvConf(const QByteArray& text)
{
    QFile file(resolvConf());
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

LabResult NetnsLab::runTool(const QString& program, const QStringList& arguments,
                            const QProcessEnvironment& environment) const
{
    // The mount stays inside the private mount namespace of "ip netns exec".
    const QString hide = QStringLiteral("if [ -d /run/systemd/resolve ]; then mount -t tmpfs tmpfs "
                                        "/run/systemd/resolve || exit 97; "
                                        "fi; exec \"$@\"");
    return runHost(QStringList{QStringLiteral("ip"), QStringLiteral("netns"),
                               QStringLiteral("exec"), m_inner, QStringLiteral("sh"),
                               QStringLiteral("-c"), hide, QStringLiteral("sh"), program} +
                       arguments,
                   environment);
}

LabResult NetnsLab::run(const QStringList& command) const
{
    return runHost(QStringList{QStringLiteral("ip"), QStringLiteral("netns"),
                               QStringLiteral("exec"), m_inner} +
                   command);
}

bool NetnsLab::enterInner()
{
    if (m_outsideFd >= 0)
        return false;
    m_outsideFd = ::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC);
    const QByteArray inside = QFile::encodeName(QStringLiteral("/run/netns/") + m_inner);
    const int fd = ::open(inside.constData(), O_RDONLY | O_CLOEXEC);
    const bool entered = m_outsideFd >= 0 && fd >= 0 && ::setns(fd, CLONE_NEWNET) == 0;
    if (fd >= 0)
        ::close(fd);
    if (!entered)
        leaveInner();
    return entered;
}

void NetnsLab::leaveInner()
{
    if (m_outsideFd < 0)
        return;
    ::setns(m_outsideFd, CLONE_NEWNET);
    ::close(m_outsideFd);
    m_outsideFd = -1;
}

bool NetnsLab::reaches(uint uid, const QString& address, quint16 port) const
{
    const QString id = QString::number(uid);
    // A refused connection means the SYN went out and the answer came back.
    const LabResult result = run({QStringLiteral("setpriv"), QStringLiteral("--reuid=") + id,
                                  QStringLiteral("--regid=") + id, QStringLiteral("--clear-groups"),
                                  QStringLiteral("timeout"), QStringLiteral("2"),
                                  QStringLiteral("bash"), QStringLiteral("-c"),
                                  QStringLiteral("exec 3<>/dev/tcp/%1/%2").arg(address).arg(port)});
    return result.output.contains(QLatin1String("refused"));
}

LabResult NetnsLab::runHost(const QStringList& command, const QProcessEnvironment& environment)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& key : environment.keys())
        env.insert(key, environment.value(key));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(command.first(), command.mid(1));
    LabResult result;
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = QString::fromUtf8(process.readAll());
    return result;
}
