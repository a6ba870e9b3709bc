#pragma once

#include <QObject>

class SimpleModelsTest : public QObject
{
    Q_OBJECT

private slots:
    void portListShowsAutoAndPorts();
    void previewListHasThreeItems();
    void dashCircleDrawsInsideItsBox();
};
