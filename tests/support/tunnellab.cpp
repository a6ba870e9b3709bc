#include "tunnellab.h"

#include "utils/utils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TunnelLab::TunnelLab()
{
    Utils::setApplicationDirectoryForTesting(m_folder.path());
}

TunnelLab::~TunnelLab()
{
    Utils::setApplicationDirectoryForTesting(QString());
}

bool TunnelLab::link(const QString& relativePath, const QString& target)
{
    if (target.isEmpty() || !QFileInfo::exists(target))
        return false;
    const QString path = m_folder.filePath(relativePath);
    QDir().mkpath(QFileInfo(path).path());
    QFile::remove(path);
    return QFile::link(target, path);
}

bool TunnelLab::linkOpenVpn(const QString& target)
{
    return link(QStringLiteral("openvpn/bin/openvpn"), target);
}

bool TunnelLab::linkStunnel(const QString& target)
{
    return link(QStringLiteral("stunnel/bin/stunnel"), target);
}

bool TunnelLab::linkNetworkTool(const QString& target)
{
    return link(QStringLiteral("network-tool"), target);
}

QString TunnelLab::fakeOpenVpn()
{
    return qEnvironmentVariable("CORVALINK_FAKE_OPENVPN");
}

QString TunnelLab::fakeStunnel()
{
    return qEnvironmentVariable("CORVALINK_FAKE_STUNNEL");
}

bool TunnelLab::linkWireGuard(const QString& target)
{
    return link(QStringLiteral("wireguard/bin/wireguard-service"), target);
}

QString TunnelLab::fakeWireGuard()
{
    return qEnvironmentVariable("CORVALINK_FAKE_WIREGUARD");
}

QString TunnelLab::gated(const QString& name, const QString& target, const QString& gate)
{
    const QString program = m_folder.filePath(QStringLiteral("gated/") + name);
    if (!link(QStringLiteral("gated/") + name, target))
        return {};
    const QString path = program + QStringLiteral(".sh");
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly))
        return {};
    script.write(
        QStringLiteral("#!/bin/sh\nwhile [ ! -e '%1' ]; do sleep 0.05; done\nexec '%2' \"$@\"\n")
            .arg(gate, program)
            .toUtf8());
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeOwner | QFile::ExeGroup |
                          QFile::ExeOther);
    return path;
}
