#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QProcess;

// Drives the installer's maintenance tool: a check for a newer version, the updater, and the
// installed version as the installer's component description records it.
class Update : public QObject
{
    Q_OBJECT

public:
    static constexpr int checkTimeoutMs = 20000;

    explicit Update(QObject* parent = nullptr);

    static QString maintenanceToolPath();
    void checkForUpdates();
    void startUpdater();
    // Test seam: how long a check may run before it is abandoned.
    void setCheckTimeout(int milliseconds) { m_checkTimeoutMs = milliseconds; }

    static QString installedVersion();
    // The first "Version" element of a component description; empty when there is none.
    static QString versionFromComponents(const QByteArray& xml);
    // The version of the first update element a check printed (digits, dots and commas); empty
    // when it printed none.
    static QString newVersionFromOutput(const QString& output);
    // Number by number, "3.0.10" after "3.0.9"; missing numbers count as 0.
    static bool isNewer(const QString& offered, const QString& installed);

signals:
    void appUpdated();
    void newVersionIsAvailable(QString newVersion);

protected slots:
    void checkForUpdatesProcessFinished();

private:
    QPointer<QProcess> m_process;
    int m_checkTimeoutMs = checkTimeoutMs;
};
