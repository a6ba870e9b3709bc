#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// The fake peer (tests/fakes/fakepeer.cpp) run by the user nobody: another local user who tries
// the client's local channels. Only root can start one.
class ForeignPeer
{
public:
    ForeignPeer();
    ~ForeignPeer();

    // Root, setpriv and the fake peer are all there.
    static bool canRun();
    bool start(const QStringList& arguments);
    bool waitForOutput(const QByteArray& text, int timeoutMs = 10000);
    // The exit code, or -1 when it did not end in time.
    int waitForExit(int timeoutMs = 15000);
    QByteArray output();

private:
    QTemporaryDir m_folder;
    QProcess m_process;
    QByteArray m_output;
};
