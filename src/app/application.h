#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QWidget;
class SingleApplication;
class SystemTray;

// Stands in for the application object until it exists: it opens the log, writes the start
// lines, shows the empty main window and a tray icon whose menu can quit.
class Application : public QObject
{
    Q_OBJECT

public:
    explicit Application(SingleApplication* app, QObject* parent = nullptr);
    ~Application() override;

    bool init();
    static int windowHeight();

public slots:
    void messageReceived(const QString& message);

private:
    void writeStartLines();
    void createMainWindow();
    void createTray();
    void requestQuit();

    SingleApplication* m_app = nullptr;
    std::unique_ptr<QWidget> m_mainWindow;
    SystemTray* m_tray = nullptr;
};
