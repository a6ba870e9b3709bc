#include "wholefile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

bool WholeFile::replace(int folder, const QByteArray& name, const QByteArray& data)
{
    const QByteArray temporary = name + ".new";
    ::unlinkat(folder, temporary.constData(), 0);
    const int fd = ::openat(folder, temporary.constData(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    bool ok = fd >= 0 && ::write(fd, data.constData(), size_t(data.size())) == data.size() &&
              ::fsync(fd) == 0;
    if (fd >= 0)
        ::close(fd);
    ok = ok && ::renameat(folder, temporary.constData(), folder, name.constData()) == 0;
    if (!ok) {
        // The caller reports why it failed, not why the clean-up did.
        const int error = errno;
        ::unlinkat(folder, temporary.constData(), 0);
        errno = error;
    }
    return ok;
}
