#include "foreignpeer.h"

#include "platform/platform.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

namespace {

const QFile::Permissions readAndRun = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                      QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                      QFile::ExeOther;

QString fakePeer()
{
    return qEnvironmentVariable("CORVALINK_FAKE_PEER");
}

} // namespace

ForeignPeer::ForeignPeer() = default;

ForeignPeer::~ForeignPeer()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

bool ForeignPeer::canRun()
{
    return Platform::currentAccount() == Platform::systemAccount() &&
           !QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty() &&
           QFile::exists(fakePeer());
}

bool ForeignPeer::start(const QStringList& arguments)
{
    // The build folder may lie where nobody cannot reach: the copy sits in a folder anyone reads.
    const QString copy = m_folder.filePath(QStringLiteral("fake-peer"));
    if (!m_folder.isValid() || !QFile::setPermissions(m_folder.path(), readAndRun) ||
        !QFile::copy(fakePeer(), copy) || !QFile::setPermissions(copy, readAndRun))
        return false;
    m_process.start(QStringLiteral("setpriv"),
                    QStringList{QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                                QStringLiteral("--clear-groups"), copy} +
                        arguments);
    return m_process.waitForStarted(5000);
}

QByteArray ForeignPeer::output()
{
    m_output += m_process.readAllStandardOutput();
    return m_output;
}

bool ForeignPeer::waitForOutput(const QByteArray& text, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!output().contains(text)) {
        if (timer.elapsed() > timeoutMs || m_process.state() == QProcess::NotRunning)
            return output().contains(text);
        QTest::qWait(20);
    }
    return true;
}

int ForeignPeer::waitForExit(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    // The client under test runs in this thread: it must go on handling its events meanwhile.
    while (m_process.state() != QProcess::NotRunning) {
        if (timer.elapsed() > timeoutMs)
            return -1;
        QTest::qWait(20);
    }
    output();
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}
