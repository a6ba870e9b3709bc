#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct LabResult
{
    int exitCode = -1;
    QString output;
};

// Two network namespaces joined by a veth pair: "inner" 10.203.7.1/24 and "outer" with
// 10.203.7.2 and 10.203.7.3. Everything is removed when the lab goes, even after a failure.
class NetnsLab
{
public:
    NetnsLab();
    ~NetnsLab();
    NetnsLab(const NetnsLab&) = delete;
    NetnsLab& operator=(const NetnsLab&) = delete;

    bool setUp(QString* error);
    QString inner() const { return m_inner; }
    // A file of the inner namespace that "ip netns exec" mounts over /etc/resolv.conf.
    QString resolvConf() const;
    bool writeResolvConf(const QByteArray& text);
    // A tool run inside the inner namespace, systemd-resolved's runtime folder hidden.
    LabResult runTool(const QString& program, const QStringList& arguments,
                      const QProcessEnvironment& environment = QProcessEnvironment()) const;
    // A command run inside the inner namespace.
    LabResult run(const QStringList& command) const;
    // Moves the calling thread into the inner namespace until leaveInner() or the lab's end.
    bool enterInner();
    void leaveInner();
    // True when a TCP connection attempt of that uid gets an answer from the address.
    bool reaches(uint uid, const QString& address, quint16 port = 9) const;

    static LabResult runHost(const QStringList& command,
                             const QProcessEnvironment& environment = QProcessEnvironment());

private:
    QString m_inner;
    QString m_outer;
    bool m_madeNetnsFolder = false;
    int m_outsideFd = -1;
};
