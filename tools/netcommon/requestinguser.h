#pragma once

#include <QString>

#include <sys/types.h>

// The user the service runs a tool for, from CORVALINK_USER_UID in the tool's environment.
class RequestingUser
{
public:
    // A decimal uid without sign or leading zeros, below the "no user" value.
    static bool parseUid(const QString& text, uid_t* uid);
    // False with a message when the variable is set but no uid; *present false when it is unset.
    static bool fromEnvironment(uid_t* uid, bool* present, QString* error);
};
