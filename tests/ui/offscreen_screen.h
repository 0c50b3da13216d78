#pragma once
// Window tests that need a screen of a given size: the offscreen platform
// reads its screens from a JSON file named on its command line.

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
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

// The scale factor is read once, when the application starts: a check at
// another scale runs in a copy of the test program started with
// QT_SCALE_FACTOR, which runs only that check (see VQX_SCALE_CHECK below).
inline const char *const kScaleCheckVariable = "VQX_SCALE_CHECK";

struct ScaleRun
{
    int status = -1;
    QString output;
};

inline ScaleRun runCheckAtScale(const QString &check, const QString &scale)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
    env.insert(QLatin1String(kScaleCheckVariable), check);
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QCoreApplication::applicationFilePath(), {});
    ScaleRun r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        r.output = QStringLiteral("no answer within 60 s");
        return r;
    }
    r.output = QString::fromLocal8Bit(p.readAll()).trimmed();
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return r;
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

// The same, for a test that also has checks run at other scales:
// `scaleCheck(name)` runs the named check in this process and returns what
// went wrong, empty when nothing did.
#define VQX_TEST_MAIN_ON_SCREEN_WITH_SCALE_CHECKS(TestObject, width, height, scaleCheck)           \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        vqx::test::useOffscreenScreen(width, height);                                              \
        QApplication app(argc, argv);                                                              \
        QFile::remove(QDir::temp().filePath(                                                       \
            QStringLiteral("vqx-screen-%1.json").arg(QCoreApplication::applicationPid())));        \
        if (qEnvironmentVariableIsSet(vqx::test::kScaleCheckVariable)) {                           \
            const QString problem =                                                                \
                scaleCheck(qEnvironmentVariable(vqx::test::kScaleCheckVariable));                  \
            if (!problem.isEmpty())                                                                \
                fprintf(stderr, "%s\n", qPrintable(problem));                                      \
            return problem.isEmpty() ? 0 : 1;                                                      \
        }                                                                                          \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        TestObject tc;                                                                             \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
