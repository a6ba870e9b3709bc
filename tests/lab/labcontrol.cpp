#include "labcontrol.h"

#include <QFile>
#include <QFileInfo>

LabControl::LabControl(const QString& folder) : m_folder(folder) {}

bool LabControl::isAvailable() const
{
    return !m_folder.isEmpty() && QFileInfo(m_folder + QStringLiteral("/request")).exists();
}

QString LabControl::ask(const QString& command) const
{
    QFile request(m_folder + QStringLiteral("/request"));
    if (!request.open(QIODevice::WriteOnly))
        return QString();
    request.write(command.toUtf8() + '\n');
    request.close();
    // The root side opens the reply only after it has read the request, and closes it when done.
    QFile reply(m_folder + QStringLiteral("/reply"));
    if (!reply.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(reply.readAll()).trimmed();
}
