#pragma once

#include <QObject>

class CredentialCipherTest : public QObject
{
    Q_OBJECT

private slots:
    void startsWithoutKeyInAutomaticCompressionAndChecksumMode();
    void emptyTextEnciphersToNonEmptyTextAndBack();
    void equalTextsEncipherDifferentlyAndBothDecipher();
    void shortCredentialIsNotCompressed();
    void longRepetitiveTextIsCompressedInAutomaticMode();
    void cipherBytesFollowTheLayout_data();
    void cipherBytesFollowTheLayout();
    void checksumIsIso3309BigEndian();
    void encipheringMatchesReferenceBytes_data();
    void encipheringMatchesReferenceBytes();
    void decipheringReferenceTexts_data();
    void decipheringReferenceTexts();
    void textFormIsPaddedStandardBase64();
    void roundTripsTextsOfEveryLengthInEveryMode_data();
    void roundTripsTextsOfEveryLengthInEveryMode();
    void roundTripsBinaryBytes();
    void changedByteAfterHeaderGivesEmptyResultSilently_data();
    void changedByteAfterHeaderGivesEmptyResultSilently();
    void checksumFlagTakesPrecedenceOverHashFlag();
    void otherKeyDeciphersToEmptyResult();
    void wrongVersionGivesEmptyResultWithWarning();
    void missingKeyGivesEmptyResultsWithWarning();
    void oversizedInflationClaimGivesEmptyResultWithWarning();
    void shortInputGivesEmptyResultSilently();
};
