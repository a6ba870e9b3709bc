#include "credentialciphertest.h"

#include "settings/credentialcipher.h"
#include "support/logcapture.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QVector>
#include <QtTest>

namespace {

using Compression = CredentialCipher::CompressionMode;
using Integrity = CredentialCipher::IntegrityMode;

const quint64 testKey = Q_UINT64_C(0x0123456789ABCDEF);
const char noKeyWarning[] = "CredentialCipher: No key set.";
const char versionWarning[] = "CredentialCipher: Invalid version or not a cyphertext.";

CredentialCipher keyedCipher(Compression compression, Integrity integrity, quint64 key = testKey)
{
    CredentialCipher cipher(key);
    cipher.setCompressionMode(compression);
    cipher.setIntegrityMode(integrity);
    return cipher;
}

// Undoes the chain with the key bytes taken least significant first; keeps the random byte.
QByteArray unchained(const QByteArray& cipher, quint64 key)
{
    QByteArray body = cipher.mid(2);
    quint8 last = 0;
    for (int i = 0; i < body.size(); ++i) {
        const quint8 current = quint8(body.at(i));
        body[i] = char(current ^ last ^ quint8(key >> (8 * (i % 8))));
        last = current;
    }
    return body;
}

QByteArray bytesOf(const QString& text)
{
    return QByteArray::fromBase64(text.toLatin1());
}

quint8 flagsOf(const QByteArray& cipher)
{
    return quint8(cipher.at(1));
}

QByteArray bigEndianChecksum(const QByteArray& data)
{
    const quint16 checksum = qChecksum(data.constData(), uint(data.size()));
    QByteArray bytes;
    bytes.append(char(checksum >> 8));
    bytes.append(char(checksum & 0xFF));
    return bytes;
}

uint randomCodePoint(QRandomGenerator& random)
{
    switch (random.bounded(5)) {
    case 0:
        return random.bounded(0x80u); // ASCII with control characters and NUL
    case 1:
        return 0xA0u + random.bounded(0x60u); // Latin-1
    case 2:
        return 0x400u + random.bounded(0x100u); // Cyrillic
    case 3:
        return 0x4E00u + random.bounded(0x5200u); // CJK
    default:
        return 0x1F600u + random.bounded(0x50u); // beyond 16 bits: a surrogate pair
    }
}

QString textOf(const QVector<uint>& codePoints, int length)
{
    QString text;
    for (int i = 0; i < length; ++i) {
        const uint codePoint = codePoints.at(i % codePoints.size());
        if (QChar::requiresSurrogates(codePoint)) {
            text.append(QChar(QChar::highSurrogate(codePoint)));
            text.append(QChar(QChar::lowSurrogate(codePoint)));
        } else {
            text.append(QChar(codePoint));
        }
    }
    return text;
}

QString randomText(QRandomGenerator& random, int length)
{
    QVector<uint> codePoints;
    for (int i = 0; i < length; ++i)
        codePoints << randomCodePoint(random);
    return length == 0 ? QString() : textOf(codePoints, length);
}

// Eight random characters over and over, so that compression pays off.
QString repetitiveText(QRandomGenerator& random, int length)
{
    QVector<uint> codePoints;
    for (int i = 0; i < 8; ++i)
        codePoints << randomCodePoint(random);
    return textOf(codePoints, length);
}

QByteArray randomBytes(QRandomGenerator& random, int length)
{
    QByteArray bytes(length, '\0');
    for (int i = 0; i < length; ++i)
        bytes[i] = char(random.generate() & 0xFF);
    return bytes;
}

QVector<int> textLengths()
{
    QVector<int> lengths;
    for (int length = 0; length <= 64; ++length)
        lengths << length;
    lengths << 100 << 127 << 128 << 255 << 256 << 257 << 511 << 512 << 1000 << 1023 << 1024 << 2047
            << 2048 << 3000 << 4095 << 4096;
    return lengths;
}

const Compression compressionModes[] = {Compression::Automatic, Compression::Always,
                                        Compression::Never};
const Integrity integrityModes[] = {Integrity::None, Integrity::Checksum, Integrity::Hash};

QString modeName(Compression compression, Integrity integrity)
{
    const char* compressionNames[] = {"automatic", "always", "never"};
    const char* integrityNames[] = {"none", "checksum", "hash"};
    return QStringLiteral("compression %1, integrity %2")
        .arg(QLatin1String(compressionNames[int(compression)]),
             QLatin1String(integrityNames[int(integrity)]));
}

quint8 integrityFlag(Integrity integrity)
{
    if (integrity == Integrity::Checksum)
        return 0x02;
    if (integrity == Integrity::Hash)
        return 0x04;
    return 0x00;
}

void addReferenceColumns()
{
    QTest::addColumn<quint64>("key");
    QTest::addColumn<int>("compression");
    QTest::addColumn<int>("integrity");
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<QByteArray>("reference");
}

// Cipher texts worked out by hand from the format, each with a fixed random byte.
void addUncompressedReferenceRows()
{
    QTest::newRow("checksum") << testKey << int(Compression::Automatic) << int(Integrity::Checksum)
                              << QByteArray("hunter2") << QByteArray("AwK1Wtk4KgFWMq9Q");
    QTest::newRow("settings key") << CredentialCipher::settingsKey << int(Compression::Automatic)
                                  << int(Integrity::Checksum) << QByteArray("user@example.com")
                                  << QByteArray("AwLhkT2amKNLNxScRfr7yTYkAZ5L");
    QTest::newRow("hash of non-ASCII text")
        << testKey << int(Compression::Never) << int(Integrity::Hash)
        << QStringLiteral("pässwörd ключ 鍵").toUtf8()
        << QByteArray("AwTvIl7ysWbxzKe0WrEJE7m0O5KoQTQB4UTYZrrwIRZRcE84Q3HHDP54t5O1iQ==");
    QTest::newRow("no integrity data") << testKey << int(Compression::Never) << int(Integrity::None)
                                       << QByteArray("plain") << QByteArray("AwAQrWqCjKc=");
}

} // namespace

