#pragma once

#include "theme/themeproperty.h"

#include <QAbstractListModel>
#include <QVector>

// Rows of theme entries shared by the editor's two lists; a reload only refreshes rows in place.
class ThemeEntryModel : public QAbstractListModel
{
    Q_OBJECT
    // True when there are rows: the QML list views show themselves on true.
    Q_PROPERTY(bool isEmpty READ isEmpty NOTIFY isEmptyChanged)

public:
    enum class Update
    {
        None,
        Rows,
        Refused
    };

    explicit ThemeEntryModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    bool isEmpty() const { return !m_entries.isEmpty(); }

    void resetEntries(const QVector<ThemeProperty>& entries);
    void updateEntries(const QVector<ThemeProperty>& entries);

    // What a reload with fresh entries does to the shown ones.
    static Update updateFor(const QVector<ThemeProperty>& shown,
                            const QVector<ThemeProperty>& fresh);

signals:
    void isEmptyChanged(bool empty);

protected:
    const ThemeProperty* entryAt(const QModelIndex& index) const;

    QVector<ThemeProperty> m_entries;
};
