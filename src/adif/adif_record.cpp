#include "adif/adif_record.h"

#include "logstore/log_operations.h"
#include "logstore/log_record.h"

namespace vqx {

namespace {

struct BandName
{
    QLatin1String qrg;
    QLatin1String band;
};

// Every band of the band list has its ADIF name, so no contact reaches
// another logger without a band.
constexpr BandName kBands[] = {
    {QLatin1String("1.8 Mhz"), QLatin1String("160m")},
    {QLatin1String("3.5 Mhz"), QLatin1String("80m")},
    {QLatin1String("7.0 Mhz"), QLatin1String("40m")},
    {QLatin1String("10 Mhz"), QLatin1String("30m")},
    {QLatin1String("14 Mhz"), QLatin1String("20m")},
    {QLatin1String("18 Mhz"), QLatin1String("17m")},
    {QLatin1String("21 Mhz"), QLatin1String("15m")},
    {QLatin1String("24 Mhz"), QLatin1String("12m")},
    {QLatin1String("28 Mhz"), QLatin1String("10m")},
    {QLatin1String("50 Mhz"), QLatin1String("6m")},
    {QLatin1String("144 Mhz"), QLatin1String("2m")},
    {QLatin1String("432 Mhz"), QLatin1String("70cm")},
};

QLatin1String bandFor(QStringView qrg)
{
    for (const BandName &b : kBands) {
        if (qrg == b.qrg)
            return b.band;
    }
    return QLatin1String("");
}

QStringView cutTrimmed(QStringView line, const Column &c)
{
    return line.mid(c.start - 1, c.width).trimmed();
}

// Leading digits of a year text, as the date order reads them.
int leadingNumber(QStringView s)
{
    int v = 0;
    for (QChar ch : s) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            break;
        v = v * 10 + (ch.unicode() - '0');
    }
    return v;
}

void appendNumber(QString &out, qsizetype n)
{
    if (n >= 10)
        appendNumber(out, n / 10);
    out += QLatin1Char(char('0' + n % 10));
}

template <typename Value> void appendField(QString &out, QLatin1String tag, const Value &value)
{
    out += tag;
    appendNumber(out, value.size());
    out += QLatin1Char('>');
    out += value;
}

void appendDate(QString &out, QStringView date)
{
    if (date.isEmpty())
        return;
    const QStringView year = date.right(2);
    appendNumber(out, fullYear(leadingNumber(year)) / 100);
    out += year;
    out += date.mid(3, 2);
    out += date.left(2);
}

} // namespace

QString adifBand(QStringView qrg)
{
    return bandFor(qrg);
}

QString adifDate(QStringView date)
{
    QString out;
    appendDate(out, date);
    return out;
}

void appendAdifRecord(QString &out, QStringView line)
{
    const QChar blank(QLatin1Char(' '));
    appendField(out, QLatin1String("<CALL:"), cutTrimmed(line, QsoLine::Indicatif));
    out += blank;
    appendField(out, QLatin1String("<STATE:"), cutTrimmed(line, QsoLine::Dpt));
    out += blank;
    appendField(out, QLatin1String("<NAME:"), cutTrimmed(line, QsoLine::Prenom));
    out += blank;
    appendField(out, QLatin1String("<SIG:"), cutTrimmed(line, QsoLine::Ref));
    out += blank;

    QString date;
    appendDate(date, cutTrimmed(line, QsoLine::Date));
    appendField(out, QLatin1String("<QSO_DATE:"), date);
    out += blank;

    const QStringView heure = cutTrimmed(line, QsoLine::Heure);
    QString time;
    time += heure.left(2);
    time += heure.right(2);
    appendField(out, QLatin1String("<TIME_ON:"), time);
    out += blank;

    appendField(out, QLatin1String("<MODE:"), cutTrimmed(line, QsoLine::Mode));
    out += blank;
    appendField(out, QLatin1String("<BAND:"), bandFor(cutTrimmed(line, QsoLine::QRG)));
    out += blank;
    appendField(out, QLatin1String("<RST_RCVD:"), cutTrimmed(line, QsoLine::RstR));
    out += blank;
    appendField(out, QLatin1String("<RST_SENT:"), cutTrimmed(line, QsoLine::RstE));
    out += blank;
    appendField(out, QLatin1String("<SIG_INFO:"), cutTrimmed(line, QsoLine::NomFontaine));
    out += blank;
    const bool confirmed = line.mid(QsoLine::QSL.start - 1, 1) == QLatin1String("*");
    appendField(out, QLatin1String("<QSL_RCVD:"),
                confirmed ? QLatin1String("Y") : QLatin1String("N"));
    out += QLatin1String("<eor>");
}

QString ADIF_SP(const QString &Poubelle)
{
    QString record;
    record.reserve(200);
    appendAdifRecord(record, Poubelle);
    return record;
}

} // namespace vqx
