#include "themeentrymodel.h"

#include "app/logger.h"

ThemeEntryModel::ThemeEntryModel(QObject* parent) : QAbstractListModel(parent) {}

int ThemeEntryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_entries.size();
}

bool ThemeEntryModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (count <= 0 || row < 0 || row + count > m_entries.size())
        return false;
    beginRemoveRows(parent, row, row + count - 1);
    m_entries.remove(row, count);
    endRemoveRows();
    return true;
}

void ThemeEntryModel::resetEntries(const QVector<ThemeProperty>& entries)
{
    if (!m_entries.isEmpty())
        removeRows(0, m_entries.size());
    if (!entries.isEmpty()) {
        beginInsertRows(QModelIndex(), 0, entries.size() - 1);
        m_entries = entries;
        endInsertRows();
    }
    emit isEmptyChanged(!entries.isEmpty());
}

ThemeEntryModel::Update ThemeEntryModel::updateFor(const QVector<ThemeProperty>& shown,
                                                   const QVector<ThemeProperty>& fresh)
{
    if (shown.isSharedWith(fresh) || shown == fresh)
        return Update::None;
    return shown.size() == fresh.size() ? Update::Rows : Update::Refused;
}

void ThemeEntryModel::updateEntries(const QVector<ThemeProperty>& entries)
{
    switch (updateFor(m_entries, entries)) {
    case Update::None:
        return;
    case Update::Refused:
        Logger::critical(objectName(),
                         QStringLiteral("Cannot set theme properties, internal error"));
        return;
    case Update::Rows:
        m_entries = entries;
        for (int row = 0; row < m_entries.size(); ++row)
            emit dataChanged(index(row), index(row));
        return;
    }
}

const ThemeProperty* ThemeEntryModel::entryAt(const QModelIndex& index) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_entries.size())
        return nullptr;
    return &m_entries.at(index.row());
}
