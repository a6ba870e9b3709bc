#include "sockettable.h"

#include <QList>

#include <cstring>

namespace {

const int ipv4HexLength = 8;
const int ipv6HexLength = 32;
const int uidField = 7;
const int inodeField = 9;

// The kernel prints each 32-bit word of the address as the number it is in this machine's memory.
bool parseAddress(const QByteArray& hex, QHostAddress* address)
{
    if (hex.size() != ipv4HexLength && hex.size() != ipv6HexLength)
        return false;
    quint8 bytes[16] = {};
    for (int word = 0; word < hex.size() / ipv4HexLength; ++word) {
        bool ok = false;
        const quint32 value = hex.mid(word * ipv4HexLength, ipv4HexLength).toUInt(&ok, 16);
        if (!ok)
            return false;
        std::memcpy(bytes + word * 4, &value, 4);
    }
    if (hex.size() == ipv4HexLength)
        address->setAddress(quint32(bytes[0]) << 24 | quint32(bytes[1]) << 16 |
                            quint32(bytes[2]) << 8 | quint32(bytes[3]));
    else
        address->setAddress(bytes);
    return true;
}

bool parseEndpoint(const QByteArray& text, QHostAddress* address, quint16* port)
{
    const QList<QByteArray> parts = text.split(':');
    if (parts.size() != 2 || parts.at(1).size() != 4)
        return false;
    bool ok = false;
    *port = parts.at(1).toUShort(&ok, 16);
    return ok && parseAddress(parts.at(0), address);
}

bool parseRow(const QByteArray& line, SocketTable::Row* row)
{
    const QList<QByteArray> fields = line.simplified().split(' ');
    if (fields.size() <= inodeField || !fields.first().endsWith(':'))
        return false;
    if (!parseEndpoint(fields.at(1), &row->localAddress, &row->localPort) ||
        !parseEndpoint(fields.at(2), &row->remoteAddress, &row->remotePort))
        return false;
    bool stateOk = false;
    bool uidOk = false;
    bool inodeOk = false;
    row->state = fields.at(3).toInt(&stateOk, 16);
    row->uid = fields.at(uidField).toLongLong(&uidOk);
    row->inode = fields.at(inodeField).toULongLong(&inodeOk);
    return stateOk && uidOk && inodeOk && row->uid >= 0;
}

} // namespace

QVector<SocketTable::Row> SocketTable::parse(const QByteArray& text)
{
    QVector<Row> rows;
    for (const QByteArray& line : text.split('\n')) {
        Row row;
        if (parseRow(line, &row))
            rows.append(row);
    }
    return rows;
}

qint64 SocketTable::peerOwner(const QVector<Row>& rows, const QHostAddress& ourAddress,
                              quint16 ourPort, const QHostAddress& peerAddress, quint16 peerPort)
{
    const QHostAddress us = plainAddress(ourAddress);
    const QHostAddress them = plainAddress(peerAddress);
    qint64 owner = -1;
    int found = 0;
    for (const Row& row : rows) {
        if (row.state == Listen || row.inode == 0 || row.localPort != peerPort ||
            row.remotePort != ourPort || plainAddress(row.localAddress) != them ||
            plainAddress(row.remoteAddress) != us)
            continue;
        owner = row.uid;
        ++found;
    }
    return found == 1 ? owner : -1;
}

qint64 SocketTable::listeningOwner(const QVector<Row>& rows, const QHostAddress& address,
                                   quint16 port)
{
    qint64 owner = -1;
    const QHostAddress wanted = plainAddress(address);
    for (const Row& row : rows) {
        const QHostAddress local = plainAddress(row.localAddress);
        const bool here =
            local == wanted || local == QHostAddress::AnyIPv4 || local == QHostAddress::AnyIPv6;
        if (row.state != Listen || row.inode == 0 || row.localPort != port || !here)
            continue;
        if (owner >= 0 && owner != row.uid)
            return -1;
        owner = row.uid;
    }
    return owner;
}

QSet<quint64> SocketTable::listeningInodes(const QVector<Row>& rows, const QHostAddress& address,
                                           quint16 port)
{
    QSet<quint64> inodes;
    const QHostAddress wanted = plainAddress(address);
    for (const Row& row : rows) {
        if (row.state == Listen && row.inode != 0 && row.localPort == port &&
            plainAddress(row.localAddress) == wanted)
            inodes.insert(row.inode);
    }
    return inodes;
}

quint64 SocketTable::socketInode(const QByteArray& linkTarget)
{
    static const QByteArray prefix("socket:[");
    if (!linkTarget.startsWith(prefix) || !linkTarget.endsWith(']'))
        return 0;
    bool ok = false;
    const quint64 inode =
        linkTarget.mid(prefix.size(), linkTarget.size() - prefix.size() - 1).toULongLong(&ok);
    return ok ? inode : 0;
}

QHostAddress SocketTable::plainAddress(const QHostAddress& address)
{
    if (address.protocol() != QAbstractSocket::IPv6Protocol)
        return address;
    const Q_IPV6ADDR bytes = address.toIPv6Address();
    for (int i = 0; i < 10; ++i) {
        if (bytes[i] != 0)
            return address;
    }
    if (bytes[10] != 0xff || bytes[11] != 0xff)
        return address;
    return QHostAddress(quint32(bytes[12]) << 24 | quint32(bytes[13]) << 16 |
                        quint32(bytes[14]) << 8 | quint32(bytes[15]));
}
