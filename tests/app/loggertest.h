#pragma once

#include <QObject>
#include <QStringList>
#include <QUrl>

class LoggerTest : public QObject
{
    Q_OBJECT

public slots:
    void openUrl(const QUrl& url) { m_openedUrls << url; }

private slots:
    void initTestCase();
    void failedInitialisationIsRetried();
    void startKeepsNineNewestLogsBesideOtherFiles();
    void namesFilesAfterStartTime();
    void writesOneFlushedLinePerMessage();
    void foldsWhiteSpaceIntoSingleBlanks();
    void dropsBlankAndClipboardRetryMessages();
    void qmlLogAndBannerFollowTheConvention();
    void tunnelLogLiesBesideClientLog();
    void openLogFolderOpensTheFolderUrl();

private:
    QStringList logLines() const;
    QString lastMessage() const;

    QString m_base;
    QList<QUrl> m_openedUrls;
};
