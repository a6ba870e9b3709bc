#include "serverlistfilter.h"

#include "models/serverlistmodel.h"
#include "models/serversearchindex.h"

#include <algorithm>

ServerListFilter::ServerListFilter(QObject* parent) : QAbstractListModel(parent) {}

void ServerListFilter::setSourceModel(QObject* object)
{
    auto* source = qobject_cast<ServerListModel*>(object);
    if (source == m_source)
        return;
    if (m_source)
        m_source->disconnect(this);
    m_source = source;
    if (source) {
        connect(source, &QAbstractItemModel::rowsInserted, this,
                [this](const QModelIndex&, int first, int last) { onRowsInserted(first, last); });
        connect(source, &QAbstractItemModel::rowsAboutToBeRemoved, this,
                [this](const QModelIndex&, int first, int last) {
                    onRowsAboutToBeRemoved(first, last);
                });
        connect(source, &QAbstractItemModel::rowsRemoved, this,
                [this](const QModelIndex&, int first, int last) { onRowsRemoved(first, last); });
        connect(source, &QAbstractItemModel::dataChanged, this,
                [this](const QModelIndex& from, const QModelIndex& to) {
                    onDataChanged(from.row(), to.row());
                });
        // The list never moves rows or changes its layout: should it, everything is shown anew.
        connect(source, &QAbstractItemModel::modelReset, this, &ServerListFilter::reset);
        connect(source, &QAbstractItemModel::rowsMoved, this, &ServerListFilter::reset);
        connect(source, &QAbstractItemModel::layoutChanged, this, &ServerListFilter::reset);
    }
    reset();
    emit sourceModelChanged();
}

void ServerListFilter::setPhrase(const QString& phrase)
{
    if (phrase == m_phrase)
        return;
    m_phrase = phrase;
    m_needle = ServerSearchIndex::needle(phrase.simplified());
    reset();
    emit phraseChanged();
}

int ServerListFilter::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_shown.size();
}

QVariant ServerListFilter::data(const QModelIndex& index, int role) const
{
    if (!m_source || index.row() < 0 || index.row() >= m_shown.size())
        return {};
    return m_source->data(m_source->index(m_shown.at(index.row())), role);
}

QHash<int, QByteArray> ServerListFilter::roleNames() const
{
    return m_source ? m_source->roleNames() : QHash<int, QByteArray>();
}

bool ServerListFilter::accepts(int sourceRow) const
{
    return m_source->rowMatches(sourceRow, m_needle);
}

int ServerListFilter::position(int sourceRow) const
{
    return int(std::lower_bound(m_shown.cbegin(), m_shown.cend(), sourceRow) - m_shown.cbegin());
}

void ServerListFilter::rebuild()
{
    m_shown.clear();
    const int rows = m_source ? m_source->rowCount() : 0;
    m_shown.reserve(rows);
    for (int row = 0; row < rows; ++row) {
        if (accepts(row))
            m_shown << row;
    }
}

void ServerListFilter::reset()
{
    const int before = m_shown.size();
    beginResetModel();
    rebuild();
    endResetModel();
    if (m_shown.size() != before)
        emit countChanged();
}

void ServerListFilter::onRowsInserted(int first, int last)
{
    const int inserted = last - first + 1;
    const int at = position(first);
    for (int i = at; i < m_shown.size(); ++i)
        m_shown[i] += inserted;
    QVector<int> accepted;
    for (int row = first; row <= last; ++row) {
        if (accepts(row))
            accepted << row;
    }
    if (accepted.isEmpty())
        return;
    beginInsertRows(QModelIndex(), at, at + accepted.size() - 1);
    m_shown.insert(at, accepted.size(), 0);
    std::copy(accepted.cbegin(), accepted.cend(), m_shown.begin() + at);
    endInsertRows();
    emit countChanged();
}

void ServerListFilter::onRowsAboutToBeRemoved(int first, int last)
{
    const int from = position(first);
    const int to = position(last + 1);
    m_removing = from < to;
    if (m_removing)
        beginRemoveRows(QModelIndex(), from, to - 1);
}

void ServerListFilter::onRowsRemoved(int first, int last)
{
    const int removed = last - first + 1;
    const int from = position(first);
    const int to = position(last + 1);
    m_shown.erase(m_shown.begin() + from, m_shown.begin() + to);
    for (int i = from; i < m_shown.size(); ++i)
        m_shown[i] -= removed;
    if (m_removing) {
        m_removing = false;
        endRemoveRows();
        emit countChanged();
    }
}

void ServerListFilter::onDataChanged(int first, int last)
{
    // An invalid index would name row -1, which no list has.
    first = qMax(first, 0);
    last = qMin(last, m_source->rowCount() - 1);
    for (int row = first; row <= last; ++row) {
        const int at = position(row);
        const bool shown = at < m_shown.size() && m_shown.at(at) == row;
        const bool wanted = accepts(row);
        if (shown && wanted) {
            emit dataChanged(index(at), index(at));
        } else if (wanted) {
            beginInsertRows(QModelIndex(), at, at);
            m_shown.insert(at, row);
            endInsertRows();
            emit countChanged();
        } else if (shown) {
            beginRemoveRows(QModelIndex(), at, at);
            m_shown.remove(at);
            endRemoveRows();
            emit countChanged();
        }
    }
}
