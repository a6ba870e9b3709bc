#include "themesectionlistmodel.h"

namespace {

enum Role
{
    IdRole = Qt::UserRole,
    ThemeSectionIdRole,
    ThemeSectionDataRole
};

} // namespace

ThemeSectionListModel::ThemeSectionListModel(QObject* parent) : ThemeEntryModel(parent)
{
    setObjectName(QStringLiteral("ThemeSectionListModel"));
}

QVariant ThemeSectionListModel::data(const QModelIndex& index, int role) const
{
    const ThemeProperty* entry = entryAt(index);
    if (!entry)
        return {};
    switch (role) {
    case IdRole:
    case ThemeSectionIdRole:
        return entry->id;
    case ThemeSectionDataRole:
        return entry->data.toString();
    default:
        return {};
    }
}

QHash<int, QByteArray> ThemeSectionListModel::roleNames() const
{
    return {{IdRole, "Id"},
            {ThemeSectionIdRole, "ThemeSectionId"},
            {ThemeSectionDataRole, "ThemeSectionData"}};
}
