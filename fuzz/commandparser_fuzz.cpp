// The service's WebSocket text frames: CommandParser, then the argument policy of a start.
#include "argumentpolicy.h"
#include "commandparser.h"
#include "fuzzsupport.h"

using Command = CommandParser::Command;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // QWebSocket hands the service a text frame decoded from UTF-8.
    const QString frame = QString::fromUtf8(fuzz::bytes(data, size));
    const Command command = CommandParser::parse(frame);
    const bool startRequest = CommandParser::isStartRequest(frame);

    switch (command.kind) {
    case Command::Init:
        FUZZ_CHECK(frame == QLatin1String("init: connection"));
        break;
    case Command::Start: {
        FUZZ_CHECK(startRequest);
        FUZZ_CHECK(!command.elements.isEmpty());
        FUZZ_CHECK(command.name.size() <= CommandParser::maxNameSize);
        for (const QString& element : command.elements) {
            FUZZ_CHECK(!CommandParser::hasControlCharacter(element));
            FUZZ_CHECK(!element.contains(QLatin1Char('"')));
        }
        // What the service does next with the program's name and its arguments.
        const QString problem = ArgumentPolicy::problem(command.name, command.elements.mid(1));
        if (problem.isEmpty())
            FUZZ_CHECK(command.elements.size() > 1);
        break;
    }
    case Command::Stop:
    case Command::Kill:
        FUZZ_CHECK(command.kind == Command::Stop || !startRequest);
        FUZZ_CHECK(!command.name.isEmpty() && command.name.size() <= CommandParser::maxNameSize);
        for (const QChar c : command.name)
            FUZZ_CHECK(c.unicode() < 128 && (c.isLetterOrNumber() || c == QLatin1Char('-')));
        break;
    case Command::Invalid:
        FUZZ_CHECK(!command.problem.isEmpty());
        FUZZ_CHECK(command.elements.isEmpty());
        FUZZ_CHECK(command.name.size() <= CommandParser::maxNameSize);
        break;
    }
    return 0;
}
