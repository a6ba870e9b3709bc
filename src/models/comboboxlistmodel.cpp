#include "comboboxlistmodel.h"

#include "settings/settings.h"

#include <QCoreApplication>

namespace {

const QString undefinedText = QStringLiteral("Undefined");

} // namespace

ComboBoxListModel::ComboBoxListModel(bool tcpPorts, QObject* parent)
    : QAbstractListModel(parent),
      m_ports(tcpPorts ? Settings::allowedTcpPorts() : Settings::allowedUdpPorts())
{
    setObjectName(QStringLiteral("ComboBoxListModel"));
}

int ComboBoxListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_ports.size();
}

QVariant ComboBoxListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_ports.size())
        return undefinedText;
    const quint16 port = m_ports.at(index.row());
    switch (role) {
    case Id:
        return index.row();
    case TextRole:
        return port == 0 ? QCoreApplication::translate("Settings", "Auto") : QString::number(port);
    case ValueRole:
        return int(port);
    default:
        return undefinedText;
    }
}

QHash<int, QByteArray> ComboBoxListModel::roleNames() const
{
    static const QHash<int, QByteArray> names{{Id, "id"}, {TextRole, "text"}, {ValueRole, "value"}};
    return names;
}
