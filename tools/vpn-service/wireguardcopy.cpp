#include "wireguardcopy.h"

#include "wireguardconfig.h"

#include <QCryptographicHash>
#include <QFileInfo>

QString WireGuardCopy::folderFor(const QString& runDir, uid_t uid, const QString& file)
{
    const QByteArray key = QByteArray::number(uid) + '\n' + file.toUtf8();
    const QByteArray hash =
        QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(32);
    return runDir + QStringLiteral("/wireguard-") + QString::fromLatin1(hash);
}

QString WireGuardCopy::pathFor(const QString& runDir, uid_t uid, const QString& file)
{
    return folderFor(runDir, uid, file) + QStringLiteral("/wg.conf");
}

QString WireGuardCopy::userLogPath(const QString& file)
{
    return QFileInfo(file).path() + QStringLiteral("/log.bin");
}

QString WireGuardCopy::problem(const QByteArray& text)
{
    WireGuardConfig config;
    QString error;
    return WireGuardConfig::parse(text, &config, &error)
               ? QString()
               : QStringLiteral("WireGuard file: ") + error;
}
