#pragma once

#include <QAbstractListModel>
#include <QHash>
#include <QVector>

// The port choices of a protocol's combo box; port 0 stands for the automatic choice.
class ComboBoxListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum ProxyRoles
    {
        Id = Qt::UserRole + 1,
        TextRole,
        ValueRole
    };
    Q_ENUM(ProxyRoles)

    explicit ComboBoxListModel(bool tcpPorts, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

private:
    QVector<quint16> m_ports;
};
