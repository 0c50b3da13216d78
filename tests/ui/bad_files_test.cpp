// Bad logs, folders and settings, from the main window and every window that
// reads the log: each says what is wrong with which file, keeps running and
// leaves every file as it was.
#include "main_harness.h"

#include "awards/award_list_window.h"
#include "logstore/codepage.h"
#include "logstore/prenoms.h"
#include "search/search_window.h"
#include "session/shared_values.h"
#include "station/station_window.h"

#include <QAction>
#include <QListWidget>
#include <QRadioButton>
#include <QTimer>

using namespace vqx;
using namespace vqx::test;

namespace {

enum class LogKind
{
    File,
    Folder,
    Missing
};

const QString A = qso(QStringLiteral("FAAAA"), QStringLiteral("31FA001"),
                      QStringLiteral("05/06/08"), QStringLiteral("14:32"));
const QString B =
    qso(QStringLiteral("FBBBB"), QStringLiteral("2AFT002"), QStringLiteral("06/06/08"),
        QStringLiteral("10:00"), QStringLiteral("144 Mhz"));

// What the data folder holds, to be compared after each window.
struct Snapshot
{
    QStringList entries;
    QByteArray log;
    bool operator==(const Snapshot &o) const { return entries == o.entries && log == o.log; }
};

Snapshot snapshot(const MainHarness &h)
{
    return {h.dir.entries(), QFileInfo(h.logFile()).isFile() ? h.logBytes() : QByteArray()};
}

// Closes the modal station window of a first start as soon as it shows.
void closeStationWindow(bool *seen)
{
    QTimer::singleShot(0, [seen] {
        auto *w = qobject_cast<StationWindow *>(QApplication::activeModalWidget());
        *seen = w != nullptr;
        if (w)
            w->close();
    });
}

} // namespace

class BadFilesTest : public QObject
{
    Q_OBJECT
private slots:
    void badLog_data();
    void badLog();
    void nothingCanBeWrittenInTheDataFolder();
    void irregularFirstNameFile();
    void dataFolderIsAFile();
    void damagedSettingsFile();
};

void BadFilesTest::badLog_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("said");

    const auto enc = [](const QString &s) { return codepage::encode(s); };
    QTest::newRow("line feeds only")
        << int(LogKind::File) << enc(A + u'\n' + B + u'\n') << 2 << "pas CR LF";
    QTest::newRow("lines shorter than 107")
        << int(LogKind::File)
        << enc(A.left(40) + QStringLiteral("\r\n") + B + QStringLiteral("\r\n")) << 2 << "107";
    QTest::newRow("lines longer than 107")
        << int(LogKind::File)
        << enc(A + QStringLiteral(" REMARQUE\r\n") + B + QStringLiteral("\r\n")) << 2 << "107";
    // Each kind of fault names its first line.
    QTest::newRow("bytes that are not text")
        << int(LogKind::File)
        << enc(B + QStringLiteral("\r\n") + A.left(20)) + QByteArray("\x00\x01\x81\x9d", 4) +
               enc(A.mid(24) + QStringLiteral("\r\n"))
        << 2 << "pas du texte (le premier à la ligne 2)";
    QTest::newRow("a line written in UTF-8")
        << int(LogKind::File)
        << enc(A + QStringLiteral("\r\n")) +
               qso(QStringLiteral("FBBBB"), QStringLiteral("75FT002"), QStringLiteral("06/06/08"),
                   QStringLiteral("10:00"), QStringLiteral("14 Mhz"), true, QStringLiteral("SSB"),
                   QStringLiteral("HÉLÈNE"))
                   .toUtf8() +
               "\r\n"
        << 2 << "en UTF-8 (la première est la ligne 2";
    QTest::newRow("a folder") << int(LogKind::Folder) << QByteArray() << 0 << "pas un fichier";
    QTest::newRow("missing") << int(LogKind::Missing) << QByteArray() << 0 << "introuvable";
}

