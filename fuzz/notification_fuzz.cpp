// The service's notifications to the client ("started:", "finished:" with id, code, request and
// name) as ServiceController takes them from a WebSocket text frame and ServiceProcess reads
// them (parseNotification).
#include "clientsupport.h"
#include "service/serviceprocess.h"

using Notification = ServiceProcess::Notification;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::startClient();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A frame ends with its line end, which the controller cuts off.
    const QString frame = QString::fromUtf8(reinterpret_cast<const char*>(data), int(size));
    const QString text = frame.left(frame.size() - 1);
    if (text.isEmpty())
        return 0;
    const Notification notification = ServiceProcess::parseNotification(text);

    if (notification.kind == Notification::None) {
        FUZZ_CHECK(!text.startsWith(QLatin1String("started:")) &&
                   !text.startsWith(QLatin1String("finished:")));
        FUZZ_CHECK(notification.id == 0 && notification.request == 0 && notification.code == 0);
        FUZZ_CHECK(notification.name.isEmpty());
        return 0;
    }
    FUZZ_CHECK(notification.kind == Notification::Started ||
               text.startsWith(QLatin1String("finished:")));
    // Only an answer to a start names its request.
    FUZZ_CHECK(notification.kind == Notification::Started || notification.request == 0);
    // A code that cannot be read must not pass for success.
    FUZZ_CHECK(notification.code >= -1);
    return 0;
}
