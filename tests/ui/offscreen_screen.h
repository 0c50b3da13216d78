#pragma once
// Window tests that need a screen of a given size: the offscreen platform
// reads its screens from a JSON file named on its command line.

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTest>

namespace vqx::test {

// Call before the QApplication is made.
inline void useOffscreenScreen(int width, int height)
{
    const QString path = QDir::temp().filePath(
        QStringLiteral("vqx-screen-%1.json").arg(QCoreApplication::applicationPid()));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    f.write(QStringLiteral(R"({"windowFrameMargins": true, "screens": [{"name": "screen", "x": 0, )"
                           R"("y": 0, "width": %1, "height": %2, "logicalDpi": 96}]})")
                .arg(width)
                .arg(height)
                .toUtf8());
    f.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(path));
}

} // namespace vqx::test

// QTEST_MAIN on an offscreen screen of the given size.
#define VQX_TEST_MAIN_ON_SCREEN(TestObject, width, height)                                         \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        vqx::test::useOffscreenScreen(width, height);                                              \
        QApplication app(argc, argv);                                                              \
        QFile::remove(QDir::temp().filePath(                                                       \
            QStringLiteral("vqx-screen-%1.json").arg(QCoreApplication::applicationPid())));        \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        TestObject tc;                                                                             \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
