#include "commandparser.h"

#include <QFileInfo>

namespace {

const QString initText = QStringLiteral("init: connection");
const QString startPrefix = QStringLiteral("start: ");
const QString stopPrefix = QStringLiteral("stop: <");
const QString killPrefix = QStringLiteral("start: <kill ");

CommandParser::Command invalid(const QString& problem)
{
    CommandParser::Command command;
    command.problem = problem;
    return command;
}

// Between the prefix and the closing ">": a name of letters, digits and dashes.
CommandParser::Command named(CommandParser::Command::Kind kind, const QString& frame,
                             const QString& prefix)
{
    if (!frame.endsWith(QLatin1Char('>')))
        return invalid(QStringLiteral("no closing '>'"));
    const QString name = frame.mid(prefix.size(), frame.size() - prefix.size() - 1);
    if (name.isEmpty() || name.size() > 64)
        return invalid(QStringLiteral("bad process name"));
    for (const QChar c : name) {
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('-'))
            return invalid(QStringLiteral("bad process name"));
    }
    CommandParser::Command command;
    command.kind = kind;
    command.name = name;
    return command;
}

} // namespace

CommandParser::Command CommandParser::parse(const QString& frame)
{
    if (hasControlCharacter(frame))
        return invalid(QStringLiteral("control character in the command"));
    if (frame == initText) {
        Command command;
        command.kind = Command::Init;
        return command;
    }
    if (frame.startsWith(killPrefix))
        return named(Command::Kill, frame, killPrefix);
    if (frame.startsWith(stopPrefix))
        return named(Command::Stop, frame, stopPrefix);
    if (!frame.startsWith(startPrefix))
        return invalid(QStringLiteral("unknown command"));
    Command command;
    if (!splitQuoted(frame.mid(startPrefix.size()), &command.elements)) {
        command = invalid(QStringLiteral("the argument list is not a list of quoted elements"));
        command.name = programName(frame.mid(startPrefix.size()));
        return command;
    }
    command.name = QFileInfo(command.elements.first()).fileName();
    if (command.name.size() > maxNameSize) {
        command.kind = Command::Invalid;
        command.problem = QStringLiteral("the program name is too long");
        command.name.truncate(maxNameSize);
        command.elements.clear();
        return command;
    }
    command.kind = Command::Start;
    return command;
}

bool CommandParser::isStartRequest(const QString& frame)
{
    return frame.startsWith(startPrefix) && !frame.startsWith(killPrefix);
}

QString CommandParser::programName(const QString& text)
{
    // The first quoted element, when there is one, names the program of the refusal.
    const int end = text.indexOf(QLatin1Char('"'), 1);
    if (!text.startsWith(QLatin1Char('"')) || end < 0)
        return QString();
    return QFileInfo(text.mid(1, end - 1)).fileName().left(maxNameSize);
}

bool CommandParser::splitQuoted(const QString& text, QStringList* elements)
{
    const QChar quote = QLatin1Char('"');
    int at = 0;
    while (at < text.size()) {
        if (text.at(at) != quote)
            return false;
        const int end = text.indexOf(quote, at + 1);
        if (end < 0)
            return false;
        elements->append(text.mid(at + 1, end - at - 1));
        at = end + 1;
        if (at == text.size())
            break;
        // One space between elements, and another element after it.
        if (text.at(at) != QLatin1Char(' ') || at + 1 == text.size())
            return false;
        ++at;
    }
    return !elements->isEmpty();
}

bool CommandParser::hasControlCharacter(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return true;
    }
    return false;
}