void CredentialCipherTest::startsWithoutKeyInAutomaticCompressionAndChecksumMode()
{
    CredentialCipher cipher;
    QVERIFY(!cipher.hasKey());
    QVERIFY(cipher.compressionMode() == Compression::Automatic);
    QVERIFY(cipher.integrityMode() == Integrity::Checksum);

    // Zero is a key like any other once it has been set.
    cipher.setKey(0);
    QVERIFY(cipher.hasKey());
    QCOMPARE(cipher.key(), quint64(0));
    QCOMPARE(cipher.decryptText(cipher.encryptText(QStringLiteral("hunter2"))),
             QStringLiteral("hunter2"));
    QCOMPARE(CredentialCipher(testKey).key(), testKey);
}

void CredentialCipherTest::emptyTextEnciphersToNonEmptyTextAndBack()
{
    const CredentialCipher cipher(testKey);
    const QString enciphered = cipher.encryptText(QString());
    QVERIFY(!enciphered.isEmpty());
    const QByteArray bytes = bytesOf(enciphered);
    // Version, flags, random byte and the two checksum bytes.
    QCOMPARE(bytes.size(), 5);
    QCOMPARE(flagsOf(bytes), quint8(0x02));
    QVERIFY(cipher.decryptText(enciphered).isEmpty());
}

void CredentialCipherTest::equalTextsEncipherDifferentlyAndBothDecipher()
{
    const CredentialCipher cipher(testKey);
    const QString text = QStringLiteral("hunter2");
    const QString first = cipher.encryptText(text);
    QString second = cipher.encryptText(text);
    // One random byte: an equal pair has a chance of 1 in 256, so try a few more times.
    for (int attempt = 0; attempt < 64 && second == first; ++attempt)
        second = cipher.encryptText(text);
    QVERIFY(second != first);
    QCOMPARE(cipher.decryptText(first), text);
    QCOMPARE(cipher.decryptText(second), text);

    const QByteArray firstBody = unchained(bytesOf(first), testKey);
    const QByteArray secondBody = unchained(bytesOf(second), testKey);
    QVERIFY(firstBody.at(0) != secondBody.at(0));
    QCOMPARE(firstBody.mid(1), secondBody.mid(1));
}

