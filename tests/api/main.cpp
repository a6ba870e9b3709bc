#include "cataloguetest.h"
#include "networkapitest.h"
#include "support/testenvironment.h"

#include <QApplication>
#include <QtTest>

CORVALINK_TEST_MAIN(new CatalogueTest, new NetworkApiTest)