void BadFilesTest::badLog()
{
    QFETCH(int, kind);
    QFETCH(QByteArray, bytes);
    QFETCH(int, rows);
    QFETCH(QString, said);

    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    if (LogKind(kind) == LogKind::File)
        QVERIFY(writeBytes(h.logFile(), bytes));
    else if (LogKind(kind) == LogKind::Folder)
        QVERIFY(QDir(h.dir.path()).mkdir(QFileInfo(h.logFile()).fileName()));
    const Snapshot before = snapshot(h);
    const bool readable = LogKind(kind) == LogKind::File;
    const QString logName = QFileInfo(h.logFile()).fileName();

    MainWindow *m = h.open();
    QCOMPARE(h.fakes.messages.shown.size(), 1);
    QVERIFY2(h.fakes.messages.last().contains(QDir::toNativeSeparators(h.logFile())),
             qPrintable(h.fakes.messages.last()));
    QVERIFY2(h.fakes.messages.last().contains(said), qPrintable(h.fakes.messages.last()));
    QVERIFY(m->isVisible());
    QCOMPARE(m->logModel()->rowCount(), rows);
    QVERIFY(m->form()->Ind_A->isEnabled());

    // Every reader of the log: a log it cannot read is named, one it can
    // read however irregular is shown as well as it can be.
    struct Reader
    {
        const char *name;
        std::function<void()> open;
    };
    const AwardChoice choice{QStringLiteral("HF"), QStringLiteral("Base")};
    std::unique_ptr<AwardListWindow> list;
    const Reader readers[] = {
        {"award levels", [&] { m->Mnu_HF->trigger(); }},
        {"award list",
         [&] {
             list = std::make_unique<AwardListWindow>(h.fakes.services,
                                                      m->shared().Indicatif_Station, choice);
         }},
        {"contacted list", [&] { m->Mnu_L_Contacte->trigger(); }},
        {"map", [&] { m->Mnu_Carte_Contacte->trigger(); }},
    };
    for (const Reader &r : readers) {
        h.fakes.messages.clear();
        r.open();
        if (readable) {
            QVERIFY2(h.fakes.messages.shown.isEmpty(), r.name);
        } else {
            QVERIFY2(h.fakes.messages.shown.size() == 1, r.name);
            QVERIFY2(h.fakes.messages.last().contains(logName),
                     qPrintable(h.fakes.messages.last()));
        }
        QVERIFY2(snapshot(h) == before, r.name);
    }
    if (readable) {
        QCOMPARE(list->Enregistrer->isEnabled(), true);
    } else {
        QVERIFY(!list->Enregistrer->isEnabled());
    }

    // The search reads the main list, never the file.
    h.fakes.messages.clear();
    m->form()->Rechercher->click();
    auto *search =
        qobject_cast<SearchWindow *>(m->secondary(QStringLiteral("Recherche_Indicatif")));
    QVERIFY(search);
    QVERIFY(Keyboard::activate(search));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Indica"));
    Keyboard::typeEnter(QStringLiteral("f"));
    QCOMPARE(search->QSO_Effectues->count(), rows);
    QCOMPARE(h.fakes.messages.shown,
             rows ? QStringList() : QStringList{QStringLiteral("Pas de QSO trouvé")});

    // The export writes what it can read, and nothing when it cannot.
    h.fakes.messages.clear();
    m->Mnu_ADIF->trigger();
    QCOMPARE(h.fakes.messages.shown.size(), 1);
    const QString adi = h.dir.file(QStringLiteral("F1ABC_VQX.adi"));
    if (readable) {
        QCOMPARE(h.fakes.messages.last(),
                 QStringLiteral("Le fichier a été enregistré sous le nom : F1ABC_VQX.adi"));
        QVERIFY(QFile::remove(adi));
    } else {
        QVERIFY2(h.fakes.messages.last().contains(QDir::toNativeSeparators(h.logFile())),
                 qPrintable(h.fakes.messages.last()));
        QVERIFY(!QFileInfo::exists(adi));
    }
    QVERIFY(snapshot(h) == before);
    if (LogKind(kind) == LogKind::Folder)
        QVERIFY(QFileInfo(h.logFile()).isDir());
}

