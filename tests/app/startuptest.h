#pragma once

#include <QObject>
#include <QProcessEnvironment>
#include <QUrl>

class XSession;

class StartupTest : public QObject
{
    Q_OBJECT

public slots:
    void openUrl(const QUrl& url) { m_openedUrls << url; }

private slots:
    void initTestCase();
    void debugOptionSetsDebugMode();
    void showLogsOpensFolderAndKeepsBoxOpen();
    void secondStartWakesFirstAndExits();
    void versionAndHelpComeFromTheCommandLine();
    void noSystemTrayEndsWithCodeOne();

private:
    QProcessEnvironment clientEnvironment(const XSession& session, const QString& name) const;
    QString logFolder(const QString& name) const;

    QString m_client;
    QList<QUrl> m_openedUrls;
};
