#pragma once

#include <QString>
#include <QTemporaryDir>

// An application folder for a test: the tunnel programs the client looks for beside itself,
// linked to the fakes or to the real programs, and the test seam pointed at it.
class TunnelLab
{
public:
    TunnelLab();
    ~TunnelLab();

    bool isValid() const { return m_folder.isValid(); }
    QString path() const { return m_folder.path(); }
    bool linkOpenVpn(const QString& target);
    bool linkStunnel(const QString& target);
    bool linkNetworkTool(const QString& target);
    bool linkWireGuard(const QString& target);
    // Any other program the client looks for beside itself, by its path in the folder.
    bool linkProgram(const QString& relativePath, const QString& target)
    {
        return link(relativePath, target);
    }

    // A script in the folder that waits until the file gate exists and then becomes target under
    // the program name name (the client looks for its programs by name), so that a test can act
    // before the program does.
    QString gated(const QString& name, const QString& target, const QString& gate);

    static QString fakeOpenVpn();
    static QString fakeStunnel();
    static QString fakeWireGuard();

private:
    bool link(const QString& relativePath, const QString& target);

    QTemporaryDir m_folder;
};
