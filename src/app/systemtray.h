#pragma once

#include <QIcon>
#include <QImage>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>

class QAction;
class QMenu;
class QTimer;

// The notification-area icon with its menu, looks and balloons. It only reports what the user
// did; the application object decides what happens and which look to show.
class SystemTray : public QObject
{
    Q_OBJECT

public:
    explicit SystemTray(QObject* parent = nullptr);
    ~SystemTray() override;

    void setConnectAction(const QString& text, bool enabled);
    // 0 idle (grey), 1 connected (colour), 2 busy (flashing).
    void setIconState(int state);
    void setMenuEnabled(bool enabled);
    void showExitOnly();
    void setToolTip(const QString& text);
    void showMessage(const QString& title, const QString& text);
    void retranslate();

    // The idle look: every pixel grey by luminance and a third as opaque.
    static QImage greyImage(const QImage& colour);

signals:
    void connectDisconnectActionClicked();
    void exitActionClicked();
    void settingsActionClicked();
    void triggeredClicked();

public slots:
    void onConnectDisconnectActionClicked();
    void onExitActionClicked();
    void onSettingsActionClicked();
    void onSystemTrayIconActivated(QSystemTrayIcon::ActivationReason reason);
    void onFlashingTimerTimeout();

private:
    void createActions();
    void createMenu();
    void createTrayIcon();

    QAction* m_connectAction = nullptr;
    QAction* m_exitAction = nullptr;
    QAction* m_settingsAction = nullptr;
    QIcon m_colourIcon;
    QIcon m_greyIcon;
    QMenu* m_menu = nullptr;
    QSystemTrayIcon* m_trayIcon = nullptr;
    QTimer* m_flashingTimer = nullptr;
};
