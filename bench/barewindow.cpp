// The floor of the client's start-up: a bare 400x650 window of the same kinds as the client's
// (a widgets application, a Qt Quick Controls application window), started as the client is.
// On its first frame it writes "First frame shown" to the file named by its argument.
#include <QApplication>
#include <QFile>
#include <QQmlApplicationEngine>
#include <QQuickWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString mark = QFile::decodeName(argv[1]);
    QQmlApplicationEngine engine;
    engine.loadData(
        "import QtQuick 2.12\nimport QtQuick.Controls 2.12\n"
        "ApplicationWindow { width: 400; height: 650; visible: true; color: \"white\" }");
    auto* window = qobject_cast<QQuickWindow*>(engine.rootObjects().value(0));
    if (!window)
        return 1;
    // Handled on the main thread, as the client handles its own.
    QObject::connect(
        window, &QQuickWindow::frameSwapped, &app,
        [mark] {
            QFile file(mark);
            if (file.size() == 0 && file.open(QIODevice::WriteOnly))
                file.write("First frame shown\n");
        },
        Qt::QueuedConnection);
    return app.exec();
}
