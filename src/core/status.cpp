#include "status.h"

#include <QSettings>

namespace {

const QString group = QStringLiteral("Protection");
const QString killswitchKey = QStringLiteral("killswitchActivated");
const QString dnsKey = QStringLiteral("dnsActivated");

} // namespace

Status::Status(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Status"));
    m_store = new QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("VPN"),
                            QStringLiteral("Status"), this);
    m_store->beginGroup(group);
    m_killswitchActivated = m_store->value(killswitchKey, false).toBool();
    m_dnsActivated = m_store->value(dnsKey, false).toBool();
    m_store->endGroup();
}

void Status::setDnsActivated(bool activated)
{
    if (activated == m_dnsActivated)
        return;
    m_dnsActivated = activated;
    save();
}

void Status::setKillswitchActivated(bool activated)
{
    if (activated == m_killswitchActivated)
        return;
    m_killswitchActivated = activated;
    save();
}

void Status::save()
{
    m_store->beginGroup(group);
    m_store->setValue(killswitchKey, m_killswitchActivated);
    m_store->setValue(dnsKey, m_dnsActivated);
    m_store->endGroup();
    m_store->sync();
}

void Status::clear()
{
    m_store->clear();
    m_store->sync();
}
