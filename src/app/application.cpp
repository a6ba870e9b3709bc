#include "application.h"

#include "app/buildinfo.h"
#include "app/logger.h"
#include "app/singleapplication.h"
#include "app/startup.h"
#include "app/systemtray.h"
#include "utils/autostart.h"
#include "utils/update.h"

#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QSslSocket>
#include <QSysInfo>
#include <QWidget>

namespace {

const int mainWindowWidth = 400;
const int mainWindowHeight = 650;

} // namespace

Application::Application(SingleApplication* app, QObject* parent) : QObject(parent), m_app(app)
{
    setObjectName(QStringLiteral("Application"));
    Logger::instance();
    writeStartLines();
}

Application::~Application()
{
    Logger::info(objectName(), QStringLiteral("Stopped"));
}

int Application::windowHeight()
{
    return mainWindowHeight;
}

void Application::writeStartLines()
{
    const QString version = Update::installedVersion();
    if (!version.isEmpty()) {
        Logger::info(objectName(), QStringLiteral("%1 version '%2', date: '%3', revision: '%4'")
                                       .arg(QStringLiteral("Corvalink"), version,
                                            QString::fromLatin1(CORVALINK_BUILD_DATE),
                                            QString::fromLatin1(CORVALINK_REVISION)));
    }
    if (Startup::builtWithLabKeyMaterial())
        Logger::warning(objectName(), Startup::labKeyMaterialNotice());
    Logger::info(objectName(),
                 QStringLiteral("Started on %1, %2")
                     .arg(AutoStart::windowsDisplayName(), QSysInfo::currentCpuArchitecture()));
    Logger::info(
        objectName(),
        QStringLiteral("OpenSSL for Qt: %1").arg(QSslSocket::sslLibraryBuildVersionString()));
}

bool Application::init()
{
    createMainWindow();
    createTray();
    return m_mainWindow && m_tray;
}

void Application::createMainWindow()
{
    m_mainWindow = std::make_unique<QWidget>();
    m_mainWindow->setObjectName(QStringLiteral("MainWindow"));
    m_mainWindow->setWindowTitle(QStringLiteral("Corvalink"));
    m_mainWindow->setWindowIcon(QIcon(QStringLiteral(":/resources/icons/app/app-256.png")));
    m_mainWindow->setFixedSize(mainWindowWidth, mainWindowHeight);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = m_mainWindow->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        m_mainWindow->move(frame.topLeft());
    }
    m_mainWindow->show();
}

void Application::createTray()
{
    m_tray = new SystemTray(this);
    // Nothing to connect to until the controller exists.
    m_tray->setConnectAction(tr("Connect"), false);
    m_tray->setIconState(0);
    m_tray->setToolTip(QStringLiteral("Corvalink"));
    connect(m_tray, &SystemTray::exitActionClicked, this, &Application::requestQuit);
    connect(m_tray, &SystemTray::triggeredClicked, this, [this] { messageReceived(QString()); });
}

void Application::requestQuit()
{
    Logger::info(objectName(), QStringLiteral("Request to quit"));
    m_app->quit();
}

void Application::messageReceived(const QString&)
{
    Logger::info(objectName(), QStringLiteral("Message to show app on top"));
    if (!m_mainWindow)
        return;
    m_mainWindow->show();
    m_mainWindow->setWindowState((m_mainWindow->windowState() & ~Qt::WindowMinimized) |
                                 Qt::WindowActive);
    m_mainWindow->raise();
    m_mainWindow->activateWindow();
}
