#pragma once

#include <QHash>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The real vpn-service in foreground mode over a throw-away tree that root owns: its
// configuration, an installation folder, and tool scripts that write what they were asked to a
// record file. Needs root; the service listens on the fixed port 6457.
class ServiceLab
{
public:
    ServiceLab() = default;
    ~ServiceLab();

    static bool isRoot();
    // False when any step fails; a test then fails rather than skips.
    bool start(const QString& group = QStringLiteral("corvalink"));
    // A real program for the tool name, copied into the lab in place of the recording script.
    void useProgram(const QString& name, const QString& path) { m_programs.insert(name, path); }
    // A command the service is started through, such as "ip netns exec NAME".
    void setLauncher(const QStringList& launcher) { m_launcher = launcher; }
    // More "key=value" lines of the configuration's [service] section.
    void setServiceSettings(const QString& lines) { m_serviceSettings = lines; }
    void stop();

    QString base() const { return m_folder.path(); }
    QString installDir() const { return base() + QStringLiteral("/install"); }
    QString runDir() const { return base() + QStringLiteral("/run"); }
    // The path the client uses for the tool: "openvpn" -> <install>/openvpn/bin/openvpn.
    QString toolPath(const QString& name) const;
    // A file a user could have written, in a folder of the lab.
    QString writeUserFile(const QString& name, const QByteArray& text) const;

    QString log();
    QString logPath() const;
    bool waitForLog(const QString& text, int timeoutMs = 5000);
    // "NAME ARGUMENTS" lines, one per tool run.
    QStringList ran() const;

    // The raw start command the client would send for these elements.
    static QString startFrame(const QStringList& elements);
    // A configuration as the client writes it from its general template, with the lines it adds.
    static QByteArray openVpnConfigText();
    // The client's OpenVPN command line for a configuration and a log file.
    QStringList openVpnCommand(const QString& config, const QString& log) const;

private:
    bool writeTree(const QString& group);

    QTemporaryDir m_folder{QStringLiteral("/tmp/vpn-service-lab-XXXXXX")};
    QProcess m_service;
    QString m_log;
    QHash<QString, QString> m_programs;
    QStringList m_launcher;
    QString m_serviceSettings;
};
