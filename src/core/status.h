#pragma once

#include <QObject>

class QSettings;

// Whether the client has left the kill switch or forced DNS on, kept on disk so that the next
// start can repair a system left by a crash.
class Status : public QObject
{
    Q_OBJECT

public:
    explicit Status(QObject* parent = nullptr);

    bool dnsActivated() const { return m_dnsActivated; }
    bool killswitchActivated() const { return m_killswitchActivated; }
    void setDnsActivated(bool activated);
    void setKillswitchActivated(bool activated);
    void clear();

private:
    void save();

    QSettings* m_store = nullptr;
    bool m_dnsActivated = false;
    bool m_killswitchActivated = false;
};