void CredentialCipherTest::shortCredentialIsNotCompressed()
{
    const CredentialCipher cipher(testKey);
    const QByteArray enciphered = bytesOf(cipher.encryptText(QStringLiteral("hunter2")));
    QCOMPARE(flagsOf(enciphered), quint8(0x02));
    QCOMPARE(unchained(enciphered, testKey).mid(3), QByteArray("hunter2"));
}

void CredentialCipherTest::longRepetitiveTextIsCompressedInAutomaticMode()
{
    const CredentialCipher cipher(testKey);
    const QString text = QStringLiteral("corvalink ").repeated(100);
    const QString enciphered = cipher.encryptText(text);
    QCOMPARE(flagsOf(bytesOf(enciphered)), quint8(0x03));
    QVERIFY(bytesOf(enciphered).size() < text.size());
    QCOMPARE(cipher.decryptText(enciphered), text);
}

void CredentialCipherTest::cipherBytesFollowTheLayout_data()
{
    QTest::addColumn<int>("compression");
    QTest::addColumn<int>("integrity");
    QTest::addColumn<int>("flags");
    QTest::newRow("checksum") << int(Compression::Automatic) << int(Integrity::Checksum) << 0x02;
    QTest::newRow("hash") << int(Compression::Never) << int(Integrity::Hash) << 0x04;
    QTest::newRow("no integrity data") << int(Compression::Never) << int(Integrity::None) << 0x00;
    QTest::newRow("compressed with checksum")
        << int(Compression::Always) << int(Integrity::Checksum) << 0x03;
    QTest::newRow("compressed with hash")
        << int(Compression::Always) << int(Integrity::Hash) << 0x05;
}

void CredentialCipherTest::cipherBytesFollowTheLayout()
{
    QFETCH(int, compression);
    QFETCH(int, integrity);
    QFETCH(int, flags);
    const QByteArray plain("secret");
    const QByteArray payload = (flags & 0x01) ? qCompress(plain, 9) : plain;
    QByteArray check;
    if (Integrity(integrity) == Integrity::Checksum)
        check = bigEndianChecksum(payload);
    else if (Integrity(integrity) == Integrity::Hash)
        check = QCryptographicHash::hash(payload, QCryptographicHash::Sha1);

    const CredentialCipher cipher = keyedCipher(Compression(compression), Integrity(integrity));
    const QByteArray enciphered = cipher.encrypt(plain);
    QCOMPARE(enciphered.size(), 3 + check.size() + payload.size());
    QCOMPARE(quint8(enciphered.at(0)), quint8(3));
    QCOMPARE(flagsOf(enciphered), quint8(flags));
    const QByteArray body = unchained(enciphered, testKey);
    QCOMPARE(body.mid(1), check + payload);
    // The chain starts with the lowest key byte and feeds each result into the next byte.
    QCOMPARE(quint8(enciphered.at(2)), quint8(quint8(body.at(0)) ^ 0xEF));
    QCOMPARE(quint8(enciphered.at(3)),
             quint8(quint8(body.at(1)) ^ 0xCD ^ quint8(enciphered.at(2))));
    QCOMPARE(cipher.decrypt(enciphered), plain);
}

void CredentialCipherTest::checksumIsIso3309BigEndian()
{
    const CredentialCipher cipher(testKey);
    const QByteArray body = unchained(cipher.encrypt(QByteArray("secret")), testKey);
    // The CRC-16 of ISO 3309 over "secret" is 0x1E13, high byte first.
    QCOMPARE(body.mid(1, 2), QByteArray("\x1E\x13", 2));
}

void CredentialCipherTest::encipheringMatchesReferenceBytes_data()
{
    addReferenceColumns();
    addUncompressedReferenceRows();
}

