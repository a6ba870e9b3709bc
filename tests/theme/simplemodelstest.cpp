#include "simplemodelstest.h"

#include "models/comboboxlistmodel.h"
#include "models/dashcircle.h"
#include "models/simplelistmodel.h"

#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

namespace {

QImage blank()
{
    QImage image(41, 41, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

int redPixels(const QImage& image)
{
    int red = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) > 128 && qRed(pixel) > 200 && qGreen(pixel) < 50)
                ++red;
        }
    }
    return red;
}

} // namespace

void SimpleModelsTest::portListShowsAutoAndPorts()
{
    ComboBoxListModel tcp(true);
    const QHash<int, QByteArray> roles = tcp.roleNames();
    const int text = roles.key("text");
    const int value = roles.key("value");
    QCOMPARE(roles.key("id"), 257);
    QCOMPARE(tcp.rowCount(), 10);
    QCOMPARE(tcp.index(0).data(text), QVariant(QStringLiteral("Auto")));
    QCOMPARE(tcp.index(0).data(value), QVariant(0));
    QCOMPARE(tcp.index(9).data(text), QVariant(QStringLiteral("8080")));
    QCOMPARE(tcp.index(9).data(value), QVariant(8080));
    QCOMPARE(tcp.index(9).data(roles.key("id")), QVariant(9));
    QCOMPARE(tcp.index(3).data(Qt::DisplayRole), QVariant(QStringLiteral("Undefined")));
    QCOMPARE(tcp.data(QModelIndex(), text), QVariant(QStringLiteral("Undefined")));
    QCOMPARE(tcp.rowCount(tcp.index(0)), 0);

    ComboBoxListModel other(false);
    QCOMPARE(other.rowCount(), 3);
    QCOMPARE(other.index(0).data(text), QVariant(QStringLiteral("53")));
}

void SimpleModelsTest::previewListHasThreeItems()
{
    SimpleListModel model;
    const QHash<int, QByteArray> roles = model.roleNames();
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.property("isEmpty"), QVariant(true));
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(model.index(row).data(roles.key("ItemData")),
                 QVariant(QStringLiteral("Item %1").arg(row + 1)));
        QCOMPARE(model.index(row).data(roles.key("ItemId")), QVariant(row));
    }
    QCOMPARE(model.index(0).data(Qt::DisplayRole), QVariant());
}

void SimpleModelsTest::dashCircleDrawsInsideItsBox()
{
    DashCircle circle;
    QSignalSpy changes(&circle, &DashCircle::colorChanged);
    QCOMPARE(circle.color(), QStringLiteral("#193151"));
    circle.setColor(QStringLiteral("#ff0000"));
    QCOMPARE(changes.count(), 0);
    circle.setSize(QSizeF(41, 41));

    QImage image = blank();
    QPainter painter(&image);
    circle.paint(&painter);
    painter.end();
    QImage solid = blank();
    QPainter solidPainter(&solid);
    solidPainter.setRenderHint(QPainter::Antialiasing);
    solidPainter.setPen(QPen(Qt::red, 1));
    solidPainter.drawEllipse(QRectF(0, 0, 40, 40));
    solidPainter.end();

    // A dashed ring: part of the solid one, no fill, nothing in the corners.
    QVERIFY(redPixels(image) > redPixels(solid) / 4);
    QVERIFY(redPixels(image) < redPixels(solid) * 3 / 4);
    QCOMPARE(qAlpha(image.pixel(20, 20)), 0);
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(40, 40)), 0);
}
