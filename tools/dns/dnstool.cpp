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
    if (!saveUserSettings(error))
        return false;
    if (!m_resolved) {
        DnsData current;
        if (!ResolvConfFile::read(&current, error))
            return false;
        return ResolvConfFile::write(
            ResolvConfText::withServers(current.content, m_arguments.allServers()),
            current.kind == DnsData::FileKind::File ? current.mode : 0644, error);
    }
    for (const DnsEntry& entry : m_arguments.entries) {
        // A link the tunnel gave no address for keeps its DNS.
        if (!entry.servers.isEmpty() &&
            !ResolvedLinks::apply(entry.link, {entry.servers, {QStringLiteral("~.")}}, error))
            return false;
    }
    return true;
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

bool DnsTool::saveUserSettings(QString* error)
{
    QByteArray existing;
    if (m_state.read(stateName().constData(), maxStateBytes, &existing))
        return true;
    DnsData data;
    data.backend = m_resolved ? DnsData::Backend::Resolved : DnsData::Backend::ResolvConf;
    if (!m_resolved && !ResolvConfFile::read(&data, error))
        return false;
    for (const DnsEntry& entry : m_arguments.entries) {
        DnsData::LinkSettings settings;
        if (m_resolved && !entry.servers.isEmpty()) {
            if (!ResolvedLinks::read(entry.link, &settings, error))
                return false;
            data.links.insert(entry.link, settings);
        }
    }
    const QByteArray json = data.toJson();
    if (!m_state.write(stateName().constData(), json)) {
        *error = QStringLiteral("cannot save the DNS settings in the state folder");
        return false;
    }
    return m_folder.write(QLatin1String(dataFile), json, error);
}

bool DnsTool::restoreSaved(QString* error)
{
    QByteArray json;
    DnsData data;
    if (!m_state.read(stateName().constData(), maxStateBytes, &json))
        return false;
    if (!DnsData::fromJson(json, &data) ||
        (data.backend == DnsData::Backend::Resolved) != m_resolved) {
        // From another set-up: fall back to the default, and drop it.
        std::fprintf(stderr, "dns: the saved settings are unusable, ignored\n");
        m_state.remove(stateName().constData());
        return false;
    }
    bool ok = true;
    if (m_resolved) {
        for (auto it = data.links.begin(); it != data.links.end() && ok; ++it)
            ok = ResolvedLinks::apply(it.key(), it.value(), error);
    } else {
        ok = ResolvConfFile::restore(data, error);
    }
    if (ok) {
        m_state.remove(stateName().constData());
        m_folder.remove(QLatin1String(dataFile));
    }
    return ok;
}
