#include "platform/networkwatch.h"

#include <QSocketNotifier>

#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>
#include <unistd.h>

NetworkWatch::NetworkWatch(QObject* parent) : QObject(parent)
{
    m_socket = ::socket(AF_NETLINK, SOCK_RAW | SOCK_NONBLOCK | SOCK_CLOEXEC, NETLINK_ROUTE);
    if (m_socket < 0)
        return;
    sockaddr_nl address{};
    address.nl_family = AF_NETLINK;
    address.nl_groups = RTMGRP_LINK | RTMGRP_IPV4_IFADDR | RTMGRP_IPV4_ROUTE | RTMGRP_IPV6_IFADDR |
                        RTMGRP_IPV6_ROUTE;
    if (::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(m_socket);
        m_socket = -1;
        return;
    }
    m_notifier = new QSocketNotifier(m_socket, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &NetworkWatch::drain);
}

NetworkWatch::~NetworkWatch()
{
    delete m_notifier;
    if (m_socket >= 0)
        ::close(m_socket);
}

void NetworkWatch::drain()
{
    // What changed is looked up afresh by whoever listens: the messages only wake them.
    char buffer[8192];
    bool any = false;
    while (::recv(m_socket, buffer, sizeof buffer, 0) > 0)
        any = true;
    if (any)
        emit changed();
}
