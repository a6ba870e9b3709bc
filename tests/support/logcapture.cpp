#include "logcapture.h"

#include <QElapsedTimer>
#include <QTest>

#include <cstdio>

namespace {

QStringList captured;
QtMessageHandler forwardTo = nullptr;

void capture(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    captured << message;
    if (forwardTo)
        forwardTo(type, context, message);
}

} // namespace

LogCapture::LogCapture(bool forward)
{
    captured.clear();
    m_previous = qInstallMessageHandler(capture);
    forwardTo = forward ? m_previous : nullptr;
}

LogCapture::~LogCapture()
{
    forwardTo = nullptr;
    qInstallMessageHandler(m_previous);
    // A failed case shows everything it captured, so that its cause can be read from the run.
    if (QTest::currentTestFailed()) {
        for (const QString& message : qAsConst(captured))
            std::fprintf(stderr, "captured: %s\n", qPrintable(message));
    }
}

QStringList LogCapture::messages() const
{
    return captured;
}

bool LogCapture::contains(const QString& text) const
{
    return count(text) > 0;
}

int LogCapture::count(const QString& text) const
{
    int found = 0;
    for (const QString& message : captured)
        found += message.contains(text);
    return found;
}

bool LogCapture::waitFor(const QString& text, int timeoutMs) const
{
    QElapsedTimer timer;
    timer.start();
    while (!contains(text)) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QTest::qWait(20);
    }
    return true;
}
