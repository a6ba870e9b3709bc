#pragma once

#include "theme/themeentrymodel.h"

#include <QString>

// All theme entries for the editor, each marked visible when it belongs to the chosen section.
class ThemeListModel : public ThemeEntryModel
{
    Q_OBJECT
    Q_PROPERTY(QString currentSectionName READ currentSectionName WRITE setCurrentSectionName NOTIFY
                   currentSectionNameChanged)

public:
    explicit ThemeListModel(QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    QString currentSectionName() const { return m_currentSectionName; }
    void setCurrentSectionName(const QString& sectionName);

    Q_INVOKABLE void updateCurrentThemeProperty(const QString& themePropertyId,
                                                const QVariant& data);

signals:
    void currentSectionNameChanged(QString sectionName);
    void themePropertyChanged(ThemeProperty themeProperty);

private:
    QString m_currentSectionName;
};
