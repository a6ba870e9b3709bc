#include "updatetest.h"

#include "utils/update.h"
#include "utils/utils.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void writeComponents(const QString& folder, const QByteArray& xml)
{
    QFile file(folder + QStringLiteral("/components.xml"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(xml);
}

} // namespace

void UpdateTest::cleanup()
{
    Utils::setApplicationDirectoryForTesting(QString());
}

void UpdateTest::versionComesFromFirstVersionElement()
{
    QCOMPARE(Update::versionFromComponents("<Packages><ApplicationName>x</ApplicationName><Package>"
                                           "<Name>a</Name><Version>1.2.3-4</Version></Package>"
                                           "<Package><Version>9</Version></Package></Packages>"),
             QStringLiteral("1.2.3-4"));
    QCOMPARE(Update::versionFromComponents("<Packages><version>1</version></Packages>"), QString());
}

void UpdateTest::brokenDescriptionGivesEmptyVersion()
{
    QTest::ignoreMessage(QtDebugMsg,
                         QRegularExpression(QStringLiteral("^Update: Cannot parse XML: .+")));
    QCOMPARE(Update::versionFromComponents("<Packages><Package>"), QString());
}

void UpdateTest::installedVersionIsReadOnce()
{
    QTemporaryDir dir;
    Utils::setApplicationDirectoryForTesting(dir.path());
    QCOMPARE(Update::installedVersion(), QString());

    writeComponents(dir.path(), "<Packages><Package><Version>3.1.0</Version></Package></Packages>");
    QCOMPARE(Update::installedVersion(), QStringLiteral("3.1.0"));

    writeComponents(dir.path(), "<Packages><Package><Version>3.2.0</Version></Package></Packages>");
    QCOMPARE(Update::installedVersion(), QStringLiteral("3.1.0"));
}
