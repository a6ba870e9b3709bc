#include "utils.h"

#include "app/logger.h"
#include "platform/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QTextStream>
#include <QUrl>

namespace Utils {

namespace {

const QString source = QStringLiteral("Utils");
const int toolTimeoutMs = 30000;
const int defaultMtu = 1500;
const QString flagFallback = QStringLiteral("qrc:/resources/icons/flags/unknown.png");

QString applicationDirectoryOverride;

QString fileNamePart(const QString& token)
{
    const int cut = qMax(token.lastIndexOf(QLatin1Char('/')), token.lastIndexOf(QLatin1Char('\\')));
    return token.mid(cut + 1);
}

} // namespace

QString boolText(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

QString quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString joinNonBlank(const QStringList& parts, const QString& separator)
{
    QStringList kept;
    for (const QString& part : parts) {
        if (!part.simplified().isEmpty())
            kept << part;
    }
    return kept.join(separator);
}

QString shortenCommandLine(const QString& commandLine)
{
    static const QRegularExpression whiteSpace(QStringLiteral("\\s+"));
    QStringList tokens = commandLine.split(whiteSpace);
    for (QString& token : tokens)
        token = fileNamePart(token).remove(QLatin1Char('"')).simplified();
    return tokens.join(QLatin1Char(' '));
}

bool isIpv4Address(const QString& text)
{
    QHostAddress address;
    return address.setAddress(text) && address.protocol() == QAbstractSocket::IPv4Protocol;
}

bool isIpv6Address(const QString& text)
{
    QHostAddress address;
    return address.setAddress(text) && address.protocol() == QAbstractSocket::IPv6Protocol;
}

bool isCanonicalIpv4Address(const QString& text)
{
    static const QRegularExpression form(
        QStringLiteral("^(0|[1-9][0-9]{0,2})\\.(0|[1-9][0-9]{0,2})\\.(0|[1-9][0-9]{0,2})\\."
                       "(0|[1-9][0-9]{0,2})\\z"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return false;
    for (int part = 1; part <= 4; ++part) {
        if (match.capturedRef(part).toInt() > 255)
            return false;
    }
    return true;
}

bool isHostNameText(const QString& text)
{
    static const QRegularExpression label(
        QStringLiteral("^[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?\\z"));
    // getaddrinfo reads "127.1" or "0x7f000001" as addresses.
    static const QRegularExpression numeric(QStringLiteral("^([0-9]+|0[xX][0-9A-Fa-f]*)\\z"));
    if (text.isEmpty() || text.size() > 253)
        return false;
    const QStringList labels = text.split(QLatin1Char('.'));
    for (const QString& part : labels) {
        if (!label.match(part).hasMatch())
            return false;
    }
    return !numeric.match(labels.last()).hasMatch();
}

bool isServerAddress(const QString& text)
{
    return isCanonicalIpv4Address(text) || isHostNameText(text);
}

bool isIpLiteral(const QString& text)
{
    static const QRegularExpression characters(QStringLiteral("^[0-9A-Fa-f:.]{2,45}\\z"));
    if (!characters.match(text).hasMatch())
        return false;
    if (text.contains(QLatin1Char(':')))
        return isIpv6Address(text);
    return isCanonicalIpv4Address(text);
}

bool hasCommandBreakingCharacter(const QString& text)
{
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\r') || c == QLatin1Char('\n') ||
            c == QChar(0))
            return true;
    }
    return false;
}

QString placeholderAddress()
{
    return QStringLiteral("0.0.0.0");
}

bool isPlaceholderAddress(const QString& text)
{
    return text == placeholderAddress();
}

QString retranslateMarker()
{
    return QStringLiteral("retranslateUi");
}

QString applicationDirectory()
{
    if (!applicationDirectoryOverride.isEmpty())
        return applicationDirectoryOverride;
    return QCoreApplication::applicationDirPath();
}

void setApplicationDirectoryForTesting(const QString& path)
{
    applicationDirectoryOverride = path;
}

QString executableName(const QString& baseName, bool withDirectory)
{
    const QString fileName = baseName + Platform::executableSuffix();
    if (!withDirectory)
        return fileName;
    return QDir::toNativeSeparators(applicationDirectory() + QLatin1Char('/') + fileName);
}

QString programDataPath()
{
    const QString folder = Platform::programDataFolder();
    if (folder.isEmpty())
        Logger::warning(source, QStringLiteral("Can't find log data path!"));
    return folder;
}

QString programDataPathChecked()
{
    const QString folder = Platform::programDataFolder();
    if (folder.isEmpty())
        Logger::warning(source,
                        QStringLiteral("Can't find '%1' path!").arg(QStringLiteral("ProgramData")));
    return folder;
}

QString dnsDataFilePath()
{
    return QDir::toNativeSeparators(QStringLiteral("%1/dns.dat").arg(programDataPath()));
}

bool ensureDirectory(const QString& path)
{
    QDir dir(path);
    return dir.exists() || dir.mkpath(QStringLiteral("."));
}

void createEmptyFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        Logger::warning(source, QStringLiteral("Cannot create empty file '%1'").arg(path));
}

void appendSeparatorLine(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::Append | QIODevice::WriteOnly | QIODevice::Text)) {
        Logger::warning(source, QStringLiteral("Cannot open file '%1' in append mode").arg(path));
        return;
    }
    QTextStream out(&file);
    out << QString(80, QLatin1Char('=')) << '\n';
    out.flush();
    file.close();
}

