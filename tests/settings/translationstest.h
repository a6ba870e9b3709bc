#pragma once

#include <QObject>

class TranslationsTest : public QObject
{
    Q_OBJECT

private slots:
    void everyLanguageHasACompleteCompiledCatalogue();
};