// Nothing can be created in the data folder: the scratch names of every
// rewrite are taken by folders (the tests run as root, whom permissions do
// not stop). Each write says which file it could not write; none changes.
void BadFilesTest::nothingCanBeWrittenInTheDataFolder()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog({A});
    QVERIFY(writeBytes(h.dir.file(QStringLiteral("Liste_Prenom.txt")), "FAAAA        31 JEAN\r\n"));
    for (const char *scratch : {"Temporaire.txt", "Temporaire6.txt", "Temporaire_ADIF.txt",
                                "Temporaire_Diplome.txt", "Fontaines_Contacte.tmp"})
        QVERIFY(QDir(h.dir.path()).mkdir(QLatin1String(scratch)));
    // A file where the folder of the automatic backups would go.
    QVERIFY(writeBytes(h.dir.file(QStringLiteral("Sauvegardes")), "not a folder"));
    const Snapshot before = snapshot(h);
    const QByteArray names = readBytes(h.dir.file(QStringLiteral("Liste_Prenom.txt")));

    MainWindow *m = h.open();
    QVERIFY(h.fakes.messages.shown.isEmpty());
    MainHarness::Contact c;
    c.call = QStringLiteral("F5NEW");
    c.prenom = QStringLiteral("paul");
    c.ref = QStringLiteral("75FA010");
    QCOMPARE(h.typeContact(c), QString());
    QVERIFY(h.record());
    // The first name, the backup and the contact: one message naming each file.
    QCOMPARE(h.fakes.messages.shown.size(), 1);
    const QString shown = h.fakes.messages.shown.first();
    for (const QString &named :
         {QDir::toNativeSeparators(h.logFile()), QDir::toNativeSeparators(h.dir.file(kPrenomFile)),
          QDir::toNativeSeparators(h.dir.file(QStringLiteral("Sauvegardes"))),
          QStringLiteral("Le log est resté tel qu'il était.")})
        QVERIFY2(shown.contains(named), qPrintable(shown));
    // The contact is still in the fields, ready to be recorded again.
    QCOMPARE(m->form()->Ind_A->text(), QStringLiteral("F5NEW"));
    QCOMPARE(m->logModel()->rowCount(), 1);

    h.fakes.messages.clear();
    m->Mnu_ADIF->trigger();
    QCOMPARE(h.fakes.messages.shown.size(), 1);
    QVERIFY(h.fakes.messages.last().contains(QStringLiteral("F1ABC_VQX.adi")));
    QVERIFY(h.fakes.messages.last().contains(QStringLiteral("n'a pas pu être enregistré")));

    AwardListWindow list(h.fakes.services, m->shared().Indicatif_Station,
                         AwardChoice{QStringLiteral("HF"), QStringLiteral("Base")});
    h.fakes.messages.clear();
    list.Enregistrer->click();
    QCOMPARE(h.fakes.messages.shown.size(), 1);
    QVERIFY(h.fakes.messages.last().contains(QStringLiteral("n'a pas pu être enregistré")));

    QVERIFY(snapshot(h) == before);
    QCOMPARE(readBytes(h.dir.file(QStringLiteral("Liste_Prenom.txt"))), names);
}

