#include "startup.h"

#include "app/application.h"
#include "app/buildinfo.h"
#include "app/criticalerrorbox.h"
#include "app/debugmode.h"
#include "app/scalefactor.h"
#include "app/singleapplication.h"
#include "utils/update.h"

#include <QCommandLineParser>
#include <QMessageBox>
#include <QSystemTrayIcon>

// Resources of a static library are registered only on request, and not from inside a namespace.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
    Q_INIT_RESOURCE(translations);
}

namespace {

const int wakeUpTimeoutMs = 5000;
const char productName[] = "Corvalink";

} // namespace

bool Startup::parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QString());
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption debugOption(QStringList{QStringLiteral("d"), QStringLiteral("debug")},
                                         QCoreApplication::translate("main", "Debug mode."));
    parser.addOption(debugOption);
    parser.process(arguments);
    return parser.isSet(debugOption);
}

bool Startup::builtWithLabKeyMaterial()
{
    return CORVALINK_LAB_KEY_MATERIAL != 0;
}

QString Startup::labKeyMaterialNotice()
{
    return QStringLiteral("Built with the lab's key material: not for real use");
}

QString Startup::versionText(const QString& installedVersion, bool labKeyMaterial)
{
    return labKeyMaterial ? installedVersion + QLatin1Char('\n') + labKeyMaterialNotice()
                          : installedVersion;
}

int Startup::initialise(Application& application)
{
    if (application.init())
        return 0;
    CriticalErrorBox box;
    box.exec();
    return -1;
}

int Startup::run(int argc, char** argv)
{
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, true);
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    ScaleFactor::apply(Application::mainWindowHeight());
    qputenv("QML_DISABLE_DISK_CACHE", "1");

    // The theme editor runs beside the client, so each build guards its own instance.
    SingleApplication app(Application::productName(), argc, argv);
    if (app.isRunning()) {
        app.sendMessage(QString(), wakeUpTimeoutMs);
        return 0;
    }
    initResources();

    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        QMessageBox::critical(
            nullptr, QString::fromLatin1(productName),
            QCoreApplication::translate("main", "Couldn't detect any system tray on this system."),
            QMessageBox::Ok);
        return 1;
    }

    app.setQuitOnLastWindowClosed(false);
    QCoreApplication::setApplicationName(QString::fromLatin1(productName));
    QCoreApplication::setApplicationVersion(
        versionText(Update::installedVersion(), builtWithLabKeyMaterial()));
    DebugMode::setEnabled(parseCommandLine(QCoreApplication::arguments()));

    Application application(&app);
    if (const int failure = initialise(application))
        return failure;
    QObject::connect(&app, SIGNAL(messageReceived(const QString&)), &application,
                     SLOT(messageReceived(const QString&)));
    return app.exec();
}
