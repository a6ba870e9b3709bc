// The stored account credentials as the settings hand them to CredentialCipher: the text form
// (decryptText) and the raw form (decrypt) under the settings key. What the cipher writes
// itself, in any of its modes, must read back unchanged.
#include "clientsupport.h"
#include "settings/credentialcipher.h"

using Compression = CredentialCipher::CompressionMode;
using Integrity = CredentialCipher::IntegrityMode;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::startClient();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    const CredentialCipher settings(CredentialCipher::settingsKey);
    settings.decrypt(input);
    // The settings file holds the text form; QSettings hands any string to it.
    settings.decryptText(QString::fromUtf8(input.constData(), input.size()));
    settings.decryptText(QString::fromLatin1(input.constData(), input.size()));

    if (size == 0)
        return 0;
    CredentialCipher cipher(CredentialCipher::settingsKey);
    cipher.setCompressionMode(Compression(data[0] % 3));
    cipher.setIntegrityMode(Integrity(data[0] / 3 % 3));
    const QByteArray plain = input.mid(1);
    const QByteArray sealed = cipher.encrypt(plain);
    FUZZ_CHECK(!sealed.isEmpty());
    FUZZ_CHECK(cipher.decrypt(sealed) == plain);
    // The modes are the writer's: the flags tell the reader.
    FUZZ_CHECK(settings.decrypt(sealed) == plain);
    const QString text = QString::fromUtf8(plain.constData(), plain.size());
    FUZZ_CHECK(settings.decryptText(cipher.encryptText(text)) == text);
    return 0;
}
