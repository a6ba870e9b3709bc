#include "serverlistfilter.h"

#include "models/serverlistmodel.h"
#include "models/serversearchindex.h"

ServerListFilter::ServerListFilter(QObject* parent) : QSortFilterProxyModel(parent)
{
    for (auto changed : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(this, changed, this, &ServerListFilter::countChanged);
    connect(this, &QAbstractItemModel::modelReset, this, &ServerListFilter::countChanged);
    connect(this, &QAbstractItemModel::layoutChanged, this, &ServerListFilter::countChanged);
}

void ServerListFilter::setPhrase(const QString& phrase)
{
    if (phrase == m_phrase)
        return;
    m_phrase = phrase;
    m_needle = ServerSearchIndex::needle(phrase.simplified());
    invalidateFilter();
    emit phraseChanged();
    emit countChanged();
}

bool ServerListFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    if (m_needle.isEmpty() || sourceParent.isValid())
        return true;
    const auto* model = qobject_cast<const ServerListModel*>(sourceModel());
    return !model || model->rowMatches(sourceRow, m_needle);
}
