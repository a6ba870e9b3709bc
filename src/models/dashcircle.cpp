#include "dashcircle.h"

#include <QColor>
#include <QPainter>
#include <QPen>

DashCircle::DashCircle(QQuickItem* parent) : QQuickPaintedItem(parent)
{
    setObjectName(QStringLiteral("DashCircle"));
}

void DashCircle::paint(QPainter* painter)
{
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(QPen(QColor(m_color), 1, Qt::DashLine));
    // One pixel less keeps the right and bottom edges of the pen inside the item.
    painter->drawEllipse(QRectF(0, 0, width() - 1, height() - 1));
}

void DashCircle::setColor(const QString& color)
{
    m_color = color;
    update();
}