void CredentialCipherTest::encipheringMatchesReferenceBytes()
{
    QFETCH(quint64, key);
    QFETCH(int, compression);
    QFETCH(int, integrity);
    QFETCH(QByteArray, plain);
    QFETCH(QByteArray, reference);
    const CredentialCipher cipher =
        keyedCipher(Compression(compression), Integrity(integrity), key);
    const QByteArray enciphered = cipher.encrypt(plain);
    const QByteArray expected = QByteArray::fromBase64(reference);
    QCOMPARE(enciphered.size(), expected.size());
    QCOMPARE(enciphered.left(2), expected.left(2));
    // Two neighbouring chained bytes differ by plain byte and key byte, whatever the random byte.
    for (int i = 3; i < expected.size(); ++i) {
        QVERIFY2(quint8(enciphered.at(i) ^ enciphered.at(i - 1)) ==
                     quint8(expected.at(i) ^ expected.at(i - 1)),
                 qPrintable(QStringLiteral("byte %1").arg(i)));
    }
}

void CredentialCipherTest::decipheringReferenceTexts_data()
{
    addReferenceColumns();
    addUncompressedReferenceRows();
    QTest::newRow("compressed") << testKey << int(Compression::Automatic)
                                << int(Integrity::Checksum)
                                << QStringLiteral("corvalink ").repeated(20).toUtf8()
                                << QByteArray("AwPTv2bviM0mX2rsiS9ibINLaG6TUiu8s7KNOt9j");
}

void CredentialCipherTest::decipheringReferenceTexts()
{
    QFETCH(quint64, key);
    QFETCH(QByteArray, plain);
    QFETCH(QByteArray, reference);
    // The flags byte, not the modes, decides how a cipher text is read.
    const CredentialCipher cipher = keyedCipher(Compression::Never, Integrity::None, key);
    QCOMPARE(cipher.decrypt(QByteArray::fromBase64(reference)), plain);
    QCOMPARE(cipher.decryptText(QString::fromLatin1(reference)), QString::fromUtf8(plain));
}

void CredentialCipherTest::textFormIsPaddedStandardBase64()
{
    const QRegularExpression base64(
        QStringLiteral("^(?:[A-Za-z0-9+/]{4})*(?:[A-Za-z0-9+/]{2}==|[A-Za-z0-9+/]{3}=)?$"));
    const CredentialCipher cipher(testKey);
    const QString word = QStringLiteral("пароль ");
    for (int length = 0; length <= 21; ++length) {
        const QString text = word.repeated(3).left(length);
        const QString enciphered = cipher.encryptText(text);
        QVERIFY2(base64.match(enciphered).hasMatch(), qPrintable(enciphered));
        QCOMPARE(cipher.decrypt(bytesOf(enciphered)), text.toUtf8());
    }
}

void CredentialCipherTest::roundTripsTextsOfEveryLengthInEveryMode_data()
{
    QTest::addColumn<int>("compression");
    QTest::addColumn<int>("integrity");
    for (Compression compression : compressionModes) {
        for (Integrity integrity : integrityModes) {
            QTest::newRow(qPrintable(modeName(compression, integrity)))
                << int(compression) << int(integrity);
        }
    }
}

void CredentialCipherTest::roundTripsTextsOfEveryLengthInEveryMode()
{
    QFETCH(int, compression);
    QFETCH(int, integrity);
    const CredentialCipher cipher = keyedCipher(Compression(compression), Integrity(integrity));
    QRandomGenerator random(quint32(1 + compression * 3 + integrity));
    for (int length : textLengths()) {
        for (const QString& text : {randomText(random, length), repetitiveText(random, length)}) {
            const QString enciphered = cipher.encryptText(text);
            const QString context = QStringLiteral("length %1").arg(length);
            QVERIFY2(!enciphered.isEmpty(), qPrintable(context));
            QVERIFY2(cipher.decryptText(enciphered) == text, qPrintable(context));

            const QByteArray utf8 = text.toUtf8();
            const quint8 flags = flagsOf(bytesOf(enciphered));
            bool compressed = false;
            if (Compression(compression) == Compression::Always)
                compressed = true;
            else if (Compression(compression) == Compression::Automatic)
                compressed = qCompress(utf8, 9).size() < utf8.size();
            QVERIFY2(bool(flags & 0x01) == compressed, qPrintable(context));
            QVERIFY2(quint8(flags & 0x06) == integrityFlag(Integrity(integrity)),
                     qPrintable(context));
        }
    }
}

