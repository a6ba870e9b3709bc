#pragma once

#include <QObject>

class UtilsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void textHelpers();
    void joinNonBlankDropsBlankParts();
    void shortenCommandLineKeepsFileNames_data();
    void shortenCommandLineKeepsFileNames();
    void addressTests();
    void executableNameUsesPlatformSuffixAndAppDirectory();
    void programDataPathsLieInUserDataFolder();
    void fileHelpers();
    void failingFileHelpersWarn();
    void localTemporaryCopyOfResourceAndFile();
    void urlToLocalFile();
    void flagSourceLookup_data();
    void flagSourceLookup();
    void everyCurrentCountryHasAFlag();
    void processCheckMatchesWholeNames();
    void processCheckFindsThisProcess();
    void shellCommandReturnsOutput();
    void mtuBelowOneBecomes1500();
};
