#include "dnsdata.h"

#include "addresstext.h"
#include "dnsentry.h"
#include "resolvconftext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

const int maxLinks = 64;
const int maxValues = 32;

QJsonArray toArray(const QStringList& values)
{
    return QJsonArray::fromStringList(values);
}

bool readValues(const QJsonValue& value, bool (*check)(const QString&), QStringList* values)
{
    const QJsonArray array = value.toArray();
    if (!value.isArray() || array.size() > maxValues)
        return false;
    for (const QJsonValue& item : array) {
        if (!item.isString() || !check(item.toString()))
            return false;
        *values << item.toString();
    }
    return true;
}

bool isServer(const QString& text)
{
    return DnsEntry::serverFamily(text) != 0;
}

QJsonObject linksObject(const QMap<QString, DnsData::LinkSettings>& links)
{
    QJsonObject object;
    for (auto it = links.begin(); it != links.end(); ++it) {
        object.insert(it.key(), QJsonObject{{QStringLiteral("servers"), toArray(it->servers)},
                                            {QStringLiteral("domains"), toArray(it->domains)}});
    }
    return object;
}

bool readLinks(const QJsonObject& object, QMap<QString, DnsData::LinkSettings>* links)
{
    links->clear();
    if (object.size() > maxLinks)
        return false;
    for (auto it = object.begin(); it != object.end(); ++it) {
        DnsData::LinkSettings settings;
        const QJsonObject link = it.value().toObject();
        if (!AddressText::isInterfaceName(it.key()) ||
            !readValues(link.value(QLatin1String("servers")), isServer, &settings.servers) ||
            !readValues(link.value(QLatin1String("domains")), DnsData::isDomain, &settings.domains))
            return false;
        links->insert(it.key(), settings);
    }
    return true;
}

QByteArray fromBase64(const QJsonValue& value)
{
    return QByteArray::fromBase64(value.toString().toLatin1(),
                                  QByteArray::AbortOnBase64DecodingErrors);
}

} // namespace

QByteArray DnsData::toJson() const
{
    static const char* const kinds[] = {"absent", "file", "link"};
    const QJsonObject object{{QStringLiteral("backend"), backend == Backend::Resolved
                                                             ? QStringLiteral("resolved")
                                                             : QStringLiteral("resolvconf")},
                             {QStringLiteral("kind"), QLatin1String(kinds[int(kind)])},
                             {QStringLiteral("content"), QString::fromLatin1(content.toBase64())},
                             {QStringLiteral("mode"), int(mode)},
                             {QStringLiteral("target"), linkTarget},
                             {QStringLiteral("links"), linksObject(links)},
                             {QStringLiteral("written"), QString::fromLatin1(written.toBase64())},
                             {QStringLiteral("applied"), linksObject(applied)}};
    return QJsonDocument(object).toJson();
}

bool DnsData::fromJson(const QByteArray& json, DnsData* data)
{
    const QJsonObject object = QJsonDocument::fromJson(json).object();
    const QString backend = object.value(QLatin1String("backend")).toString();
    const QString kind = object.value(QLatin1String("kind")).toString();
    data->backend = backend == QLatin1String("resolved") ? Backend::Resolved : Backend::ResolvConf;
    data->kind = kind == QLatin1String("file")   ? FileKind::File
                 : kind == QLatin1String("link") ? FileKind::Link
                                                 : FileKind::Absent;
    data->content = fromBase64(object.value(QLatin1String("content")));
    data->written = fromBase64(object.value(QLatin1String("written")));
    // Only the usual permission bits of a resolv.conf come back.
    data->mode = uint(object.value(QLatin1String("mode")).toInt()) & 0644;
    data->linkTarget = object.value(QLatin1String("target")).toString();
    const bool knownNames =
        (backend == QLatin1String("resolved") || backend == QLatin1String("resolvconf")) &&
        (kind == QLatin1String("file") || kind == QLatin1String("link") ||
         kind == QLatin1String("absent"));
    return knownNames && ResolvConfText::isAcceptable(data->content) &&
           (data->kind != FileKind::Link || isLinkTarget(data->linkTarget)) &&
           readLinks(object.value(QLatin1String("links")).toObject(), &data->links) &&
           readLinks(object.value(QLatin1String("applied")).toObject(), &data->applied);
}

bool DnsData::rewrittenSince(const QByteArray& written, const QByteArray& current)
{
    return !written.isEmpty() && current != written;
}

bool DnsData::rewrittenSince(const QMap<QString, LinkSettings>& applied, const QString& link,
                             const LinkSettings& current)
{
    const auto it = applied.find(link);
    return it != applied.end() &&
           (it->servers != current.servers || it->domains != current.domains);
}

bool DnsData::isDomain(const QString& text)
{
    if (text == QLatin1String("~."))
        return true;
    return AddressText::isHostName(text.startsWith(QLatin1Char('~')) ? text.mid(1) : text);
}

bool DnsData::isLinkTarget(const QString& target)
{
    static const QRegularExpression form(QStringLiteral(
        "^(/|\\.\\./)run/[A-Za-z0-9_-][A-Za-z0-9_.-]*(/[A-Za-z0-9_-][A-Za-z0-9_.-]*)*\\z"));
    return form.match(target).hasMatch() && !target.contains(QLatin1String("/../")) &&
           !target.endsWith(QLatin1String("/.."));
}
