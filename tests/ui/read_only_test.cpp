// A log the operator made read-only is never rewritten: every change of it
// is refused with a message naming it, the file keeps its bytes, its mode,
// its owner and its inode, and what was typed stays in the fields.
#include "log_changes.h"

#include "logstore/backups.h"
#include "logstore/prenoms.h"

#include <QDir>
#include <QTreeWidget>

#include <sys/stat.h>
#include <unistd.h>

using namespace vqx;
using namespace vqx::test;

namespace {

const QString &A = kSampleA;
const QString &B = kSampleB;
const QString &C = kSampleC;

enum class Operation
{
    Recording,
    Modification,
    Deletion,
    Insertion,
    Import,
    Restore,
    Undo
};

struct FileState
{
    QByteArray bytes;
    mode_t mode = 0;
    uid_t owner = 0;
    ino_t inode = 0;
    bool operator==(const FileState &o) const
    {
        return bytes == o.bytes && mode == o.mode && owner == o.owner && inode == o.inode;
    }
};

FileState stateOf(const QString &path)
{
    FileState s;
    s.bytes = readBytes(path);
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
        s.mode = st.st_mode;
        s.owner = st.st_uid;
        s.inode = st.st_ino;
    }
    return s;
}

QStringList backups(const MainHarness &h)
{
    return QDir(backupFolderPath(h.dir.path())).entryList(QDir::Files);
}

} // namespace

class ReadOnlyTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readOnlyLogIsLeftAlone_data();
    void readOnlyLogIsLeftAlone();
    void readOnlyFirstNameFileStopsTheRecording();
};

void ReadOnlyTest::readOnlyLogIsLeftAlone_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<QString>("consequence");
    const auto row = [](const char *name, Operation op, const QString &consequence) {
        QTest::newRow(name) << int(op) << consequence;
    };
    const QString notRecorded = QStringLiteral("le QSO n'a pas été enregistré");
    row("enregistrement", Operation::Recording, notRecorded);
    row("modification", Operation::Modification, notRecorded);
    row("suppression", Operation::Deletion, QStringLiteral("rien n'a été modifié"));
    row("insertion", Operation::Insertion, notRecorded);
    row("import ADIF", Operation::Import, QStringLiteral("rien n'a été importé"));
    row("restauration", Operation::Restore, QStringLiteral("la restauration est abandonnée"));
    row("annulation", Operation::Undo, QStringLiteral("rien n'a été annulé"));
}

void ReadOnlyTest::readOnlyLogIsLeftAlone()
{
    QFETCH(int, operation);
    QFETCH(QString, consequence);
    const Operation op = Operation(operation);
    MainHarness h;
    const QString prenoms = h.dir.file(kPrenomFile);
    QVERIFY(writeBytes(prenoms, "FAAAA        31 JEAN\r\n"));
    const QString adif = h.dir.file(QStringLiteral("autre.adi"));
    QVERIFY(writeBytes(adif, "<CALL:5>F5NEW <QSO_DATE:8>20210605 <TIME_ON:4>1432 <BAND:3>20m "
                             "<MODE:3>SSB <NAME:4>PAUL <SIG:3>VQX <SIG_INFO:7>75FA010 <EOR>\r\n"));
    MainWindow *m = openStation(h, {A, B, C});
    if (op == Operation::Restore)
        QVERIFY(backupLog(h.dir.path(), QStringLiteral("F1ABC"),
                          QDateTime(QDate(2021, 6, 1), QTime(8, 5, 9), Qt::UTC))
                    .ok());
    if (op == Operation::Undo) {
        recordNewContact(h);
        QVERIFY(m->Mnu_Annuler->isEnabled());
        h.fakes.messages.clear();
    }

    // Read-only, and another user's: root's rights would ignore both.
    QVERIFY(::chown(QFile::encodeName(h.logFile()).constData(), 4242, 4242) == 0);
    QVERIFY(::chmod(QFile::encodeName(h.logFile()).constData(), 0444) == 0);
    const FileState before = stateOf(h.logFile());
    const QByteArray prenomsBefore = readBytes(prenoms);
    const QStringList backupsBefore = backups(h);

    switch (op) {
    case Operation::Recording:
        recordNewContact(h);
        break;
    case Operation::Modification:
        modifyFountainName(h, 1, true);
        break;
    case Operation::Deletion:
        deleteLine(h, 1);
        break;
    case Operation::Insertion: {
        QTest::mouseClick(m->form()->Ajout_QSO, Qt::LeftButton);
        MainHarness::Contact c = newContact();
        c.date = QStringLiteral("01/06/08");
        c.time = QStringLiteral("12:00");
        QCOMPARE(h.typeContact(c), QString());
        QVERIFY(h.record());
        break;
    }
    case Operation::Import:
        h.fakes.fileDialogs.openAnswers = {adif};
        m->Mnu_Import_ADIF->trigger();
        break;
    case Operation::Restore: {
        auto *w = openRestore(m);
        QVERIFY(w);
        QVERIFY(Keyboard::activate(w));
        QCOMPARE(Keyboard::focusName(), QStringLiteral("Liste_Sauvegardes"));
        h.fakes.messages.answers = {true};
        Keyboard::enter();
        break;
    }
    case Operation::Undo:
        h.fakes.messages.answers = {true};
        pressUndo();
        break;
    }

    QCOMPARE(h.fakes.messages.shown.size(), 1);
    const QString shown = h.fakes.messages.shown.first();
    QVERIFY2(shown.startsWith(QStringLiteral("Le log ") + QDir::toNativeSeparators(h.logFile()) +
                              QStringLiteral(" est en lecture seule : ") + consequence),
             qPrintable(shown));
    QVERIFY(stateOf(h.logFile()) == before);
    QCOMPARE(readBytes(prenoms), prenomsBefore);
    QCOMPARE(backups(h), backupsBefore);
    QVERIFY(!QFile::exists(h.dir.file(kScratchFile)));
    // What was typed is still there, ready once the log is writable again.
    if (op == Operation::Recording || op == Operation::Insertion)
        QCOMPARE(m->form()->Ind_A->text(), QStringLiteral("F5NEW"));
    if (op == Operation::Modification)
        QCOMPARE(m->form()->Rem_A->text(), QStringLiteral("DU LAVOIR"));
}

void ReadOnlyTest::readOnlyFirstNameFileStopsTheRecording()
{
    MainHarness h;
    const QString prenoms = h.dir.file(kPrenomFile);
    QVERIFY(writeBytes(prenoms, "FAAAA        31 JEAN\r\n"));
    QVERIFY(::chmod(QFile::encodeName(prenoms).constData(), 0444) == 0);
    MainWindow *m = openStation(h, {A, B});
    const FileState before = stateOf(prenoms);
    const QByteArray log = h.logBytes();

    recordNewContact(h);

    QCOMPARE(h.fakes.messages.shown,
             QStringList{QStringLiteral("Le répertoire des prénoms ") +
                         QDir::toNativeSeparators(prenoms) +
                         QStringLiteral(" est en lecture seule : le QSO n'a pas été enregistré "
                                        "(le droit d'écriture de son propriétaire est retiré)."
                                        "\r\nRendez-lui le droit d'écriture pour qu'il puisse "
                                        "être modifié.")});
    QVERIFY(stateOf(prenoms) == before);
    QCOMPARE(h.logBytes(), log);
    QCOMPARE(m->form()->Ind_A->text(), QStringLiteral("F5NEW"));
}

QTEST_MAIN(ReadOnlyTest)
#include "read_only_test.moc"