void CredentialCipherTest::roundTripsBinaryBytes()
{
    QRandomGenerator random(42);
    for (Compression compression : compressionModes) {
        for (Integrity integrity : integrityModes) {
            const CredentialCipher cipher = keyedCipher(compression, integrity);
            for (int length : textLengths()) {
                const QString context = QStringLiteral("%1, length %2")
                                            .arg(modeName(compression, integrity))
                                            .arg(length);
                const QByteArray noise = randomBytes(random, length);
                QVERIFY2(cipher.decrypt(cipher.encrypt(noise)) == noise, qPrintable(context));
                const QByteArray zeros(length, '\0');
                QVERIFY2(cipher.decrypt(cipher.encrypt(zeros)) == zeros, qPrintable(context));
            }
        }
    }
}

void CredentialCipherTest::changedByteAfterHeaderGivesEmptyResultSilently_data()
{
    QTest::addColumn<int>("compression");
    QTest::addColumn<int>("integrity");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("flags");
    QRandomGenerator random(7);
    const QString shortText = QStringLiteral("hunter2");
    const QString repetitive = QStringLiteral("corvalink ").repeated(100);
    const QString longText = randomText(random, 200);
    QTest::newRow("checksum, short")
        << int(Compression::Automatic) << int(Integrity::Checksum) << shortText << 0x02;
    QTest::newRow("checksum, compressed")
        << int(Compression::Automatic) << int(Integrity::Checksum) << repetitive << 0x03;
    QTest::newRow("checksum, short compressed")
        << int(Compression::Always) << int(Integrity::Checksum) << shortText << 0x03;
    QTest::newRow("checksum, long")
        << int(Compression::Never) << int(Integrity::Checksum) << longText << 0x02;
    QTest::newRow("hash, short") << int(Compression::Automatic) << int(Integrity::Hash) << shortText
                                 << 0x04;
    QTest::newRow("hash, compressed")
        << int(Compression::Automatic) << int(Integrity::Hash) << repetitive << 0x05;
    QTest::newRow("hash, long") << int(Compression::Never) << int(Integrity::Hash) << longText
                                << 0x04;
}

void CredentialCipherTest::changedByteAfterHeaderGivesEmptyResultSilently()
{
    QFETCH(int, compression);
    QFETCH(int, integrity);
    QFETCH(QString, text);
    QFETCH(int, flags);
    const CredentialCipher cipher = keyedCipher(Compression(compression), Integrity(integrity));
    const QByteArray plain = text.toUtf8();
    const QByteArray enciphered = cipher.encrypt(plain);
    QCOMPARE(flagsOf(enciphered), quint8(flags));
    QCOMPARE(cipher.decrypt(enciphered), plain);

    const LogCapture log;
    for (int position = 2; position < enciphered.size(); ++position) {
        for (int change = 1; change <= 0xFF; ++change) {
            QByteArray damaged = enciphered;
            damaged[position] = char(quint8(damaged.at(position)) ^ change);
            if (!cipher.decrypt(damaged).isEmpty()) {
                QFAIL(qPrintable(QStringLiteral("byte %1 changed by %2 went unnoticed")
                                     .arg(position)
                                     .arg(change)));
            }
        }
    }
    QVERIFY2(log.messages().isEmpty(), qPrintable(log.messages().join(QLatin1Char('\n'))));
}

void CredentialCipherTest::checksumFlagTakesPrecedenceOverHashFlag()
{
    CredentialCipher cipher(testKey);
    QByteArray withChecksum = cipher.encrypt(QByteArray("hunter2"));
    withChecksum[1] = char(0x06);
    QCOMPARE(cipher.decrypt(withChecksum), QByteArray("hunter2"));

    cipher.setIntegrityMode(Integrity::Hash);
    QByteArray withHash = cipher.encrypt(QByteArray("hunter2"));
    withHash[1] = char(0x06);
    QVERIFY(cipher.decrypt(withHash).isEmpty());
}

