// The backend's JSON replies through NetworkApi's handler of a finished request; the first byte
// picks the request (even the geo-IP reply, odd the account reply), the rest is the body.
#include "clientsupport.h"
#include "networkreply.h"

namespace {

NetworkApi* api = nullptr;
int geoIps = 0;
int accounts = 0;
int others = 0;
QString ip;
QString countryCode;
Account account;

} // namespace

// Qt's JSON parser leaks the value of a key given twice (lsan.supp); the suppression matches only
// with full malloc stacks. scripts/fuzz.sh asks for them for the tools' JSON target alone.
extern "C" const char* __asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::startClient();
    api = new NetworkApi;
    QObject::connect(api, &NetworkApi::requestCurrentIpAddressFinished,
                     [](const QString& address, const QString& code) {
                         ++geoIps;
                         ip = address;
                         countryCode = code;
                     });
    QObject::connect(api, &NetworkApi::apiRequestAccountFinished, [](const Account& answer) {
        ++accounts;
        account = answer;
    });
    QObject::connect(api, &NetworkApi::requestServerListFinished, [] { ++others; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const bool accountReply = data[0] & 1;
    const QByteArray body = fuzz::bytes(data + 1, size - 1);
    geoIps = accounts = others = 0;
    fuzz::finishRequest(
        api, accountReply ? api->accountUrl(QStringLiteral("alice")) : api->geoIpUrl(), body);

    // Every request ends in its one answer.
    FUZZ_CHECK(others == 0);
    if (!accountReply) {
        FUZZ_CHECK(geoIps == 1 && accounts == 0);
        FUZZ_CHECK(api->ip() == ip && api->countryCode() == countryCode);
        return 0;
    }
    FUZZ_CHECK(accounts == 1 && geoIps == 0);
    // The servers' key is the built-in one, whatever the reply says; a reply that cannot be read
    // gives the empty account.
    FUZZ_CHECK(account.wgPublicKey == Account::builtInWireGuardPublicKey() ||
               (account.id == 0 && account.username.isEmpty() && account.wgPrivateKey.isEmpty()));
    return 0;
}
