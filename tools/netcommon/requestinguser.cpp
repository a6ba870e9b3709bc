#include "requestinguser.h"

#include <QRegularExpression>

namespace {

const char uidVariable[] = "CORVALINK_USER_UID";
const qulonglong noUser = 0xffffffffULL;

} // namespace

bool RequestingUser::parseUid(const QString& text, uid_t* uid)
{
    static const QRegularExpression digits(QStringLiteral("^(0|[1-9][0-9]{0,9})\\z"));
    if (!digits.match(text).hasMatch())
        return false;
    const qulonglong value = text.toULongLong();
    if (value >= noUser)
        return false;
    *uid = static_cast<uid_t>(value);
    return true;
}

bool RequestingUser::fromEnvironment(uid_t* uid, bool* present, QString* error)
{
    *present = qEnvironmentVariableIsSet(uidVariable);
    *uid = 0;
    if (!*present)
        return true;
    if (parseUid(qEnvironmentVariable(uidVariable), uid))
        return true;
    *error = QStringLiteral("%1 is not a uid").arg(QLatin1String(uidVariable));
    return false;
}
