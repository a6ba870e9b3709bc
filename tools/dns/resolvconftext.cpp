#include "resolvconftext.h"

#include "addresstext.h"
#include "dnsentry.h"

#include <QFile>
#include <QList>

namespace {

const char blockBegin[] = "# corvalink: tunnel DNS begin";
const char blockEnd[] = "# corvalink: tunnel DNS end";
const int maxBytes = 64 * 1024;

bool isNameserverLine(const QByteArray& line)
{
    const QList<QByteArray> words = line.simplified().split(' ');
    return words.first() == "nameserver";
}

// The lines outside our block; a dropped line is one that "drop" says so of.
template <typename Drop> QByteArray otherLines(const QByteArray& current, Drop drop)
{
    QByteArray result;
    bool inBlock = false;
    const QList<QByteArray> lines = current.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray& line = lines.at(i);
        if (line == blockBegin || line == blockEnd) {
            inBlock = line == blockBegin;
            continue;
        }
        if (inBlock || drop(line) || (i == lines.size() - 1 && line.isEmpty()))
            continue;
        result += line + '\n';
    }
    return result;
}

// mountinfo writes a space, tab, newline or backslash of a path as a backslash and three octal
// digits.
QByteArray unescaped(const QByteArray& field)
{
    const auto isOctal = [&](int i) { return field.at(i) >= '0' && field.at(i) <= '7'; };
    QByteArray result;
    for (int i = 0; i < field.size(); ++i) {
        if (field.at(i) == '\\' && i + 3 < field.size() && isOctal(i + 1) && isOctal(i + 2) &&
            isOctal(i + 3)) {
            result += char(field.mid(i + 1, 3).toInt(nullptr, 8));
            i += 3;
        } else {
            result += field.at(i);
        }
    }
    return result;
}

} // namespace

QByteArray ResolvConfText::withServers(const QByteArray& current, const QStringList& servers)
{
    QByteArray block = QByteArray(blockBegin) + '\n';
    for (const QString& server : servers)
        block += "nameserver " + DnsEntry::bareAddress(server).toLatin1() + '\n';
    block += QByteArray(blockEnd) + '\n';
    return block + otherLines(current, isNameserverLine);
}

QByteArray ResolvConfText::withoutTunnelServers(const QByteArray& current)
{
    return otherLines(current, [](const QByteArray& line) {
        const QList<QByteArray> words = line.simplified().split(' ');
        return words.size() >= 2 && words.first() == "nameserver" &&
               (words.at(1) == "172.16.0.1" || words.at(1) == "fd00:dead:beef:cafe::1");
    });
}

bool ResolvConfText::isAcceptable(const QByteArray& text)
{
    if (text.size() > maxBytes)
        return false;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\t') || c == 0x7f)
            return false;
    }
    const QList<QByteArray> lines = text.split('\n');
    for (const QByteArray& line : lines) {
        const QList<QByteArray> words = line.simplified().split(' ');
        if (words.first() != "nameserver")
            continue;
        if (words.size() < 2 || DnsEntry::serverFamily(QString::fromLatin1(words.at(1))) == 0 ||
            DnsEntry::bareAddress(QString::fromLatin1(words.at(1))) !=
                QString::fromLatin1(words.at(1)))
            return false;
    }
    return true;
}

bool ResolvConfText::isMountPoint(const QByteArray& mountinfo, const QString& path)
{
    const QByteArray wanted = QFile::encodeName(path);
    const QList<QByteArray> lines = mountinfo.split('\n');
    for (const QByteArray& line : lines) {
        const QList<QByteArray> fields = line.split(' ');
        // Field 5 is the mount point.
        if (fields.size() > 4 && unescaped(fields.at(4)) == wanted)
            return true;
    }
    return false;
}

QString ResolvConfText::inPlacePath(const QByteArray& mountinfo, const QString& path,
                                    const QString& linkTarget)
{
    if (isMountPoint(mountinfo, path))
        return path;
    if (!linkTarget.isEmpty() && isMountPoint(mountinfo, linkTarget))
        return linkTarget;
    return {};
}
