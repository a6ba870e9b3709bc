#include "processstatus.h"

#include <QList>

bool ProcessStatus::hasUid(const QByteArray& status, uid_t uid)
{
    for (const QByteArray& line : status.split('\n')) {
        if (!line.startsWith("Uid:"))
            continue;
        const QList<QByteArray> fields = line.mid(4).simplified().split(' ');
        for (const QByteArray& field : fields) {
            bool ok = false;
            if (field.toUInt(&ok) == uid && ok)
                return true;
        }
        return false;
    }
    return false;
}
