#include "themelistmodel.h"

namespace {

enum Role
{
    IdRole = Qt::UserRole,
    ThemePropertyIdRole,
    ThemePropertyDataRole,
    ThemePropertyDataTypeStringRole,
    ThemePropertyToolTipRole,
    VisibleRole
};

} // namespace

ThemeListModel::ThemeListModel(QObject* parent) : ThemeEntryModel(parent)
{
    setObjectName(QStringLiteral("ThemeListModel"));
}

QVariant ThemeListModel::data(const QModelIndex& index, int role) const
{
    const ThemeProperty* entry = entryAt(index);
    if (!entry)
        return {};
    switch (role) {
    case IdRole:
    case ThemePropertyIdRole:
        return entry->id;
    case ThemePropertyDataRole:
        return entry->data.toString();
    case ThemePropertyDataTypeStringRole:
        return ThemeProperty::typeName(entry->type);
    case ThemePropertyToolTipRole:
        return entry->toolTip;
    case VisibleRole:
        return entry->sectionNames().contains(m_currentSectionName);
    default:
        return {};
    }
}

QHash<int, QByteArray> ThemeListModel::roleNames() const
{
    return {{IdRole, "Id"},
            {ThemePropertyIdRole, "ThemePropertyId"},
            {ThemePropertyDataRole, "ThemePropertyData"},
            {ThemePropertyDataTypeStringRole, "ThemePropertyDataTypeString"},
            {ThemePropertyToolTipRole, "ThemePropertyToolTip"},
            {VisibleRole, "Visible"}};
}

void ThemeListModel::setCurrentSectionName(const QString& sectionName)
{
    m_currentSectionName = sectionName;
    if (!m_entries.isEmpty())
        emit dataChanged(index(0), index(m_entries.size() - 1), {VisibleRole});
    emit currentSectionNameChanged(sectionName);
}

void ThemeListModel::updateCurrentThemeProperty(const QString& themePropertyId,
                                                const QVariant& data)
{
    for (int row = 0; row < m_entries.size(); ++row) {
        ThemeProperty& entry = m_entries[row];
        if (entry.id != themePropertyId)
            continue;
        if (entry.data == data)
            return;
        entry.data = data;
        emit dataChanged(index(row), index(row));
        emit themePropertyChanged(ThemeProperty(themePropertyId, data));
        return;
    }
}
