#pragma once

#include "models/serverlistmodel.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QString>
#include <QVector>

// The rows of a server list that a search phrase shows, and only those: the view then creates
// delegates for what is shown instead of drawing every hidden row 0 pixels high. A new phrase
// resets the rows in one pass; the list's own changes (an expansion, a refill) come through as
// the same insertions, removals and changes of the shown rows.
class ServerListFilter : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(QObject* sourceModel READ sourceModel WRITE setSourceModel NOTIFY sourceModelChanged)
    Q_PROPERTY(QString phrase READ phrase WRITE setPhrase NOTIFY phraseChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    explicit ServerListFilter(QObject* parent = nullptr);

    ServerListModel* sourceModel() const { return m_source; }
    // Anything but a server list shows nothing.
    void setSourceModel(QObject* source);
    QString phrase() const { return m_phrase; }
    void setPhrase(const QString& phrase);
    int count() const { return m_shown.size(); }
    // The list's row behind a shown row; -1 for none.
    int sourceRow(int row) const { return m_shown.value(row, -1); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void sourceModelChanged();
    void phraseChanged();
    void countChanged();

private:
    bool accepts(int sourceRow) const;
    // Where a list row is, or would be, among the shown rows.
    int position(int sourceRow) const;
    void rebuild();
    void reset();
    void onRowsInserted(int first, int last);
    void onRowsAboutToBeRemoved(int first, int last);
    void onRowsRemoved(int first, int last);
    void onDataChanged(int first, int last);

    QPointer<ServerListModel> m_source;
    QString m_phrase;
    // The phrase as rows are matched against it, prepared once per phrase.
    QString m_needle;
    // The list rows shown, in order.
    QVector<int> m_shown;
    // Set between the list's announcement of a removal and the removal itself.
    bool m_removing = false;
};
