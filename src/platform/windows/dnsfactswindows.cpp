#include "platform/platform.h"
#include "service/registrydnswalk.h"

#include <QSettings>

namespace Platform {

namespace {

const int wmicTimeoutMs = 30000;

class NativeRegistry : public RegistryDnsWalk::KeyReader
{
public:
    QStringList subkeys(const QString& key) const override
    {
        QSettings settings(key, QSettings::NativeFormat);
        return settings.childGroups();
    }

    QString value(const QString& key, const QString& name) const override
    {
        QSettings settings(key, QSettings::NativeFormat);
        return settings.value(name).toString();
    }
};

} // namespace

DnsFacts dnsFacts()
{
    // Whatever wmic printed before failing or timing out is used.
    const ToolResult wmic = runTool(ToolCommand{QStringLiteral("wmic"),
                                                {QStringLiteral("nic"), QStringLiteral("where"),
                                                 QStringLiteral("GUID is not null"),
                                                 QStringLiteral("get"), QStringLiteral("GUID")}},
                                    wmicTimeoutMs);
    const QSet<QString> guids = RegistryDnsWalk::presentGuids(QString::fromLocal8Bit(wmic.output));
    return RegistryDnsWalk::walk(NativeRegistry(), guids);
}

} // namespace Platform
