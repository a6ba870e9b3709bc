#pragma once

#include <QObject>

class CatalogueTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void visibleOrStatusDecides();
    void duplicateIsDroppedWithWarning();
    void zeroLoadIsListedAsUnavailable();
    void ordersByCountryCodeThenCity();
    void everyServerIsListedOnceWhateverItsCountry();
    void cutDocumentKeepsFeedOrder();
    void serverWithoutPlainAddressIsSkipped();
    void serverElementsAtAnyDepth();
    void cityLosesCountryPrefix();
    void identifiers();
    void queries();
    void favourites();
    void accountValidityAndKey();
    void typesAreRegistered();

private:
    QObject* m_reporter = nullptr;
};
