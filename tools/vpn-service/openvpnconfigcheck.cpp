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

} // namespace

QString OpenVpnConfigCheck::problem(const QByteArray& text)
{
    if (text.size() > maxBytes)
        return QStringLiteral("the configuration is larger than %1 bytes").arg(maxBytes);
    if (text.contains('\0'))
        return QStringLiteral("the configuration holds a NUL");
    const QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    QString openBlock;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        const QString where = QStringLiteral("line %1: ").arg(i + 1);
        if (!openBlock.isEmpty()) {
            if (line == QStringLiteral("</%1>").arg(openBlock))
                openBlock.clear();
            else if (line.startsWith(QLatin1Char('<')))
                return where + QStringLiteral("a tag inside <%1>").arg(openBlock);
            continue;
        }
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) ||
            line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('<'))) {
            const QString block = line.mid(1, line.size() - 2);
            if (!line.endsWith(QLatin1Char('>')) || !inlineBlocks.contains(block))
                return where +
                       QStringLiteral("inline block '%1' is not allowed").arg(line.left(64));
            openBlock = block;
            continue;
        }
        const QString problem = lineProblem(line);
        if (!problem.isEmpty())
            return where + problem;
    }
    return openBlock.isEmpty() ? QString()
                               : QStringLiteral("inline block <%1> is not closed").arg(openBlock);
}
