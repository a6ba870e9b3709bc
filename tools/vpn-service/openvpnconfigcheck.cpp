#include "openvpnconfigcheck.h"

#include "argumentpolicy.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>

namespace {

enum Arguments
{
    None,
    Any,
    Exact
};

struct Rule
{
    Arguments arguments;
    QString exact;
};

const QHash<QString, Rule>& rules()
{
    static const QHash<QString, Rule> table{
        {QStringLiteral("client"), {None, {}}},
        {QStringLiteral("dev"), {Exact, QStringLiteral("tun")}},
        {QStringLiteral("management"), {Exact, QStringLiteral("127.0.0.1 61973")}},
        {QStringLiteral("remote"), {Any, {}}},
        // With a file name it would read that file as root.
        {QStringLiteral("auth-user-pass"), {None, {}}},
        {QStringLiteral("auth-nocache"), {None, {}}},
        {QStringLiteral("nobind"), {None, {}}},
        {QStringLiteral("auth"), {Any, {}}},
        {QStringLiteral("cipher"), {Any, {}}},
        {QStringLiteral("tls-client"), {None, {}}},
        {QStringLiteral("tls-cipher"), {Any, {}}},
        {QStringLiteral("remote-cert-eku"), {Any, {}}},
        {QStringLiteral("persist-key"), {None, {}}},
        {QStringLiteral("persist-tun"), {None, {}}},
        {QStringLiteral("compress"), {Any, {}}},
        {QStringLiteral("verb"), {Any, {}}},
        {QStringLiteral("register-dns"), {None, {}}},
        {QStringLiteral("dhcp-renew"), {None, {}}},
        {QStringLiteral("block-outside-dns"), {None, {}}},
        {QStringLiteral("mute-replay-warnings"), {None, {}}},
        {QStringLiteral("replay-window"), {Any, {}}},
        {QStringLiteral("pull-filter"), {Any, {}}},
    };
    return table;
}

const QStringList inlineBlocks{QStringLiteral("ca"), QStringLiteral("tls-crypt")};

QString remoteProblem(const QString& arguments)
{
    const QStringList parts = arguments.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    static const QRegularExpression port(QStringLiteral("^[0-9]{1,5}$"));
    if (parts.size() != 3 ||
        (!ArgumentPolicy::isIpAddress(parts.at(0)) && !ArgumentPolicy::isHostName(parts.at(0))) ||
        !port.match(parts.at(1)).hasMatch() ||
        !QStringList{QStringLiteral("udp"), QStringLiteral("tcp")}.contains(parts.at(2)))
        return QStringLiteral("remote is not 'ADDRESS PORT udp|tcp'");
    return QString();
}

QString lineProblem(const QString& line)
{
    const QString simplified = line.simplified();
    const QString directive = simplified.section(QLatin1Char(' '), 0, 0);
    const QString arguments = simplified.section(QLatin1Char(' '), 1);
    // Exact, lower-case and without dashes: "UP", "--up" and "Up" are all unknown.
    const auto rule = rules().constFind(directive);
    if (rule == rules().constEnd())
        return QStringLiteral("directive '%1' is not allowed").arg(directive.left(64));
    if (rule->arguments == None && !arguments.isEmpty())
        return QStringLiteral("directive '%1' takes no arguments here").arg(directive);
    if (rule->arguments == Exact && arguments != rule->exact)
        return QStringLiteral("directive '%1' must read '%1 %2'").arg(directive, rule->exact);
    if (directive == QLatin1String("remote"))
        return remoteProblem(arguments);
    return QString();
}

// Printable ASCII only: OpenVPN must not read a byte the check reads differently.
bool isPrintable(const QByteArray& line)
{
    for (const char c : line) {
        if (c < 0x20 || c > 0x7e)
            return false;
    }
    return true;
}

// What an inline block may hold: PEM armour and base64 (or hex) lines, and for the tls-crypt key
// the comment lines OpenVPN writes above it.
bool isBlockLine(const QString& block, const QString& line)
{
    static const QRegularExpression data(QStringLiteral("^[A-Za-z0-9+/=]*$"));
    static const QRegularExpression armour(QStringLiteral("^-----(BEGIN|END) [A-Za-z0-9 ]+-----$"));
    if (block == QLatin1String("tls-crypt") && line.startsWith(QLatin1Char('#')))
        return true;
    return data.match(line).hasMatch() || armour.match(line).hasMatch();
}

// A tag line "<ca>" opens the named block; empty when the line is no allowed tag.
QString openedBlock(const QString& line)
{
    if (!line.startsWith(QLatin1Char('<')) || !line.endsWith(QLatin1Char('>')))
        return QString();
    const QString block = line.mid(1, line.size() - 2);
    return inlineBlocks.contains(block) ? block : QString();
}

struct Reader
{
    QString openBlock;
    QByteArray checked;

    // Empty when the line passes; it then joins the checked text.
    QString take(const QString& line)
    {
        if (!openBlock.isEmpty()) {
            if (line == QStringLiteral("</%1>").arg(openBlock))
                openBlock.clear();
            else if (!isBlockLine(openBlock, line))
                return QStringLiteral("a line inside <%1> is not key material").arg(openBlock);
            return append(line);
        }
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) ||
            line.startsWith(QLatin1Char(';')))
            return QString();
        // OpenVPN unquotes and unescapes a first word: '"<ca>"' would open a block.
        if (line.startsWith(QLatin1Char('"')) || line.startsWith(QLatin1Char('\'')) ||
            line.startsWith(QLatin1Char('\\')))
            return QStringLiteral("a line begins with a quote or a backslash");
        if (line.startsWith(QLatin1Char('<'))) {
            openBlock = openedBlock(line);
            if (openBlock.isEmpty())
                return QStringLiteral("inline block '%1' is not allowed").arg(line.left(64));
            return append(line);
        }
        const QString problem = lineProblem(line);
        return problem.isEmpty() ? append(line.simplified()) : problem;
    }

    QString append(const QString& line)
    {
        checked += line.toLatin1() + '\n';
        return QString();
    }
};

} // namespace

QString OpenVpnConfigCheck::problem(const QByteArray& text, QByteArray* checked)
{
    if (text.size() > maxBytes)
        return QStringLiteral("the configuration is larger than %1 bytes").arg(maxBytes);
    const QList<QByteArray> lines = text.split('\n');
    Reader reader;
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray line = lines.at(i);
        const QString where = QStringLiteral("line %1: ").arg(i + 1);
        // OpenVPN reads through a buffer of this size: a longer line would be two lines there.
        if (line.size() + 1 >= maxLineBytes)
            return where + QStringLiteral("the line is too long");
        if (line.endsWith('\r'))
            line.chop(1);
        if (!isPrintable(line))
            return where + QStringLiteral("a control or non-ASCII character");
        const QString problem = reader.take(QString::fromLatin1(line).trimmed());
        if (!problem.isEmpty())
            return where + problem;
    }
    if (!reader.openBlock.isEmpty())
        return QStringLiteral("inline block <%1> is not closed").arg(reader.openBlock);
    if (checked)
        *checked = reader.checked;
    return QString();
}