void CredentialCipherTest::otherKeyDeciphersToEmptyResult()
{
    const CredentialCipher first(testKey);
    const CredentialCipher second(CredentialCipher::settingsKey);
    const LogCapture log;
    for (const QString& text : {QStringLiteral("hunter2"), QStringLiteral("user@example.com")}) {
        QCOMPARE(first.decryptText(first.encryptText(text)), text);
        QVERIFY(second.decryptText(first.encryptText(text)).isEmpty());
        QVERIFY(first.decryptText(second.encryptText(text)).isEmpty());
    }
    QVERIFY2(log.messages().isEmpty(), qPrintable(log.messages().join(QLatin1Char('\n'))));
}

void CredentialCipherTest::wrongVersionGivesEmptyResultWithWarning()
{
    const CredentialCipher cipher(testKey);
    QByteArray enciphered = cipher.encrypt(QByteArray("hunter2"));
    enciphered[0] = char(2);
    QTest::ignoreMessage(QtWarningMsg, versionWarning);
    QVERIFY(cipher.decrypt(enciphered).isEmpty());
    QTest::ignoreMessage(QtWarningMsg, versionWarning);
    QVERIFY(cipher.decryptText(QString::fromLatin1(enciphered.toBase64())).isEmpty());
    QTest::ignoreMessage(QtWarningMsg, versionWarning);
    QVERIFY(cipher.decrypt(QByteArray("not a cipher text")).isEmpty());
}

void CredentialCipherTest::missingKeyGivesEmptyResultsWithWarning()
{
    const CredentialCipher cipher;
    const QString stored = CredentialCipher(testKey).encryptText(QStringLiteral("hunter2"));
    QTest::ignoreMessage(QtWarningMsg, noKeyWarning);
    QVERIFY(cipher.encrypt(QByteArray("hunter2")).isEmpty());
    QTest::ignoreMessage(QtWarningMsg, noKeyWarning);
    QVERIFY(cipher.decrypt(bytesOf(stored)).isEmpty());
    QTest::ignoreMessage(QtWarningMsg, noKeyWarning);
    QVERIFY(cipher.encryptText(QStringLiteral("hunter2")).isEmpty());
    QTest::ignoreMessage(QtWarningMsg, noKeyWarning);
    QVERIFY(cipher.decryptText(stored).isEmpty());
    // The key is asked for before the input is looked at.
    QTest::ignoreMessage(QtWarningMsg, noKeyWarning);
    QVERIFY(cipher.decrypt(QByteArray()).isEmpty());
}

void CredentialCipherTest::oversizedInflationClaimGivesEmptyResultWithWarning()
{
    // A few bytes that claim 2 GiB once inflated: nothing is set aside for them.
    const CredentialCipher writer = keyedCipher(Compression::Never, Integrity::None);
    QByteArray claim("\x7f\x00\x00\x00", 4);
    claim += qCompress(QByteArrayLiteral("hunter2")).mid(4);
    QByteArray sealed = writer.encrypt(claim);
    sealed[1] = char(0x01);
    const LogCapture log;
    QVERIFY(writer.decrypt(sealed).isEmpty());
    QVERIFY(log.contains(
        QStringLiteral("CredentialCipher: Compressed payload claims 2130706432 bytes, refused.")));
}

void CredentialCipherTest::shortInputGivesEmptyResultSilently()
{
    const CredentialCipher cipher(testKey);
    QByteArray hashTooShort("\x03\x04", 2);
    hashTooShort.append(QByteArray(20, '\0'));
    const LogCapture log;
    QVERIFY(cipher.decrypt(QByteArray()).isEmpty());
    QVERIFY(cipher.decrypt(QByteArray("\x03", 1)).isEmpty());
    QVERIFY(cipher.decrypt(QByteArray("\x03\x02", 2)).isEmpty());
    // Too short for the checksum or the digest that the flags announce.
    QVERIFY(cipher.decrypt(QByteArray("\x03\x02\x00", 3)).isEmpty());
    QVERIFY(cipher.decrypt(QByteArray("\x03\x02\x00\x00", 4)).isEmpty());
    QVERIFY(cipher.decrypt(hashTooShort).isEmpty());
    // What the settings store reads for a credential it never wrote.
    QVERIFY(cipher.decryptText(QString()).isEmpty());
    QVERIFY2(log.messages().isEmpty(), qPrintable(log.messages().join(QLatin1Char('\n'))));
}
