#pragma once

#include <QQuickPaintedItem>
#include <QString>

// The dashed circle drawn around the connection button and in the theme editor's preview.
class DashCircle : public QQuickPaintedItem
{
    Q_OBJECT
    Q_PROPERTY(QString color READ color WRITE setColor NOTIFY colorChanged)

public:
    explicit DashCircle(QQuickItem* parent = nullptr);

    void paint(QPainter* painter) override;
    QString color() const { return m_color; }
    void setColor(const QString& color);

signals:
    void colorChanged(QString color);

private:
    QString m_color = QStringLiteral("#193151");
};
