#include "adif/adif_import.h"

#include "adif/adif_entry_rules.h"
#include "adif/adif_record.h"
#include "adif/adif_standard_export.h"
#include "logstore/bands.h"
#include "logstore/codepage.h"
#include "logstore/fountain_references.h"
#include "logstore/line_buffer.h"
#include "logstore/log_operations.h"
#include "logstore/prenoms.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMultiHash>
#include <QSet>

#include <algorithm>
#include <functional>
#include <limits>
#include <vector>

namespace vqx {

namespace {

QString quoted(const QString &value)
{
    return QStringLiteral("« ") + value + QStringLiteral(" »");
}

bool allDigits(QStringView s)
{
    for (QChar c : s) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

// The number written by digits already checked.
int number(QStringView digits)
{
    int n = 0;
    for (QChar c : digits)
        n = n * 10 + (c.unicode() - u'0');
    return n;
}

// YYYYMMDD gives dd/mm/yy; the reason when it cannot.
QString logDate(const QString &adif, QString *out)
{
    if (adif.isEmpty())
        return QStringLiteral("date (QSO_DATE) absente");
    if (adif.size() != 8 || !allDigits(adif))
        return QStringLiteral("date (QSO_DATE) %1 invalide (attendu AAAAMMJJ)").arg(quoted(adif));
    const QStringView digits(adif);
    const int year = number(digits.left(4));
    const int month = number(digits.mid(4, 2));
    const int day = number(digits.right(2));
    if (!QDate::isValid(year, month, day))
        return QStringLiteral("date (QSO_DATE) %1 inexistante").arg(quoted(adif));
    // The log keeps two digits of the year and reads them back from 1950 to 2049.
    if (fullYear(year % 100) != year)
        return QStringLiteral("année %1 : le log ne date ses QSO que de 1950 à 2049").arg(year);
    const QChar dmy[] = {adif[6], adif[7], u'/', adif[4], adif[5], u'/', adif[2], adif[3]};
    *out = QString(dmy, 8);
    return {};
}

// HHMM or HHMMSS gives hh:mm; the log keeps no seconds.
QString logTime(const QString &adif, QString *out)
{
    if (adif.isEmpty())
        return QStringLiteral("heure (TIME_ON) absente");
    const QStringView digits(adif);
    if ((adif.size() != 4 && adif.size() != 6) || !allDigits(adif) || number(digits.left(2)) > 23 ||
        number(digits.mid(2, 2)) > 59 || (adif.size() == 6 && number(digits.right(2)) > 59))
        return QStringLiteral("heure (TIME_ON) %1 invalide (attendu HHMM ou HHMMSS)")
            .arg(quoted(adif));
    const QChar hm[] = {adif[0], adif[1], u':', adif[2], adif[3]};
    *out = QString(hm, 5);
    return {};
}

// USB and LSB are kinds of SSB; a submode short enough for the log's
// column says more than its mode (FT4 rather than MFSK).
QString logMode(const AdifRecord &r)
{
    const QString mode = upperAsTyped(r.value(QLatin1String("MODE")).trimmed());
    const QString sub = upperAsTyped(r.value(QLatin1String("SUBMODE")).trimmed());
    if (sub == u"USB" || sub == u"LSB" || mode == u"USB" || mode == u"LSB")
        return QStringLiteral("SSB");
    if (!sub.isEmpty() && sub.size() <= QsoLine::Mode.width)
        return sub;
    return mode;
}

// BAND, or FREQ when there is no BAND, named as the band list names it.
QString logBand(const AdifRecord &r, QString *out)
{
    const QString band = r.value(QLatin1String("BAND")).trimmed();
    if (!band.isEmpty()) {
        *out = qrgForAdifBand(band);
        if (out->isEmpty())
            return QStringLiteral("bande (BAND) %1 absente de la liste des bandes")
                .arg(quoted(band));
        return {};
    }
    const QString freq = r.value(QLatin1String("FREQ")).trimmed();
    if (freq.isEmpty())
        return QStringLiteral("bande absente (ni BAND ni FREQ)");
    const std::optional<qint64> hz = hzFromMhzText(freq);
    if (!hz)
        return QStringLiteral("fréquence (FREQ) %1 invalide").arg(quoted(freq));
    *out = qrgForFrequency(*hz);
    if (out->isEmpty())
        return QStringLiteral("fréquence (FREQ) de %1 MHz hors des bandes de la liste").arg(freq);
    return {};
}

// A field of the program's own standard export carries the exact text.
QString exactText(const AdifRecord &r, QLatin1String field, QLatin1String exactField)
{
    if (r.has(exactField))
        return unescapeFromAdi(r.value(exactField));
    return r.value(field);
}

AdifMappedRecord refused(const QString &reason)
{
    AdifMappedRecord m;
    m.kind = AdifRecordKind::Refused;
    m.reason = reason;
    return m;
}

// A column of a log line in the code page, trimmed as the line's text would be.
QByteArrayView trimmedColumn(QByteArrayView line, const Column &c)
{
    return codepage::trimmedColumn(line, c.start - 1, c.width);
}

// Stores into the first-name directory as Memoriser_Prenom does, one after
// the other: every line with the same first 12 characters replaced, or the
// line added at the end. Lines are in the code page; only the stored names
// are indexed, and the directory is then read once.
class DirectoryStores
{
public:
    void store(const QByteArray &line)
    {
        const QByteArrayView key = QByteArrayView(line).first(qMin<qsizetype>(kKey, line.size()));
        if (const int i = find(key); i >= 0) {
            m_lines[i] = line;
            return;
        }
        m_index.insert(qHash(key), int(m_lines.size()));
        m_lines.append(line);
    }
    bool any() const { return !m_lines.isEmpty(); }

    // The directory file with the stores applied, as a rewrite writes it.
    QByteArray applyTo(const LineBuffer &directory) const
    {
        QByteArray out;
        out.reserve(directory.bytes().size() + directory.size() + m_lines.size() * 40);
        std::vector<bool> placed(size_t(m_lines.size()), false);
        qsizetype run = 0;
        for (qsizetype n = 0; n < directory.size(); ++n) {
            const int i =
                find(directory.raw(n).first(qMin<qsizetype>(kKey, directory.raw(n).size())));
            if (i < 0)
                continue;
            directory.appendTo(out, run, n);
            out.append(m_lines.at(i)).append("\r\n", 2);
            placed[size_t(i)] = true;
            run = n + 1;
        }
        directory.appendTo(out, run, directory.size());
        for (int i = 0; i < m_lines.size(); ++i) {
            if (!placed[size_t(i)])
                out.append(m_lines.at(i)).append("\r\n", 2);
        }
        return out;
    }

    QStringList applyTo(const QStringList &directory) const
    {
        return LineBuffer(applyTo(LineBuffer::fromLines(directory))).lines();
    }

private:
    // The stored line whose key is `key`, the first 12 characters of a line.
    int find(QByteArrayView key) const
    {
        // Lines shorter than the key never match a stored callsign.
        if (key.size() < kKey)
            return -1;
        const size_t hash = qHash(key);
        for (auto it = m_index.constFind(hash); it != m_index.constEnd() && it.key() == hash;
             ++it) {
            if (QByteArrayView(m_lines.at(it.value())).first(kKey) == key)
                return it.value();
        }
        return -1;
    }

    static constexpr int kKey = 12;
    QList<QByteArray> m_lines; // the last line stored for each callsign, in first-store order
    QMultiHash<size_t, int> m_index;
};

struct NewContact
{
    QByteArray line; // in the code page
    qint64 key = 0;
    qsizetype gap = 0; // the index of the log line it goes before
};

// Each new contact's place: before the first line of the log whose date and
// time are the same or later; in date order, then file order, among
// themselves.
void placeNewContacts(const LineBuffer &log, std::vector<NewContact> &added)
{
    std::vector<qint64> reached(size_t(log.size()));
    qint64 latest = std::numeric_limits<qint64>::min();
    for (qsizetype i = 0; i < log.size(); ++i) {
        latest = std::max(latest, dateTimeKey(log.raw(i)));
        reached[size_t(i)] = latest;
    }
    for (NewContact &c : added)
        c.gap = std::lower_bound(reached.begin(), reached.end(), c.key) - reached.begin();
    std::stable_sort(added.begin(), added.end(), [](const NewContact &a, const NewContact &b) {
        return a.gap != b.gap ? a.gap < b.gap : a.key < b.key;
    });
}

// The bytes of the new log file: the runs of old lines between two new
// contacts are copied whole.
QByteArray merged(const LineBuffer &log, const std::vector<NewContact> &added)
{
    QByteArray out;
    out.reserve(log.bytes().size() + log.size() * 2 +
                qsizetype(added.size()) * (QsoLine::Length + 2));
    qsizetype run = 0;
    for (const NewContact &c : added) {
        log.appendTo(out, run, c.gap);
        run = c.gap;
        out.append(c.line).append("\r\n", 2);
    }
    log.appendTo(out, run, log.size());
    return out;
}

// The same contact for the import: callsign, date and time, once the
// fountain and band are known to match.
bool sameContactColumns(QByteArrayView a, QByteArrayView b)
{
    for (const Column *c : {&QsoLine::Indicatif, &QsoLine::Date, &QsoLine::Heure}) {
        if (trimmedColumn(a, *c) != trimmedColumn(b, *c))
            return false;
    }
    return true;
}

// The plan, built while the file is read: each record is mapped when it is
// read and only its log line is kept.
class Planner
{
public:
    AdifImportCounts counts;

    void add(const AdifRecord &record, int number)
    {
        // Records whose reference is only in COMMENT or NOTES are mapped as
        // contacts and marked: whether they are taken is asked once the file
        // is read, and those left out are dropped then.
        const bool inComment = hasCommentReference(record);
        if (inComment)
            ++counts.fromComments;
        AdifMappedRecord m = mapAdifRecord(record, inComment);
        if (m.kind == AdifRecordKind::NotVqx) {
            ++counts.notVqx;
            return;
        }
        if (m.kind == AdifRecordKind::Refused) {
            counts.refused.append({number, record.value(QLatin1String("CALL")).trimmed(),
                                   record.value(QLatin1String("QSO_DATE")).trimmed(),
                                   record.value(QLatin1String("TIME_ON")).trimmed(), m.reason,
                                   adifRecordText(record)});
            m_refusedFromComment.push_back(inComment);
            return;
        }
        // The values passed the code page's check: the line encodes whole.
        m_candidates.push_back(
            {codepage::encode(buildQsoLine(m.fields)), !m.fields.prenom.isEmpty(), inComment});
    }

    // Keeps or drops the records whose reference is only in a comment.
    void takeCommentReferences(bool take)
    {
        counts.fromCommentsTaken = take;
        if (take)
            return;
        m_candidates.erase(std::remove_if(m_candidates.begin(), m_candidates.end(),
                                          [](const Candidate &c) { return c.fromComment; }),
                           m_candidates.end());
        QList<AdifRefusal> kept;
        for (qsizetype i = 0; i < counts.refused.size(); ++i) {
            if (!m_refusedFromComment[size_t(i)])
                kept.append(std::move(counts.refused[i]));
        }
        counts.refused = std::move(kept);
        m_refusedFromComment.clear();
    }

    // Looks the contacts up in the log, then decides for each in file order.
    std::vector<NewContact> decide(const LineBuffer &log, DirectoryStores *directory)
    {
        // One pass over the log's bytes, looking up only the file's
        // contacts: the log's columns are compared as Ref_Deja_Contactee
        // does, without blanks.
        QMultiHash<size_t, int> byFountain;
        byFountain.reserve(qsizetype(m_candidates.size()));
        for (size_t i = 0; i < m_candidates.size(); ++i) {
            const QByteArray &l = m_candidates[i].line;
            byFountain.insert(
                qHashMulti(0, trimmedColumn(l, QsoLine::Ref), trimmedColumn(l, QsoLine::QRG)),
                int(i));
        }
        // Most lines of the log are of fountains the file does not name: a
        // bit a hash lets them pass without a look in the table.
        std::vector<bool> named(size_t(1) << 16);
        const auto bit = [&](size_t hash) { return (hash ^ (hash >> 16)) & 0xFFFF; };
        for (auto it = byFountain.keyBegin(); it != byFountain.keyEnd(); ++it)
            named[bit(*it)] = true;
        for (qsizetype n = 0; n < log.size(); ++n) {
            const QByteArrayView l = log.raw(n);
            const QByteArrayView ref = trimmedColumn(l, QsoLine::Ref);
            const QByteArrayView qrg = trimmedColumn(l, QsoLine::QRG);
            const size_t hash = qHashMulti(0, ref, qrg);
            if (!named[bit(hash)])
                continue;
            for (auto it = byFountain.constFind(hash);
                 it != byFountain.constEnd() && it.key() == hash; ++it) {
                Candidate &c = m_candidates[size_t(it.value())];
                if (trimmedColumn(c.line, QsoLine::Ref) != ref ||
                    trimmedColumn(c.line, QsoLine::QRG) != qrg)
                    continue;
                c.fountainInLog = true;
                c.contactInLog = c.contactInLog || sameContactColumns(c.line, l);
            }
        }

        // In file order: a contact of the log or of an earlier record is a
        // duplicate; a fountain worked on that band, already contacted. The
        // records taken are indexed by the hash of their columns.
        QMultiHash<size_t, size_t> contacts;
        QMultiHash<size_t, size_t> fountains;
        contacts.reserve(qsizetype(m_candidates.size()));
        fountains.reserve(qsizetype(m_candidates.size()));
        const auto seen = [this](const QMultiHash<size_t, size_t> &taken, size_t hash,
                                 const auto &same) {
            for (auto it = taken.constFind(hash); it != taken.constEnd() && it.key() == hash;
                 ++it) {
                if (same(m_candidates[it.value()].line))
                    return true;
            }
            return false;
        };
        std::vector<NewContact> added;
        for (size_t i = 0; i < m_candidates.size(); ++i) {
            Candidate &c = m_candidates[i];
            const QByteArray &line = c.line;
            const QByteArrayView call = trimmedColumn(line, QsoLine::Indicatif);
            const QByteArrayView ref = trimmedColumn(line, QsoLine::Ref);
            const QByteArrayView qrg = trimmedColumn(line, QsoLine::QRG);
            const size_t fountain = qHashMulti(0, ref, qrg);
            const size_t contact = qHashMulti(fountain, call, trimmedColumn(line, QsoLine::Date),
                                              trimmedColumn(line, QsoLine::Heure));
            const auto sameFountain = [&](const QByteArray &other) {
                return trimmedColumn(other, QsoLine::Ref) == ref &&
                       trimmedColumn(other, QsoLine::QRG) == qrg;
            };
            const auto sameContact = [&](const QByteArray &other) {
                return sameFountain(other) && sameContactColumns(other, line);
            };
            if (c.contactInLog || seen(contacts, contact, sameContact)) {
                ++counts.duplicates;
                continue;
            }
            if (c.fountainInLog || seen(fountains, fountain, sameFountain)) {
                ++counts.alreadyContacted;
                continue;
            }
            contacts.insert(contact, i);
            fountains.insert(fountain, i);
            if (c.withPrenom)
                directory->store(prenomLineBytes(call, trimmedColumn(line, QsoLine::Dpt),
                                                 trimmedColumn(line, QsoLine::Prenom)));
            added.push_back({line, dateTimeKey(line), 0});
            ++counts.imported;
        }
        m_candidates.clear();
        m_candidates.shrink_to_fit();
        placeNewContacts(log, added);
        return added;
    }

private:
    struct Candidate
    {
        QByteArray line; // in the code page
        bool withPrenom = false;
        bool fromComment = false;
        bool fountainInLog = false;
        bool contactInLog = false;
    };
    std::vector<Candidate> m_candidates;
    std::vector<bool> m_refusedFromComment; // beside counts.refused
};

QString shownDate(const QString &adif)
{
    if (adif.size() == 8 && allDigits(adif))
        return adif.right(2) + QLatin1Char('/') + adif.mid(4, 2) + QLatin1Char('/') + adif.left(4);
    return adif;
}

QString shownTime(const QString &adif)
{
    if ((adif.size() == 4 || adif.size() == 6) && allDigits(adif))
        return adif.left(2) + QLatin1Char(':') + adif.mid(2, 2);
    return adif;
}

} // namespace

namespace {

// The one fountain reference of COMMENT and NOTES, "" for none or several.
QString commentReference(const AdifRecord &record)
{
    if (!record.value(QLatin1String("SIG")).trimmed().isEmpty() ||
        !record.value(QLatin1String("SIG_INFO")).trimmed().isEmpty())
        return {};
    QStringList refs = fountainReferencesIn(record.value(QLatin1String("COMMENT")));
    for (const QString &r : fountainReferencesIn(record.value(QLatin1String("NOTES")))) {
        if (!refs.contains(r))
            refs << r;
    }
    return refs.size() == 1 ? refs.first() : QString();
}

} // namespace

bool hasCommentReference(const AdifRecord &record)
{
    return !commentReference(record).isEmpty();
}

int commentReferenceCount(const QList<AdifRecord> &records)
{
    return int(std::count_if(records.cbegin(), records.cend(), hasCommentReference));
}

AdifMappedRecord mapAdifRecord(const AdifRecord &record, bool fromComment)
{
    const QString sig = record.value(QLatin1String("SIG")).trimmed();
    QString ref;
    QString fountain;
    if (sig.compare(u"VQX", Qt::CaseInsensitive) == 0) {
        ref = upperAsTyped(record.value(QLatin1String("SIG_INFO")).trimmed());
        fountain = exactText(record, QLatin1String("COMMENT"), kAppCommentField);
        // Marked as a VQX contact: a wrong reference is the operator's to see.
        if (!isFountainReference(ref))
            return refused(QStringLiteral("référence de fontaine (SIG_INFO) %1 invalide "
                                          "(exemple : 31FA001)")
                               .arg(quoted(ref)));
    } else if (isFountainReference(upperAsTyped(sig))) {
        ref = upperAsTyped(sig);
        fountain = record.value(QLatin1String("SIG_INFO"));
    } else if (fromComment && !(ref = commentReference(record)).isEmpty()) {
        // The comment holds more than the fountain's name: it is not taken.
    } else {
        return {};
    }

    AdifMappedRecord m;
    QsoFields &f = m.fields;
    f.ref = ref;
    f.dpt = ref.left(2).toLower();
    f.indicatif = upperAsTyped(record.value(QLatin1String("CALL")).trimmed());
    f.prenom = upperAsTyped(exactText(record, QLatin1String("NAME"), kAppNameField).trimmed())
                   .left(QsoLine::Prenom.width)
                   .trimmed();
    if (QString p = logDate(record.value(QLatin1String("QSO_DATE")).trimmed(), &f.date);
        !p.isEmpty())
        return refused(p);
    if (QString p = logTime(record.value(QLatin1String("TIME_ON")).trimmed(), &f.heure);
        !p.isEmpty())
        return refused(p);
    f.mode = logMode(record);
    if (QString p = logBand(record, &f.qrg); !p.isEmpty())
        return refused(p);
    // An absent report is the default one the entry fills in.
    f.rstR = upperAsTyped(record.value(QLatin1String("RST_RCVD")).trimmed());
    if (f.rstR.isEmpty())
        f.rstR = defaultReportFor(f.mode);
    f.rstE = upperAsTyped(record.value(QLatin1String("RST_SENT")).trimmed());
    if (f.rstE.isEmpty())
        f.rstE = defaultReportFor(f.mode);
    f.nomFontaine = upperAsTyped(fountain.trimmed());
    f.qsl =
        record.value(QLatin1String("QSL_RCVD")).trimmed().compare(u"Y", Qt::CaseInsensitive) == 0;
    if (QString p = entryRuleProblem(f); !p.isEmpty())
        return refused(p);
    m.kind = AdifRecordKind::Contact;
    return m;
}

QString adifRecordText(const AdifRecord &record)
{
    QString text;
    for (const AdifField &f : record.fields)
        text += QStringLiteral("<%1:%2>").arg(f.name).arg(f.value.toUtf8().size()) + f.value +
                QLatin1Char(' ');
    return text + QStringLiteral("<EOR>");
}

QString refusalLine(const AdifRefusal &r)
{
    QStringList what;
    if (!r.call.isEmpty())
        what << r.call;
    const QString when = (shownDate(r.date) + QLatin1Char(' ') + shownTime(r.time)).trimmed();
    if (!when.isEmpty())
        what << when;
    QString line = QStringLiteral("Enregistrement %1").arg(r.record);
    if (!what.isEmpty())
        line += QStringLiteral(" (") + what.join(QStringLiteral(", ")) + QLatin1Char(')');
    return line + QStringLiteral(" : ") + r.reason;
}

AdifImportPlan planAdifImport(const QList<AdifRecord> &records, const QStringList &logLines,
                              const QStringList &prenomLines, const AdifProgress &progress,
                              bool takeCommentReferences)
{
    AdifImportPlan plan;
    Planner planner;
    const qsizetype total = records.size();
    for (qsizetype n = 0; n < total; ++n) {
        if (progress && n % 256 == 0 && !progress(n, total)) {
            plan.cancelled = true;
            return plan;
        }
        planner.add(records.at(n), int(n + 1));
    }
    const LineBuffer log = LineBuffer::fromLines(logLines);
    planner.takeCommentReferences(takeCommentReferences);
    DirectoryStores directory;
    std::vector<NewContact> added = planner.decide(log, &directory);
    plan.counts = planner.counts;
    if (progress && !progress(total, total)) {
        plan.cancelled = true;
        return plan;
    }
    plan.logLines = LineBuffer(merged(log, added)).lines();
    plan.prenomChanged = directory.any();
    plan.prenomLines = plan.prenomChanged ? directory.applyTo(prenomLines) : prenomLines;
    return plan;
}

AdifImportResult importAdifFile(const QString &adifPath, const QString &dataDir,
                                const QString &indicatifStation, const AdifProgress &progress,
                                const ScratchWriter &writer,
                                const AdifCommentQuestion &takeCommentReferences)
{
    AdifImportResult r;
    r.fileName = QFileInfo(adifPath).fileName();

    // The records are mapped as they are read: only their log lines are kept.
    Planner planner;
    {
        QByteArray bytes;
        r.file = readFile(adifPath, &bytes);
        if (!r.file.ok()) {
            r.status = AdifImportStatus::FileUnreadable;
            return r;
        }
        AdifStream stream(bytes);
        AdifRecord record;
        while (stream.next(&record)) {
            const int n = stream.recordsRead();
            if (progress && n % 256 == 1 && !progress(stream.position(), stream.size())) {
                r.status = AdifImportStatus::Cancelled;
                return r;
            }
            planner.add(record, n);
        }
        if (stream.error() != AdifReadError::None) {
            r.status = AdifImportStatus::FileMalformed;
            r.readError = stream.error();
            r.errorOffset = stream.errorOffset();
            r.errorRecord = stream.errorRecord();
            return r;
        }
        r.records = stream.recordsRead();
    }

    const QString logPath = logFilePath(dataDir, indicatifStation);
    QByteArray logBytes;
    r.file = readFile(logPath, &logBytes);
    if (!r.file.ok()) {
        r.status = r.file.error == FileError::Missing ? AdifImportStatus::NoLog
                                                      : AdifImportStatus::LogUnreadable;
        return r;
    }
    const QString prenomPath = QDir(dataDir).filePath(kPrenomFile);
    QByteArray prenoms;
    r.file = readFile(prenomPath, &prenoms);
    const bool prenomExisted = r.file.ok();
    if (!r.file.ok() && r.file.error != FileError::Missing) {
        r.status = AdifImportStatus::DirectoryUnreadable;
        return r;
    }
    r.file = {};

    // Asked before anything is planned or written; the records read held
    // only their log lines.
    const int inComments = planner.counts.fromComments;
    planner.takeCommentReferences(inComments > 0 && takeCommentReferences &&
                                  takeCommentReferences(inComments));
    const LineBuffer log(std::move(logBytes));
    DirectoryStores directory;
    const std::vector<NewContact> added = planner.decide(log, &directory);
    r.counts = planner.counts;
    if (progress && !progress(1, 1)) {
        r.status = AdifImportStatus::Cancelled;
        return r;
    }
    if (r.counts.imported == 0) {
        r.status = AdifImportStatus::NothingNew;
        return r;
    }
    // Files the operator made read-only are refused before either is written.
    r.file = checkWritable(logPath);
    if (r.file.ok() && directory.any())
        r.file = checkWritable(prenomPath);
    if (!r.file.ok()) {
        r.status = AdifImportStatus::NotWritten;
        return r;
    }
    // The directory first: if the log then fails, the directory is put back.
    // Names it holds already leave it as it is, unwritten.
    const QByteArray newPrenoms =
        directory.any() ? directory.applyTo(LineBuffer(prenoms)) : QByteArray();
    const bool directoryWritten = directory.any() && !(prenomExisted && newPrenoms == prenoms);
    if (directoryWritten) {
        r.file = rewriteFile(prenomPath, newPrenoms, kScratchFile, writer);
        if (!r.file.ok()) {
            r.status = AdifImportStatus::NotWritten;
            return r;
        }
    }
    r.file = rewriteFile(logPath, merged(log, added), kScratchFileChrono, writer);
    if (!r.file.ok()) {
        r.status = AdifImportStatus::NotWritten;
        if (directoryWritten) {
            if (prenomExisted)
                rewriteFile(prenomPath, prenoms, kScratchFile, writer);
            else
                QFile::remove(prenomPath);
        }
        return r;
    }
    r.status = AdifImportStatus::Imported;
    return r;
}

} // namespace vqx
