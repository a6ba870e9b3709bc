#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QTemporaryFile;

// Stateless helpers shared by many components. Failures are logged under "Utils" and give empty
// or false results.
namespace Utils {

QString boolText(bool value);
QString quoted(const QString& text);
QString joinNonBlank(const QStringList& parts, const QString& separator);
QString shortenCommandLine(const QString& commandLine);
bool isIpv4Address(const QString& text);
bool isIpv6Address(const QString& text);
// Four decimal parts 0..255 without leading zeros or short forms: the one spelling that a
// resolver cannot read as another address.
bool isCanonicalIpv4Address(const QString& text);
// Dot-separated labels of letters, digits and hyphens (1..63 each, no hyphen at either end),
// at most 253 in all; a last label that a resolver would read as a number is refused.
bool isHostNameText(const QString& text);
// What may stand for a server in a tunnel configuration or a root-run command.
bool isServerAddress(const QString& text);
// An IPv4 (canonical) or IPv6 address spelt with digits, hex letters, dots and colons only.
bool isIpLiteral(const QString& text);
// A double quote, a line break or a NUL: a command element holding one could end its quotes or
// its line.
bool hasCommandBreakingCharacter(const QString& text);
QString placeholderAddress();
bool isPlaceholderAddress(const QString& text);
QString retranslateMarker();

QString applicationDirectory();
// Test seam: the folder where the client looks for the programs installed beside it.
void setApplicationDirectoryForTesting(const QString& path);

QString executableName(const QString& baseName, bool withDirectory = false);
QString programDataPath();
QString programDataPathChecked();
QString dnsDataFilePath();
bool ensureDirectory(const QString& path);
void createEmptyFile(const QString& path);
void appendSeparatorLine(const QString& path);
// True only when the whole text reached the file.
bool writeTextFile(const QString& path, const QString& text);
std::unique_ptr<QTemporaryFile> localTemporaryCopy(const QString& path);
QString urlToLocalFile(const QString& url);
QString countryFlagSource(const QString& countryCode);

bool isProcessRunning(const QString& programPath);
// True when one line of a process listing, simplified, equals the file name exactly.
bool processListContains(const QString& listing, const QString& fileName);
QString runShellCommand(const QString& command, bool simplify = false);
int effectiveMtu(int mtu);
void setInterfaceMtu(int interfaceIndex, int mtu);

} // namespace Utils
