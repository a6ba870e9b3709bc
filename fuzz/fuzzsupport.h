#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A broken invariant is a finding: abort so that libFuzzer saves the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #condition, __FILE__,          \
                         __LINE__);                                                                \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

namespace fuzz {

inline QByteArray bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), int(size));
}

// A command line as the tools get it: elements separated by NUL, as in /proc/PID/cmdline. Qt
// decodes arguments from the locale, UTF-8 here.
inline QStringList arguments(const uint8_t* data, size_t size)
{
    QStringList list;
    if (size == 0)
        return list;
    for (const QByteArray& element : bytes(data, size).split('\0'))
        list << QString::fromUtf8(element);
    return list;
}

inline bool hasControlCharacter(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return true;
    }
    return false;
}

} // namespace fuzz
