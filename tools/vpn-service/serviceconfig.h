#pragma once

#include <QHash>
#include <QString>

// The service's own configuration, an INI file that only root may write:
//   [service]  install_dir, group (default corvalink), run_dir (default /run/corvalink),
//              owner_grace_seconds (default 30)
//   [programs] one absolute program per tool name
class ServiceConfig
{
public:
    // False with the reason when the file or a folder above it is not root's alone, or a value
    // is unusable.
    bool load(const QString& path, QString* problem);

    QString installDir() const { return m_installDir; }
    QString group() const { return m_group; }
    QString runDir() const { return m_runDir; }
    // How long a user who holds the machine's protection may have no process left before the
    // service gives it up for them.
    int ownerGraceSeconds() const { return m_ownerGraceSeconds; }
    // Empty for a tool the configuration does not map.
    QString program(const QString& name) const { return m_programs.value(name); }

private:
    QString m_installDir;
    QString m_group = QStringLiteral("corvalink");
    QString m_runDir = QStringLiteral("/run/corvalink");
    int m_ownerGraceSeconds = 30;
    QHash<QString, QString> m_programs;
};
