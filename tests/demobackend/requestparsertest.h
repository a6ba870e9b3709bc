#pragma once

#include <QObject>

class RequestParserTest : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
};