// The data folder is a file: no log can be found nor created there.
// A first-name file edited by hand: told once at start, first line of each
// kind named; the lookup reads a UTF-8 line as UTF-8 and never fills more
// than the field's 15 characters; the other lines stay byte for byte.
void BadFilesTest::irregularFirstNameFile()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog({A});
    const QString prenoms = h.dir.file(kPrenomFile);
    const QByteArray utf8 = QStringLiteral("F5NEW        75 HÉLÈNE\r\n").toUtf8();
    const QByteArray tooLong = "F6LNG        31 JEAN-CHRISTOPHE-MARIE-HENRI\r\n";
    QVERIFY(writeBytes(prenoms, "FAAAA        31 JEAN\r\n" + utf8 + tooLong));

    MainWindow *m = h.open();
    QCOMPARE(h.fakes.messages.shown,
             QStringList{QStringLiteral("Le répertoire des prénoms ") +
                         QDir::toNativeSeparators(prenoms) +
                         QStringLiteral(" contient 1 ligne(s) mal disposée(s) (la première "
                                        "est la ligne 3 : un prénom de plus de 15 caractères, ou "
                                        "des colonnes décalées), des lignes écrites en UTF-8 (la "
                                        "première est la ligne 2 : le fichier a sans doute été "
                                        "modifié dans un éditeur en UTF-8).\r\nLes prénoms y sont "
                                        "lus au mieux, jamais au-delà de 15 caractères, et le "
                                        "fichier n'a pas été modifié.")});
    h.fakes.messages.clear();

    Keyboard::typeEnter(QStringLiteral("F6LNG"));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Prenom_A"));
    QCOMPARE(m->form()->Prenom_A->text(), QStringLiteral("JEAN-CHRISTOPHE"));
    QTest::mouseClick(m->form()->Efface_A, Qt::LeftButton);

    MainHarness::Contact c;
    c.call = QStringLiteral("F5NEW");
    c.ref = QStringLiteral("75FA010");
    QCOMPARE(h.typeContact(c), QString());
    QCOMPARE(m->form()->Prenom_A->text(), QStringLiteral("HÉLÈNE"));
    QVERIFY(h.record());
    QCOMPARE(h.fakes.messages.shown, QStringList());
    // The log has the name in its own code page, one byte a letter.
    QVERIFY(h.logBytes().contains(codepage::encode(QStringLiteral(" HÉLÈNE         "))));
    // The recorded line replaced the UTF-8 one; the others are as they were.
    QCOMPARE(readBytes(prenoms), "FAAAA        31 JEAN\r\n" +
                                     codepage::encode(QStringLiteral("F5NEW        75 HÉLÈNE")) +
                                     "\r\n" + tooLong);
}

void BadFilesTest::dataFolderIsAFile()
{
    TempFolder outer;
    const QString notAFolder = outer.file(QStringLiteral("donnees"));
    QVERIFY(writeBytes(notAFolder, "not a folder"));
    FakeServices fakes(notAFolder);
    fakes.settings.set(kAppVqx, kSectionSetup, QStringLiteral("Indicatif Station"),
                       QStringLiteral("F1ABC"));
    MainWindow m(fakes.services);
    m.start();
    QCOMPARE(fakes.messages.shown.size(), 1);
    QVERIFY2(fakes.messages.last().contains(QDir::toNativeSeparators(m.logPath())),
             qPrintable(fakes.messages.last()));
    QVERIFY(m.isVisible());

    fakes.messages.clear();
    m.Mnu_ADIF->trigger();
    QCOMPARE(fakes.messages.shown.size(), 1);
    QVERIFY(fakes.messages.last().contains(QDir::toNativeSeparators(m.logPath())));
    QCOMPARE(readBytes(notAFolder), QByteArray("not a folder"));
    QCOMPARE(outer.entries(), QStringList{QStringLiteral("donnees")});
}

// A settings file QSettings cannot fully read is named at start and left as
// it is; the program runs on the defaults.
void BadFilesTest::damagedSettingsFile()
{
    TempFolder config;
    IniSettingsStore ini(config.path());
    const QByteArray damaged("[Setup%20]\r\nIndicatif%20Station=F1ABC\r\n\x00\x01garbage", 47);
    QVERIFY(writeBytes(ini.fileFor(kAppVqx), damaged));
    MainHarness h;
    h.fakes.services.settings = &ini;

    bool stationShown = false;
    closeStationWindow(&stationShown);
    MainWindow *m = h.open();
    QVERIFY(h.fakes.messages.shown.size() >= 1);
    QVERIFY2(
        h.fakes.messages.shown.first().contains(QDir::toNativeSeparators(ini.fileFor(kAppVqx))),
        qPrintable(h.fakes.messages.shown.first()));
    // The defaults: a first start, the station still to be chosen.
    QVERIFY(stationShown);
    QCOMPARE(m->shared().Indicatif_Station, QStringLiteral("FXXXX"));
    QVERIFY(m->isVisible());
    m->Mnu_Date_Man->trigger();
    QCOMPARE(readBytes(ini.fileFor(kAppVqx)), damaged);
}

QTEST_MAIN(BadFilesTest)
#include "bad_files_test.moc"
