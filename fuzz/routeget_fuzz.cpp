// The route to an address as "ip -4 -j route get ADDRESS" prints it (Platform::parseRouteGet).
#include "clientsupport.h"
#include "platform/platform.h"

// Qt's JSON parser leaks the value of a key given twice (lsan.supp); the suppression matches only
// with full malloc stacks. scripts/fuzz.sh asks for them for the tools' JSON target alone.
extern "C" const char* __asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::startClient();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Platform::RouteFacts route = Platform::parseRouteGet(fuzz::bytes(data, size));
    // A route leads somewhere only through a device.
    FUZZ_CHECK(!route.found || !route.device.isEmpty());
    return 0;
}
