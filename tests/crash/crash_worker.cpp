// Changes a log and the first-name directory at random, as fast as it can,
// until it is killed. Before each operation it tells the driver, on a pipe,
// the digests of both files before and after the operation; after it, that
// the operation is done. Each report is one write() below PIPE_BUF, so a
// kill never leaves half of one.
//
// The changes go through a log session, as the program's: each run starts
// with the automatic backup of the log (operation kind 6), and the last
// change is sometimes undone (kind 5).
//
//   crash_worker <folder> <seed> <report fd>
#include "crash_model.h"

#include "logstore/log_operations.h"
#include "logstore/log_session.h"
#include "logstore/prenoms.h"
#include "platform/clock.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <unistd.h>

using namespace vqx;
using namespace vqx::crash;

namespace {

int g_report = -1;

void report(const QByteArray &text)
{
    // One write: a pipe keeps it whole.
    if (::write(g_report, text.constData(), size_t(text.size())) != text.size())
        std::_Exit(4);
}

[[noreturn]] void fail(qint64 op, const QByteArray &why)
{
    report("E " + QByteArray::number(op) + ' ' + why + '\n');
    std::_Exit(3);
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

class Dice
{
public:
    explicit Dice(quint64 seed) : m_rng(seed) {}
    int below(int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(m_rng)); }
    template <typename T> const T &pick(const QList<T> &from)
    {
        return from.at(below(int(from.size())));
    }
    QByteArray two(int lo, int hi)
    {
        return QByteArray::number(lo + below(hi - lo + 1)).rightJustified(2, '0');
    }

private:
    std::mt19937_64 m_rng;
};

QByteArray padded(const QByteArray &v, int width)
{
    return v.leftJustified(width, ' ', true);
}

// A well-formed contact, in the log's code page (Latin-1 letters only, so
// the text and the bytes agree without the store's own decoding).
QByteArray randomContact(Dice &d)
{
    static const QByteArrayList calls = {"F1AAA", "F4BCD", "F5XYZ", "F6KLM", "TM5FTN", "F8ZZZ"};
    static const QByteArrayList names = {"", "JEAN", "H\xC9L\xC8NE", "FRAN\xC7OIS", "MARIE"};
    static const QByteArrayList bands = {"1.8 Mhz", "3.5 Mhz", "7.0 Mhz", "10 Mhz",
                                         "14 Mhz",  "18 Mhz",  "21 Mhz",  "24 Mhz",
                                         "28 Mhz",  "50 Mhz",  "144 Mhz"};
    static const QByteArrayList modes = {"SSB", "CW", "FM"};
    static const QByteArrayList fountains = {"", "F. DE LA PLACE", "F. DU MARCH\xC9",
                                             "F. SAINT-JEAN"};
    const QByteArray dpt = d.two(1, 95);
    const QByteArray mode = d.pick(modes);
    const QByteArray rst = mode == "CW" ? "599" : "59";
    QByteArray line;
    line += padded(d.pick(calls), 12) + ' ';
    line += dpt + ' ';
    line += padded(d.pick(names), 15) + ' ';
    line += dpt + (d.below(2) ? "FA" : "FT") +
            QByteArray::number(d.below(1000)).rightJustified(3, '0') + ' ';
    line += d.two(1, 28) + '/' + d.two(1, 12) + '/' + d.two(8, 12) + ' ';
    line += d.two(0, 23) + ':' + d.two(0, 59) + ' ';
    line += padded(mode, 3) + ' ';
    line += padded(d.pick(bands), 7) + ' ';
    line += padded(rst, 3) + ' ' + padded(rst, 3) + ' ';
    line += padded(d.pick(fountains), 30) + ' ';
    line += d.below(2) ? '*' : ' ';
    return line;
}

QByteArray randomNameEntry(Dice &d)
{
    static const QByteArrayList calls = {"F1AAA",  "F4BCD", "F5XYZ",       "F6KLM",
                                         "TM5FTN", "F8ZZZ", "F4ABCDEFGHIJ"};
    static const QByteArrayList names = {"", "JEAN", "H\xC9L\xC8NE", "PIERRE-ANTOINE"};
    const QByteArray dpt = d.below(3) ? d.two(1, 95) : QByteArray("  ");
    return padded(d.pick(calls), 12) + ' ' + dpt + ' ' + d.pick(names);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4)
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    Dice dice(std::strtoull(argv[2], nullptr, 10));
    g_report = std::atoi(argv[3]);
    const QString logPath = QDir(folder).filePath(QStringLiteral("FCRASH_VQX.log"));
    const QString namesPath = QDir(folder).filePath(kPrenomFile);
    SystemClock clock;
    LogSession session(folder, &clock, [] { return QStringLiteral("FCRASH"); });