bool writeTextFile(const QString& path, const QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    const QByteArray bytes = text.toUtf8();
    return file.write(bytes) == bytes.size() && file.flush();
}

std::unique_ptr<QTemporaryFile> localTemporaryCopy(const QString& path)
{
    QFile sourceFile(path);
    if (!sourceFile.open(QIODevice::ReadOnly)) {
        Logger::critical(
            source, QStringLiteral("Cannot read local temporary file for path '%1'").arg(path));
        return nullptr;
    }
    std::unique_ptr<QTemporaryFile> copy(QTemporaryFile::createNativeFile(sourceFile));
    if (!copy) {
        // Qt makes no copy of a file that is already on disk; callers still want their own.
        copy = std::make_unique<QTemporaryFile>();
        if (!copy->open() || copy->write(sourceFile.readAll()) < 0 || !copy->flush())
            copy.reset();
    }
    if (!copy)
        Logger::critical(
            source, QStringLiteral("Cannot create local temporary file for path '%1'").arg(path));
    return copy;
}

QString urlToLocalFile(const QString& url)
{
    return QUrl(url).toLocalFile();
}

QString countryFlagSource(const QString& countryCode)
{
    if (countryCode.isEmpty() || countryCode == QLatin1String("*1") ||
        countryCode == QLatin1String("*2"))
        return flagFallback;
    const QString path =
        QStringLiteral(":/resources/icons/flags/%1.png").arg(countryCode.toLower());
    if (!QFile::exists(path)) {
        Logger::warning(
            source, QStringLiteral("Resource for country '%1' does not exist").arg(countryCode));
        return flagFallback;
    }
    return QStringLiteral("qrc") + path;
}

bool isProcessRunning(const QString& programPath)
{
    return processListContains(Platform::processListText(), QFileInfo(programPath).fileName());
}

bool processListContains(const QString& listing, const QString& fileName)
{
    static const QRegularExpression lineBreaks(QStringLiteral("[\r\n]"));
    const QStringList lines = listing.split(lineBreaks, Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const QString name = line.simplified();
        if (!name.isEmpty() && name == fileName)
            return true;
    }
    return false;
}

QString runShellCommand(const QString& command, bool simplify)
{
    const Platform::ToolResult result =
        Platform::runTool(Platform::shellCommand(command), toolTimeoutMs);
    const QString output = QString::fromLocal8Bit(result.output);
    return simplify ? output.simplified() : output;
}

int effectiveMtu(int mtu)
{
    return mtu < 1 ? defaultMtu : mtu;
}

void setInterfaceMtu(int interfaceIndex, int mtu)
{
    const Platform::ToolResult result =
        Platform::runTool(Platform::mtuCommand(interfaceIndex, effectiveMtu(mtu)), toolTimeoutMs);
    if (!result.started) {
        Logger::warning(source, QStringLiteral("'Set mtu size' command could not be started"));
        return;
    }
    if (!result.finished) {
        Logger::warning(source, QStringLiteral("'Set mtu size' command did not finish"));
        return;
    }
    Logger::info(
        source,
        QStringLiteral("'Set mtu size' command finished with code: %1").arg(result.exitCode));
}

} // namespace Utils
