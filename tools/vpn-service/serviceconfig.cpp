#include "serviceconfig.h"

#include "argumentpolicy.h"
#include "programpolicy.h"
#include "trustedpath.h"

#include <QSettings>

bool ServiceConfig::load(const QString& path, QString* problem)
{
    *problem = TrustedPath::problem(path);
    if (!problem->isEmpty())
        return false;
    QSettings settings(path, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) {
        *problem = QStringLiteral("'%1' is not a readable INI file").arg(path);
        return false;
    }
    m_installDir = settings.value(QStringLiteral("service/install_dir")).toString();
    m_group = settings.value(QStringLiteral("service/group"), m_group).toString();
    m_runDir = settings.value(QStringLiteral("service/run_dir"), m_runDir).toString();
    if (!ArgumentPolicy::isFilePath(m_installDir) || m_installDir == QLatin1String("/")) {
        *problem = QStringLiteral("install_dir must be an absolute plain folder path");
        return false;
    }
    if (!ArgumentPolicy::isFilePath(m_runDir) || m_runDir == QLatin1String("/")) {
        *problem = QStringLiteral("run_dir must be an absolute plain folder path");
        return false;
    }
    bool graceOk = false;
    m_ownerGraceSeconds =
        settings.value(QStringLiteral("service/owner_grace_seconds"), m_ownerGraceSeconds)
            .toInt(&graceOk);
    if (!graceOk || m_ownerGraceSeconds < 1 || m_ownerGraceSeconds > 3600) {
        *problem = QStringLiteral("owner_grace_seconds must be a number of seconds from 1 to 3600");
        return false;
    }
    settings.beginGroup(QStringLiteral("programs"));
    for (const QString& name : settings.childKeys()) {
        const QString program = settings.value(name).toString();
        if (!ProgramPolicy::names().contains(name) || !ArgumentPolicy::isFilePath(program)) {
            *problem = QStringLiteral("programs/%1 is not a tool name with an absolute plain path")
                           .arg(name);
            return false;
        }
        m_programs.insert(name, program);
    }
    return true;
}
