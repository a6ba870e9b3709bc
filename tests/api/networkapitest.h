#pragma once

#include <QObject>

class FakeBackend;

class NetworkApiTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void urlsAndLabels();
    void geoIpReplyIsEmittedAndLogged();
    void hostNameAsIpIsNotValid();
    void timedOutRequestGivesPlaceholder();
    void httpErrorAndClosedConnection();
    void catalogueArrivesParsed();
    void oversizedFeedIsCutOff();
    void accountCarriesBuiltInKey();
    void accountAuthorisationIsUtf8Base64();
    void wrongCredentialsGiveEmptyAccount();
    void nothingIsSentAfterStop();

private:
    FakeBackend* m_backend = nullptr;
};
