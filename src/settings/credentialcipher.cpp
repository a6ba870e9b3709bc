#include "credentialcipher.h"

#include "app/logger.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QtEndian>

namespace {

const char version = 3;
const int keyPartCount = 8;
const int checksumSize = 2;
const int hashSize = 20;
const int compressionLevel = 9;
// Far beyond any user name or password. qUncompress sets aside what the payload claims, up to
// 2 GiB, before it reads a byte.
const quint32 maxPlainSize = 1024 * 1024;

enum Flag : quint8
{
    Compressed = 0x01,
    ChecksumPresent = 0x02,
    HashPresent = 0x04
};

QString source()
{
    return QStringLiteral("CredentialCipher");
}

quint16 checksumOf(const QByteArray& data)
{
    return qChecksum(data.constData(), uint(data.size()), Qt::ChecksumIso3309);
}

QByteArray sha1Of(const QByteArray& data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Sha1);
}

} // namespace

CredentialCipher::CredentialCipher(quint64 key)
{
    setKey(key);
}

void CredentialCipher::setKey(quint64 key)
{
    m_key = key;
    m_keyParts.resize(keyPartCount);
    for (int i = 0; i < keyPartCount; ++i)
        m_keyParts[i] = char((key >> (8 * i)) & 0xFF);
}

QByteArray CredentialCipher::encrypt(const QByteArray& plain) const
{
    if (!hasKey()) {
        Logger::warning(source(), QStringLiteral("No key set."));
        return QByteArray();
    }

    quint8 flags = 0;
    QByteArray payload = plain;
    if (m_compressionMode == CompressionMode::Always) {
        payload = qCompress(plain, compressionLevel);
        flags |= Compressed;
    } else if (m_compressionMode == CompressionMode::Automatic) {
        const QByteArray compressed = qCompress(plain, compressionLevel);
        if (compressed.size() < plain.size()) {
            payload = compressed;
            flags |= Compressed;
        }
    }

    // The check covers the payload as stored, so it is verified before decompressing.
    QByteArray integrity;
    if (m_integrityMode == IntegrityMode::Checksum) {
        flags |= ChecksumPresent;
        const quint16 checksum = checksumOf(payload);
        integrity.append(char(checksum >> 8));
        integrity.append(char(checksum & 0xFF));
    } else if (m_integrityMode == IntegrityMode::Hash) {
        flags |= HashPresent;
        integrity = sha1Of(payload);
    }

    // The process-wide generator is seeded by the system, so nothing needs seeding here.
    QByteArray body;
    body.reserve(1 + integrity.size() + payload.size());
    body.append(char(QRandomGenerator::global()->generate() & 0xFF));
    body.append(integrity);
    body.append(payload);

    char last = 0;
    for (int i = 0; i < body.size(); ++i) {
        body[i] = char(body.at(i) ^ m_keyParts.at(i % keyPartCount) ^ last);
        last = body.at(i);
    }

    QByteArray result;
    result.reserve(2 + body.size());
    result.append(version);
    result.append(char(flags));
    result.append(body);
    return result;
}

QByteArray CredentialCipher::decrypt(const QByteArray& cipher) const
{
    if (!hasKey()) {
        Logger::warning(source(), QStringLiteral("No key set."));
        return QByteArray();
    }
    if (cipher.size() < 3)
        return QByteArray();
    if (cipher.at(0) != version) {
        Logger::warning(source(), QStringLiteral("Invalid version or not a cyphertext."));
        return QByteArray();
    }

    const quint8 flags = quint8(cipher.at(1));
    QByteArray body = cipher.mid(2);
    char last = 0;
    for (int i = 0; i < body.size(); ++i) {
        const char current = body.at(i);
        body[i] = char(current ^ last ^ m_keyParts.at(i % keyPartCount));
        last = current;
    }
    body.remove(0, 1);

    // A failed check stays silent: a damaged or foreign credential simply loads as empty.
    if (flags & ChecksumPresent) {
        if (body.size() < checksumSize)
            return QByteArray();
        const quint16 stored = quint16((quint8(body.at(0)) << 8) | quint8(body.at(1)));
        body.remove(0, checksumSize);
        if (checksumOf(body) != stored)
            return QByteArray();
    } else if (flags & HashPresent) {
        if (body.size() < hashSize)
            return QByteArray();
        const QByteArray stored = body.left(hashSize);
        body.remove(0, hashSize);
        if (sha1Of(body) != stored)
            return QByteArray();
    }

    if (flags & Compressed) {
        if (body.size() >= 4) {
            const quint32 claimed = qFromBigEndian<quint32>(body.constData());
            if (claimed > maxPlainSize) {
                Logger::warning(source(), QStringLiteral("Compressed payload claims %1 bytes, "
                                                         "refused.")
                                              .arg(claimed));
                return QByteArray();
            }
        }
        return qUncompress(body);
    }
    return body;
}

QString CredentialCipher::encryptText(const QString& text) const
{
    return QString::fromLatin1(encrypt(text.toUtf8()).toBase64());
}

QString CredentialCipher::decryptText(const QString& text) const
{
    // The sized form keeps embedded NUL characters, which the QByteArray overload cuts off.
    const QByteArray plain = decrypt(QByteArray::fromBase64(text.toLatin1()));
    return QString::fromUtf8(plain.constData(), plain.size());
}
