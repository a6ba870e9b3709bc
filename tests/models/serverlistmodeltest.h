#pragma once

#include "api/server.h"

#include <QObject>
#include <QString>

class ServerListModel;

class ServerListModelTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void countriesSortByNameAndExpandOnce();
    void onlyCountryAndSectionListsExpand();
    void countryCodesWithoutNameComeFirst();
    void countryIdentifiersStartACountrySearch();
    void serverSelectionByIndexAddressAndName();
    void secondListSelectingTheSameLocationStaysQuiet();
    void storedSelectionIsAppliedOnFill();
    void searchMatchesServersAndTheirCountries();
    void fastSearchAgreesWithPlainRules();
    void recentSectionShowsLastThreeOldestFirst();
    void favouriteSectionFollowsStars();
    void isEmptyIsTrueWhenRowsExist();
    void rolesAndRowRemoval();

private:
    // Every model made here has a model tester attached and lives until the test ends.
    ServerListModel* makeModel(int kind);
    QString address(int n) const;
    Server server(const QString& country, const QString& city, int n) const;

    QObject* m_owner = nullptr;
    int m_epoch = 0;
};
