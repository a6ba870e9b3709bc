#pragma once

#include <QStringList>
#include <QtGlobal>

// Collects every message of Qt's logger while it lives, for tests that must see that a line was
// or was not written. Only one may exist at a time.
class LogCapture
{
public:
    // Forwarding keeps the lines in the suite's own output as well.
    explicit LogCapture(bool forward = false);
    ~LogCapture();

    QStringList messages() const;
    bool contains(const QString& text) const;
    int count(const QString& text) const;
    bool waitFor(const QString& text, int timeoutMs = 10000) const;

private:
    QtMessageHandler m_previous = nullptr;
};
