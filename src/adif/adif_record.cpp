#include "adif/adif_record.h"

#include "logstore/bands.h"
#include "logstore/codepage.h"
#include "logstore/log_operations.h"
#include "logstore/log_record.h"

#include <cstring>

namespace vqx {

namespace {

// 70cm is no band of the entry, but the ADIF code still names it so that
// the import can say why such a contact is refused.
const Band k70cm = {QLatin1String("432 Mhz"), QLatin1String("70cm"), 420'000'000, 450'000'000,
                    AwardGroup::None,         QLatin1String("")};

// The ADIF name of an entry band; "" for any other text.
QLatin1String bandFor(QStringView qrg)
{
    if (const Band *b = bandOfEntry(qrg))
        return b->adif;
    return qrg == k70cm.entry ? k70cm.adif : QLatin1String("");
}

// A piece of a field's value: either characters of the line or a fixed text.
struct Piece
{
    const char *text = nullptr; // fixed text, or null for characters of the line
    qsizetype pos = 0;
    qsizetype len = 0;
};

struct Field
{
    QLatin1String tag;
    Piece pieces[4];
    int count = 0;

    template <typename View> void add(View line, View part)
    {
        if (!part.isEmpty())
            pieces[count++] = Piece{nullptr, qsizetype(part.data() - line.data()), part.size()};
    }
    void add(QLatin1String fixed)
    {
        if (!fixed.isEmpty())
            pieces[count++] = Piece{fixed.data(), 0, fixed.size()};
    }
    qsizetype length() const
    {
        qsizetype n = 0;
        for (int i = 0; i < count; ++i)
            n += pieces[i].len;
        return n;
    }
};

QStringView cutTrimmed(QStringView line, const Column &c)
{
    return line.mid(c.start - 1, c.width).trimmed();
}

QByteArrayView cutTrimmed(QByteArrayView line, const Column &c)
{
    return codepage::trimmedColumn(line, c.start - 1, c.width);
}

// Part of a value, clamped to it as QStringView::mid is.
template <typename View> View part(View v, qsizetype pos, qsizetype n)
{
    pos = qMin(pos, v.size());
    return v.sliced(pos, qMin(n, v.size() - pos));
}

// A few characters of the line as text, for the lookups that take text.
struct ShortText
{
    explicit ShortText(QStringView v) : view(v) {}
    // The columns read so are at most 7 wide. Bytes beyond ASCII name no
    // band and no year: read as Latin-1 they match none either.
    explicit ShortText(QByteArrayView v)
    {
        Q_ASSERT(v.size() <= qsizetype(std::size(chars)));
        const qsizetype n = qMin<qsizetype>(v.size(), std::size(chars));
        for (qsizetype i = 0; i < n; ++i)
            chars[i] = static_cast<unsigned char>(v[i]);
        view = QStringView(chars, n);
    }
    char16_t chars[8] = {};
    QStringView view;
};

// The twelve fields of a line, as pieces of the line and fixed texts.
struct Record
{
    Field fields[12];
};

// The line as text or as its bytes in the code page: one byte a character,
// so the pieces' positions are the same.
template <typename View> Record cutRecord(View line)
{
    Record r;
    Field *f = r.fields;
    const auto plain = [&](const char *tag, const Column &c) {
        f->tag = QLatin1String(tag);
        f->add(line, cutTrimmed(line, c));
        ++f;
    };
    plain("<CALL:", QsoLine::Indicatif);
    plain("<STATE:", QsoLine::Dpt);
    plain("<NAME:", QsoLine::Prenom);
    plain("<SIG:", QsoLine::Ref);

    // dd/mm/yy gives yyyymmdd, the century as the date order has it.
    f->tag = QLatin1String("<QSO_DATE:");
    const View date = cutTrimmed(line, QsoLine::Date);
    if (!date.isEmpty()) {
        const View year = part(date, qMax<qsizetype>(0, date.size() - 2), 2);
        f->add(fullYearOf(ShortText(year).view) >= 2000 ? QLatin1String("20")
                                                        : QLatin1String("19"));
        f->add(line, year);
        f->add(line, part(date, 3, 2));
        f->add(line, part(date, 0, 2));
    }
    ++f;

    // hh:mm gives hhmm.
    f->tag = QLatin1String("<TIME_ON:");
    const View time = cutTrimmed(line, QsoLine::Heure);
    f->add(line, part(time, 0, 2));
    f->add(line, part(time, qMax<qsizetype>(0, time.size() - 2), 2));
    ++f;

    plain("<MODE:", QsoLine::Mode);
    f->tag = QLatin1String("<BAND:");
    f->add(bandFor(ShortText(cutTrimmed(line, QsoLine::QRG)).view));
    ++f;
    plain("<RST_RCVD:", QsoLine::RstR);
    plain("<RST_SENT:", QsoLine::RstE);
    plain("<SIG_INFO:", QsoLine::NomFontaine);

    f->tag = QLatin1String("<QSL_RCVD:");
    const bool confirmed =
        line.size() >= QsoLine::QSL.start && line[QsoLine::QSL.start - 1] == u'*';
    f->add(confirmed ? QLatin1String("Y") : QLatin1String("N"));
    return r;
}

// Writes a record: tag, length, ">", value; one blank between fields.
template <typename Sink> void writeRecord(const Record &r, Sink &sink)
{
    for (int i = 0; i < 12; ++i) {
        const Field &f = r.fields[i];
        if (i)
            sink.ascii(" ", 1);
        sink.ascii(f.tag.data(), f.tag.size());
        char digits[20];
        int n = 0;
        for (qsizetype len = f.length(); n == 0 || len > 0; len /= 10)
            digits[sizeof digits - 1 - n++] = char('0' + len % 10);
        sink.ascii(digits + sizeof digits - n, n);
        sink.ascii(">", 1);
        for (int p = 0; p < f.count; ++p) {
            const Piece &piece = f.pieces[p];
            if (piece.text)
                sink.ascii(piece.text, piece.len);
            else
                sink.fromLine(piece.pos, piece.len);
        }
    }
    sink.ascii("<eor>", 5);
}

struct TextSink
{
    QString &out;
    QStringView line;
    void ascii(const char *s, qsizetype n) { out += QLatin1String(s, n); }
    void fromLine(qsizetype pos, qsizetype n) { out += line.mid(pos, n); }
};

// Into a buffer on the stack: a record holds at most the line's columns and
// the fixed texts, far below its size.
struct BytesSink
{
    char *at;
    QByteArrayView line;
    void ascii(const char *s, qsizetype n)
    {
        std::memcpy(at, s, size_t(n));
        at += n;
    }
    void fromLine(qsizetype pos, qsizetype n) { ascii(line.constData() + pos, n); }
};

} // namespace

QString adifBand(QStringView qrg)
{
    return bandFor(qrg);
}

QString qrgForAdifBand(QStringView band)
{
    if (const Band *b = bandOfAdifName(band))
        return b->entry;
    return band.compare(k70cm.adif, Qt::CaseInsensitive) == 0 ? QString(k70cm.entry) : QString();
}

QString qrgForFrequency(qint64 hz)
{
    if (const Band *b = bandOfFrequency(hz))
        return b->entry;
    return k70cm.holds(hz) ? QString(k70cm.entry) : QString();
}

QString ADIF_SP(const QString &Poubelle)
{
    QString record;
    record.reserve(200);
    TextSink sink{record, Poubelle};
    writeRecord(cutRecord(QStringView(Poubelle)), sink);
    return record;
}

void appendAdifRecord(QByteArray &out, QByteArrayView encoded)
{
    char buffer[512];
    static_assert(sizeof buffer >= 12 * 16 + 5 + QsoLine::Length + 8);
    BytesSink sink{buffer, encoded};
    writeRecord(cutRecord(encoded), sink);
    out.append(buffer, sink.at - buffer);
}

} // namespace vqx
