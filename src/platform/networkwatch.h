#pragma once

#include <QObject>

class QSocketNotifier;

// Tells when the system's links, addresses or routes change (Linux: rtnetlink events). Where
// the platform has no such source it never speaks.
class NetworkWatch : public QObject
{
    Q_OBJECT

public:
    explicit NetworkWatch(QObject* parent = nullptr);
    ~NetworkWatch() override;

signals:
    void changed();

private:
    void drain();

    int m_socket = -1;
    QSocketNotifier* m_notifier = nullptr;
};
