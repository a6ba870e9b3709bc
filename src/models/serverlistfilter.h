#pragma once

#include <QSortFilterProxyModel>
#include <QString>

class ServerListModel;

// The rows of a server list that a search phrase shows, and only those: the view then creates
// delegates for what is shown instead of drawing every hidden row 0 pixels high.
class ServerListFilter : public QSortFilterProxyModel
{
    Q_OBJECT
    Q_PROPERTY(QString phrase READ phrase WRITE setPhrase NOTIFY phraseChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    explicit ServerListFilter(QObject* parent = nullptr);

    QString phrase() const { return m_phrase; }
    void setPhrase(const QString& phrase);
    int count() const { return rowCount(); }

signals:
    void phraseChanged();
    void countChanged();

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    QString m_phrase;
    // The phrase as rows are matched against it, prepared once per phrase.
    QString m_needle;
};
