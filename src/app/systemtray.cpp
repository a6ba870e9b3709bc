#include "systemtray.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QTimer>

namespace {

const int flashingIntervalMs = 1000;
const int messageDurationMs = 10000;
const QString colourIconPath = QStringLiteral(":/resources/icons/app/app.png");

// Process-wide so that a new flashing period goes on from where the last one stopped.
bool flashShowsColour = false;

} // namespace

SystemTray::SystemTray(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("SystemTray"));
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;

    m_flashingTimer = new QTimer(this);
    m_flashingTimer->setInterval(flashingIntervalMs);
    connect(m_flashingTimer, SIGNAL(timeout()), this, SLOT(onFlashingTimerTimeout()));

    const QImage colour(colourIconPath);
    m_colourIcon = QIcon(QPixmap::fromImage(colour));
    m_greyIcon = QIcon(QPixmap::fromImage(greyImage(colour)));

    createActions();
    createMenu();
    createTrayIcon();
}

SystemTray::~SystemTray()
{
    // The menu has no parent: the tray icon only borrows it.
    delete m_menu;
}

QImage SystemTray::greyImage(const QImage& colour)
{
    QImage image = colour.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            const int grey = (11 * qRed(pixel) + 16 * qGreen(pixel) + 5 * qBlue(pixel)) / 32;
            line[x] = qRgba(grey, grey, grey, qAlpha(pixel) / 3);
        }
    }
    return image;
}

void SystemTray::createActions()
{
    m_connectAction = new QAction(this);
    m_exitAction = new QAction(this);
    m_settingsAction = new QAction(this);
    connect(m_connectAction, SIGNAL(triggered()), this, SLOT(onConnectDisconnectActionClicked()));
    connect(m_exitAction, SIGNAL(triggered()), this, SLOT(onExitActionClicked()));
    connect(m_settingsAction, SIGNAL(triggered()), this, SLOT(onSettingsActionClicked()));
    retranslate();
}

void SystemTray::createMenu()
{
    m_menu = new QMenu();
    m_menu->addAction(m_connectAction);
    m_menu->addAction(m_settingsAction);
    m_menu->addSeparator();
    m_menu->addAction(m_exitAction);
}

void SystemTray::createTrayIcon()
{
    m_trayIcon = new QSystemTrayIcon(this);
    connect(m_trayIcon, SIGNAL(activated(QSystemTrayIcon::ActivationReason)), this,
            SLOT(onSystemTrayIconActivated(QSystemTrayIcon::ActivationReason)));
    m_trayIcon->setContextMenu(m_menu);
    m_trayIcon->setIcon(m_greyIcon);
    m_trayIcon->setVisible(true);
}

void SystemTray::setConnectAction(const QString& text, bool enabled)
{
    if (!m_connectAction)
        return;
    m_connectAction->setText(text);
    m_connectAction->setEnabled(enabled);
}

void SystemTray::setIconState(int state)
{
    if (!m_trayIcon)
        return;
    if (state == 2) {
        m_flashingTimer->start();
        return;
    }
    m_flashingTimer->stop();
    m_trayIcon->setIcon(state == 1 ? m_colourIcon : m_greyIcon);
}

void SystemTray::setMenuEnabled(bool enabled)
{
    if (m_menu)
        m_menu->setEnabled(enabled);
}

void SystemTray::showExitOnly()
{
    if (!m_menu)
        return;
    m_menu->clear();
    m_menu->addAction(m_exitAction);
}

void SystemTray::setToolTip(const QString& text)
{
    if (m_trayIcon)
        m_trayIcon->setToolTip(text);
}

void SystemTray::showMessage(const QString& title, const QString& text)
{
    if (m_trayIcon && !text.isEmpty())
        m_trayIcon->showMessage(title, text, QSystemTrayIcon::Information, messageDurationMs);
}

void SystemTray::retranslate()
{
    if (!m_settingsAction)
        return;
    m_settingsAction->setText(tr("Settings"));
    m_exitAction->setText(tr("Exit"));
}

void SystemTray::onConnectDisconnectActionClicked()
{
    emit connectDisconnectActionClicked();
}

void SystemTray::onExitActionClicked()
{
    emit exitActionClicked();
}

void SystemTray::onSettingsActionClicked()
{
    emit settingsActionClicked();
}

void SystemTray::onSystemTrayIconActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (!m_menu || !m_menu->isEnabled())
        return;
    if (reason == QSystemTrayIcon::Context) {
        if (m_menu->isVisible())
            m_menu->popup(QCursor::pos());
        else
            m_menu->hide();
    } else if (reason == QSystemTrayIcon::Trigger) {
        emit triggeredClicked();
    }
}

void SystemTray::onFlashingTimerTimeout()
{
    if (!m_trayIcon)
        return;
    flashShowsColour = !flashShowsColour;
    m_trayIcon->setIcon(flashShowsColour ? m_colourIcon : m_greyIcon);
}
