#pragma once

#include <QAbstractListModel>
#include <QString>
#include <QVector>

// Three fixed rows that let the theme editor preview how lists look.
class SimpleListModel : public QAbstractListModel
{
    Q_OBJECT
    // True when there are rows: the QML list views show themselves on true.
    Q_PROPERTY(bool isEmpty READ isEmpty NOTIFY isEmptyChanged)

public:
    explicit SimpleListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;
    bool isEmpty() const { return !m_items.isEmpty(); }

signals:
    void isEmptyChanged(bool empty);

private:
    QVector<QString> m_items;
};
