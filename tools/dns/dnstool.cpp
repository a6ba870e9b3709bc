#include "dnstool.h"

#include "resolvconffile.h"
#include "resolvconftext.h"
#include "resolvedlinks.h"

#include <cstdio>

namespace {

const char dataFile[] = "dns.dat";
const qint64 maxStateBytes = 1024 * 1024;

} // namespace

DnsTool::DnsTool(const DnsArguments& arguments, DataFolder& folder, const StateFolder& state,
                 uid_t uid)
    : m_arguments(arguments), m_folder(folder), m_state(state), m_uid(uid),
      m_resolved(ResolvedLinks::available())
{
}

QByteArray DnsTool::stateName() const
{
    return "dns-" + QByteArray::number(m_uid);
}

bool DnsTool::run(QString* error)
{
    switch (m_arguments.mode) {
    case DnsArguments::Mode::Vpn:
        return pointAtTunnel(error);
    case DnsArguments::Mode::User:
        return putBackUser(error);
    case DnsArguments::Mode::Reset:
        break;
    }
    return reset(error);
}

bool DnsTool::pointAtTunnel(QString* error)
{
    if (m_arguments.allServers().isEmpty())
        return true;
    DnsData saved;
    const bool haveSaved = readSaved(&saved);
    if (!m_resolved) {
        DnsData current;
        if (!ResolvConfFile::read(&current, error))
            return false;
        if (!haveSaved || DnsData::rewrittenSince(saved.written, current.content)) {
            if (haveSaved)
                std::fprintf(stderr, "dns: the network rewrote resolv.conf, saved anew\n");
            saved = current;
        }
        // Until the new text is in place, only what is there now counts as ours.
        const QByteArray text =
            ResolvConfText::withServers(current.content, m_arguments.allServers());
        if (!save(saved, error) ||
            !ResolvConfFile::write(
                text, current.kind == DnsData::FileKind::File ? current.mode : 0644, error))
            return false;
        saved.written = text;
        return save(saved, error);
    }
    if (!haveSaved)
        saved.backend = DnsData::Backend::Resolved;
    QStringList links;
    for (const DnsEntry& entry : m_arguments.entries) {
        // A link the tunnel gave no address for keeps its DNS.
        if (entry.servers.isEmpty())
            continue;
        DnsData::LinkSettings current;
        if (!ResolvedLinks::read(entry.link, &current, error))
            return false;
        if (!saved.links.contains(entry.link) ||
            DnsData::rewrittenSince(saved.applied, entry.link, current))
            saved.links.insert(entry.link, current);
        links << entry.link;
    }
    if (!save(saved, error))
        return false;
    bool applied = true;
    for (const DnsEntry& entry : m_arguments.entries) {
        if (applied && !entry.servers.isEmpty())
            applied =
                ResolvedLinks::apply(entry.link, {entry.servers, {QStringLiteral("~.")}}, error);
    }
    // What resolved shows now is ours, in its own spelling, also after a failure half way.
    for (const QString& link : qAsConst(links)) {
        DnsData::LinkSettings shown;
        QString readError;
        if (ResolvedLinks::read(link, &shown, &readError))
            saved.applied.insert(link, shown);
    }
    // A failed apply keeps its own error.
    QString saveError;
    const bool kept = save(saved, applied ? error : &saveError);
    return applied && kept;
}

bool DnsTool::putBackUser(QString* error)
{
    // Only what was saved goes back: servers named by the request would let any user point the
    // machine's resolver wherever it likes.
    if (restoreSaved(error) || !error->isEmpty())
        return error->isEmpty();
    std::fprintf(stderr, "dns: nothing saved to put back\n");
    m_folder.remove(QLatin1String(dataFile));
    return true;
}

bool DnsTool::reset(QString* error)
{
    if (restoreSaved(error) || !error->isEmpty())
        return error->isEmpty();
    m_folder.remove(QLatin1String(dataFile));
    if (m_resolved)
        return true;
    DnsData current;
    if (!ResolvConfFile::read(&current, error))
        return false;
    // A link's content is empty unless its target is mounted, and then it is cleaned in place.
    if (current.kind == DnsData::FileKind::Absent)
        return true;
    const QByteArray cleaned = ResolvConfText::withoutTunnelServers(current.content);
    return cleaned == current.content || ResolvConfFile::write(cleaned, current.mode, error);
}

bool DnsTool::readSaved(DnsData* data) const
{
    QByteArray json;
    if (!m_state.read(stateName().constData(), maxStateBytes, &json))
        return false;
    if (DnsData::fromJson(json, data) &&
        (data->backend == DnsData::Backend::Resolved) == m_resolved)
        return true;
    // From another set-up: fall back to the default, and drop it.
    std::fprintf(stderr, "dns: the saved settings are unusable, ignored\n");
    m_state.remove(stateName().constData());
    *data = DnsData();
    return false;
}

bool DnsTool::save(const DnsData& data, QString* error)
{
    const QByteArray json = data.toJson();
    if (!m_state.write(stateName().constData(), json)) {
        *error = QStringLiteral("cannot save the DNS settings in the state folder");
        return false;
    }
    return m_folder.write(QLatin1String(dataFile), json, error);
}

bool DnsTool::restoreSaved(QString* error)
{
    DnsData data;
    if (!readSaved(&data))
        return false;
    bool ok = true;
    if (m_resolved) {
        for (auto it = data.links.begin(); it != data.links.end() && ok; ++it) {
            DnsData::LinkSettings current;
            QString readError;
            if (ResolvedLinks::read(it.key(), &current, &readError) &&
                DnsData::rewrittenSince(data.applied, it.key(), current)) {
                std::fprintf(stderr, "dns: the network set %s anew, left as it is\n",
                             qPrintable(it.key()));
                continue;
            }
            ok = ResolvedLinks::apply(it.key(), it.value(), error);
        }
    } else {
        DnsData current;
        ok = ResolvConfFile::read(&current, error);
        if (ok && DnsData::rewrittenSince(data.written, current.content))
            std::fprintf(stderr, "dns: the network rewrote resolv.conf, left as it is\n");
        else if (ok)
            ok = ResolvConfFile::restore(data, error);
    }
    if (ok) {
        m_state.remove(stateName().constData());
        m_folder.remove(QLatin1String(dataFile));
    }
    return ok;
}
