#include "logcapture.h"

#include <QElapsedTimer>
#include <QTest>

namespace {

QStringList captured;

void capture(QtMsgType, const QMessageLogContext&, const QString& message)
{
    captured << message;
}

} // namespace

LogCapture::LogCapture()
{
    captured.clear();
    m_previous = qInstallMessageHandler(capture);
}

LogCapture::~LogCapture()
{
    qInstallMessageHandler(m_previous);
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
