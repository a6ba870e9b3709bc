#include "simplelistmodel.h"

namespace {

enum Role
{
    IdRole = Qt::UserRole,
    ItemIdRole,
    ItemDataRole
};

const int itemCount = 3;

} // namespace

SimpleListModel::SimpleListModel(QObject* parent) : QAbstractListModel(parent)
{
    setObjectName(QStringLiteral("SimpleListModel"));
    for (int number = 1; number <= itemCount; ++number)
        m_items << QStringLiteral("Item %1").arg(number);
}

int SimpleListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_items.size();
}

QVariant SimpleListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_items.size())
        return {};
    switch (role) {
    case IdRole:
    case ItemIdRole:
        return index.row();
    case ItemDataRole:
        return m_items.at(index.row());
    default:
        return {};
    }
}

QHash<int, QByteArray> SimpleListModel::roleNames() const
{
    return {{IdRole, "Id"}, {ItemIdRole, "ItemId"}, {ItemDataRole, "ItemData"}};
}
