#pragma once

#include <QString>
#include <QtGlobal>

// The traffic text of a report line: a number, a space and a binary unit ("2.0 MiB", "512 B"),
// the form the client reads back.
class ByteCountText
{
public:
    static QString format(quint64 count);
};
