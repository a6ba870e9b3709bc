#include "testenvironment.h"

#include "app/logger.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

QTemporaryDir* folder = nullptr;

void setFolder(const char* variable, const QString& path)
{
    QDir().mkpath(path);
    qputenv(variable, QFile::encodeName(path));
}

} // namespace

QString TestEnvironment::isolate()
{
    if (folder)
        return folder->path();
    folder = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/corvalink-test-XXXXXX"));
    const QString base = folder->path();
    setFolder("HOME", base + QStringLiteral("/home"));
    setFolder("XDG_CONFIG_HOME", base + QStringLiteral("/home/.config"));
    setFolder("XDG_DATA_HOME", base + QStringLiteral("/home/.local/share"));
    setFolder("XDG_CACHE_HOME", base + QStringLiteral("/home/.cache"));
    setFolder("XDG_RUNTIME_DIR", base + QStringLiteral("/runtime"));
    QFile::setPermissions(base + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qunsetenv("XDG_CONFIG_DIRS");
    qunsetenv("XDG_DATA_DIRS");
    std::atexit([] { delete folder; });
    return base;
}

QString TestEnvironment::root()
{
    return folder ? folder->path() : QString();
}

QProcessEnvironment TestEnvironment::processEnvironment()
{
    return QProcessEnvironment::systemEnvironment();
}

QString TestEnvironment::clientBinary()
{
    return qEnvironmentVariable("CORVALINK_BINARY");
}

void TestEnvironment::openLog()
{
    QCoreApplication::setApplicationName(QStringLiteral("Corvalink"));
    Logger::instance();
}
