// The update check: what the maintenance tool prints for "--checkupdates" and the installed
// component description (components.xml), separated by the first NUL, then the comparison of the
// two versions as Update::checkForUpdatesProcessFinished makes it.
#include "clientsupport.h"
#include "utils/update.h"

#include <QRegularExpression>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::startClient();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    const int split = input.indexOf('\0');
    const QString output = QString::fromLocal8Bit(input.left(split < 0 ? input.size() : split));
    const QByteArray components = split < 0 ? QByteArray() : input.mid(split + 1);

    const QString offered = Update::newVersionFromOutput(output);
    const QString installed = Update::versionFromComponents(components);

    // What is offered is shown to the user: a version, nothing else.
    static const QRegularExpression version(QStringLiteral("^[0-9.,]*[0-9][0-9.,]*\\z"));
    FUZZ_CHECK(offered.isEmpty() || version.match(offered).hasMatch());
    FUZZ_CHECK(offered.isEmpty() ||
               !output.contains(QLatin1String("There are currently no updates available")));

    // An order: never both ways, never against itself.
    FUZZ_CHECK(!(Update::isNewer(offered, installed) && Update::isNewer(installed, offered)));
    FUZZ_CHECK(!Update::isNewer(offered, offered) && !Update::isNewer(installed, installed));
    return 0;
}
