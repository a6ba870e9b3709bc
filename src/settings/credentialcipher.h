#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Obscures the stored account credentials: an XOR chain over the eight bytes of a 64-bit key,
// behind a version byte and a flags byte, with one random byte in front so that equal inputs
// encipher differently, optional compression and a checksum or hash. Not a strong cipher.
// Every failure gives an empty result, and so does a compressed payload that claims more than
// 1 MiB.
class CredentialCipher
{
public:
    enum class CompressionMode
    {
        Automatic = 0, // compress only when that makes the payload shorter
        Always = 1,
        Never = 2
    };

    enum class IntegrityMode
    {
        None = 0,
        Checksum = 1,
        Hash = 2
    };

    // The key of the settings store. Any constant would do, but it must never change: texts
    // stored under one key decipher to empty strings under another. Its eight bytes are distinct
    // and none is zero, so every position of the chain is mixed with key material.
    static constexpr quint64 settingsKey = Q_UINT64_C(0x3C9A5E71D2B8F046);

    CredentialCipher() = default;
    explicit CredentialCipher(quint64 key);

    void setKey(quint64 key);
    quint64 key() const { return m_key; }
    bool hasKey() const { return !m_keyParts.isEmpty(); }

    CompressionMode compressionMode() const { return m_compressionMode; }
    void setCompressionMode(CompressionMode mode) { m_compressionMode = mode; }
    IntegrityMode integrityMode() const { return m_integrityMode; }
    void setIntegrityMode(IntegrityMode mode) { m_integrityMode = mode; }

    QByteArray encrypt(const QByteArray& plain) const;
    QByteArray decrypt(const QByteArray& cipher) const;
    // The text form: Base64 of the enciphered UTF-8 bytes.
    QString encryptText(const QString& text) const;
    QString decryptText(const QString& text) const;

private:
    quint64 m_key = 0;
    QByteArray m_keyParts;
    CompressionMode m_compressionMode = CompressionMode::Automatic;
    IntegrityMode m_integrityMode = IntegrityMode::Checksum;
};
