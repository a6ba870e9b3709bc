#pragma once

#include <QByteArray>
#include <QString>

// OpenVPN runs as root and obeys its configuration: a line such as "up", "plugin" or "ca FILE"
// would run a program or read a file for whoever wrote it. Only the directives the client's own
// templates and added lines use pass, with inline <ca> and <tls-crypt> blocks.
class OpenVpnConfigCheck
{
public:
    // Empty when the whole text is allowed; otherwise the first reason, with its line number.
    // When allowed, *checked is the text rebuilt from the checked lines alone, for OpenVPN.
    static QString problem(const QByteArray& text, QByteArray* checked = nullptr);

    static constexpr int maxBytes = 1024 * 1024;
    // OpenVPN's line buffer, its line end included.
    static constexpr int maxLineBytes = 256;
};
