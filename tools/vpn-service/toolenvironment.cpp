#include "toolenvironment.h"

#include "argumentpolicy.h"

QProcessEnvironment ToolEnvironment::build(const Request& request, QString* problem)
{
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PATH"), QStringLiteral("/usr/sbin:/usr/bin:/sbin:/bin"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C"));
    const bool forUser = request.name == QLatin1String("killswitch") ||
                         request.name == QLatin1String("dns") ||
                         request.name == QLatin1String("wireguard-service");
    if (forUser)
        environment.insert(QStringLiteral("CORVALINK_USER_UID"), QString::number(request.uid));
    if (request.name == QLatin1String("dns")) {
        // The tool opens it without following links and as the user; the text must still be
        // a plain absolute path.
        const QString folder = dataDir(request.home);
        if (!ArgumentPolicy::isFilePath(folder)) {
            *problem = QStringLiteral("the account has no usable home folder");
            return QProcessEnvironment();
        }
        environment.insert(QStringLiteral("CORVALINK_DATA_DIR"), folder);
    }
    // What the machine's settings were before a change is kept where only root can write.
    if (request.name == QLatin1String("network-tool") || request.name == QLatin1String("dns"))
        environment.insert(QStringLiteral("CORVALINK_STATE_DIR"), request.runDir);
    return environment;
}

QString ToolEnvironment::dataDir(const QString& home)
{
    if (!home.startsWith(QLatin1Char('/')))
        return QString();
    const QString base = home == QLatin1String("/") ? QString() : home;
    return base + QStringLiteral("/.local/share/Corvalink");
}
