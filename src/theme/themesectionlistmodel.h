#pragma once

#include "theme/themeentrymodel.h"

// The section names the theme editor lists on its left.
class ThemeSectionListModel : public ThemeEntryModel
{
    Q_OBJECT

public:
    explicit ThemeSectionListModel(QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;
};
