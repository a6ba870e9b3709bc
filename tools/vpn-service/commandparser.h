#pragma once

#include <QString>
#include <QStringList>

// The client's one-line commands, read strictly: anything not of the exact shapes is invalid.
class CommandParser
{
public:
    struct Command
    {
        enum Kind
        {
            Invalid,
            Init,
            Start,
            Stop,
            Kill
        };
        Kind kind = Invalid;
        // Start: the program path then its arguments, unquoted.
        QStringList elements;
        // Stop and Kill: the process name; Start: the program's file name (at most maxNameSize),
        // also for an Invalid start frame whose program can be read.
        QString name;
        QString problem;
    };

    static constexpr int maxNameSize = 64;

    static Command parse(const QString& frame);
    // A frame the service answers with exactly one "started:", whatever else is wrong with it.
    static bool isStartRequest(const QString& frame);
    // The file name of the first quoted element of a start frame; empty without one.
    static QString programName(const QString& text);
    // '"a" "b" ""' -> a, b and an empty element; false for anything else.
    static bool splitQuoted(const QString& text, QStringList* elements);
    static bool hasControlCharacter(const QString& text);
};