    report("R\n");
    // What the last change found, for its undo.
    QByteArray undoTarget;
    for (qint64 op = 1;; ++op) {
        const QByteArray logBefore = readAll(logPath);
        const QByteArray namesBefore = readAll(namesPath);
        const QByteArrayList lines = crlfLines(logBefore);
        QByteArrayList logAfter = lines;
        QByteArrayList namesAfter = crlfLines(namesBefore);
        const QByteArray contact = randomContact(dice);
        // Existing lines half the time, so that replacing and deleting find
        // something, duplicates included.
        const QByteArray existing =
            !lines.isEmpty() && dice.below(5) ? dice.pick(lines) : randomContact(dice);

        int kind = op == 1 ? 6 : dice.below(6);
        if (kind == 5 && !session.canUndo())
            kind = 0;
        QByteArray name;
        switch (kind) {
        case 0:
            logAfter = appended(lines, dice.below(8) ? contact : existing);
            break;
        case 1:
            logAfter = insertedByDate(lines, contact);
            break;
        case 2:
            logAfter = replaced(lines, contact, existing);
            break;
        case 3:
            logAfter = removed(lines, existing);
            break;
        case 4:
            name = randomNameEntry(dice);
            namesAfter = storedName(namesAfter, name);
            break;
        case 5:
            logAfter = crlfLines(undoTarget);
            break;
        default:
            break; // the backup leaves both files as they are
        }
        const QByteArray logExpected = joinCrlf(logAfter);
        const QByteArray namesExpected = joinCrlf(namesAfter);
        report("B " + QByteArray::number(op) + ' ' + QByteArray::number(kind) + ' ' +
               digest(logBefore) + ' ' + digest(logExpected) + ' ' + digest(namesBefore) + ' ' +
               digest(namesExpected) + '\n');

        bool ok = true;
        switch (kind) {
        case 0:
            ok = session.Ajouter_Qso(QString::fromLatin1(logAfter.last())).ok();
            break;
        case 1:
            ok = session.Inserer_Qso_Chrono(QString::fromLatin1(contact)).ok();
            break;
        case 2:
            ok = session.Remplacer_Qso(QString::fromLatin1(contact), QString::fromLatin1(existing))
                     .ok();
            break;
        case 3:
            ok = session.Supprimer_Qso(QString::fromLatin1(existing)).ok();
            break;
        case 4:
            ok = Memoriser_Prenom(folder, QString::fromLatin1(name)).ok();
            break;
        case 5:
            ok = session.undo().status == LogSession::UndoStatus::Done;
            break;
        default:
            session.backupBeforeFirstChange();
            ok = !session.takeBackupFailure().has_value();
            break;
        }
        if (!ok)
            fail(op, "the operation reported a failure");
        if (readAll(logPath) != logExpected)
            fail(op, "the log differs from the expected content");
        if (readAll(namesPath) != namesExpected)
            fail(op, "the first-name directory differs from the expected content");
        if (kind <= 3)
            undoTarget = logBefore;
        report("D " + QByteArray::number(op) + '\n');
    }
}
