#pragma once

#include "servicelab.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <sys/types.h>

class QProcess;

// Two members of the service's group ("a" and "b", real accounts with homes of their own) and the
// real service with the real kill switch, DNS and network tools, in a network namespace of its
// own over a copy of /etc, with 1024 descriptors. The host's firewall, IPv6 switches and
// /etc/resolv.conf are never touched. Everything made is removed when the lab goes.
class SecurityLab
{
public:
    SecurityLab();
    ~SecurityLab();
    SecurityLab(const SecurityLab&) = delete;
    SecurityLab& operator=(const SecurityLab&) = delete;

    static constexpr int graceSeconds = 2;

    bool setUp(QString* error);
    // Stops the service and starts it again over the same run folder.
    bool restartService();
    ServiceLab& service() { return m_service; }

    // "a", "b", "nobody" or "root".
    uid_t uidOf(const QString& user) const;
    QString homeOf(const QString& user) const;
    // The probe run as that user in the namespace; its output.
    QString probe(const QString& user, const QStringList& arguments) const;
    // The same, left running, with that many descriptors when given; the caller owns the process.
    QProcess* startProbe(const QString& user, const QStringList& arguments,
                         int descriptors = 0) const;
    // A process of that user that stays until killed: the user is logged in.
    QProcess* startSession(const QString& user) const;
    // A command run in the namespace as root; its output.
    QString run(const QStringList& command) const;

    // The start frame for a tool and its arguments.
    QString frame(const QString& tool, const QStringList& arguments) const;
    // A file the user owns in its home.
    QString writeUserFile(const QString& user, const QString& name, const QByteArray& text) const;

    // The namespace's /etc/resolv.conf: written back as the lab made it, and its content.
    bool writeResolvConf() const;
    static QByteArray originalResolvConfText();
    QByteArray resolvConf() const;
    bool resolvConfIsLink() const;
    bool hasKillSwitchTable() const;
    QString ipv6Disabled() const;

private:
    QStringList asUser(const QString& user) const;
    // Into the namespace, with 1024 descriptors, over the copy of /etc.
    QStringList launcher() const;
    void removeAccounts() const;
    bool moveRootsHome(const QString& passwd) const;

    QTemporaryDir m_folder{QStringLiteral("/tmp/cvsec-XXXXXX")};
    QString m_namespace;
    ServiceLab m_service;
    bool m_accounts = false;
};
