#include "logstore/log_record.h"

#include "logstore/codepage.h"

#include <QDir>

#include <algorithm>

namespace vqx {

namespace {
bool hasControl(QStringView text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F))
            return true;
    }
    return false;
}

bool fits(const QString &value, int width)
{
    return value.size() <= width && !hasControl(value);
}
} // namespace

QString fountainNameForLine(const QString &typed)
{
    return typed.trimmed().left(QsoLine::NomFontaine.width);
}

QString buildQsoLine(const QsoFields &f)
{
    const QString name = codepage::upper(fountainNameForLine(f.nomFontaine));
    if (!fits(f.indicatif, QsoLine::Indicatif.width) || !fits(f.dpt, QsoLine::Dpt.width) ||
        !fits(f.prenom, QsoLine::Prenom.width) || !fits(f.ref, QsoLine::Ref.width) ||
        f.date.size() != QsoLine::Date.width || hasControl(f.date) ||
        f.heure.size() != QsoLine::Heure.width || hasControl(f.heure) ||
        !fits(f.mode, QsoLine::Mode.width) || !fits(f.qrg, QsoLine::QRG.width) ||
        !fits(f.rstR, QsoLine::RstR.width) || !fits(f.rstE, QsoLine::RstE.width) ||
        !fits(name, QsoLine::NomFontaine.width))
        return {};
    // Blanks, then each value at its column: the checks above keep every
    // value within its width.
    QString line(QsoLine::Length, QLatin1Char(' '));
    QChar *out = line.data();
    const auto put = [out](const Column &c, const QString &value) {
        std::copy(value.cbegin(), value.cend(), out + c.start - 1);
    };
    put(QsoLine::Indicatif, f.indicatif);
    put(QsoLine::Dpt, f.dpt);
    put(QsoLine::Prenom, f.prenom);
    put(QsoLine::Ref, f.ref);
    put(QsoLine::Date, f.date);
    put(QsoLine::Heure, f.heure);
    put(QsoLine::Mode, f.mode);
    put(QsoLine::QRG, f.qrg);
    put(QsoLine::RstR, f.rstR);
    put(QsoLine::RstE, f.rstE);
    put(QsoLine::NomFontaine, name);
    if (f.qsl)
        out[QsoLine::QSL.start - 1] = QLatin1Char('*');
    Q_ASSERT(isWellFormedQsoLine(line));
    return line;
}

bool isWellFormedQsoLine(const QString &line)
{
    return line.size() == QsoLine::Length && !hasControl(line);
}

QString formatNumero(int n)
{
    return QString::number(n).rightJustified(QsoListLine::Numero.width, QLatin1Char(' '));
}

QString buildQsoListLine(const QString &qsoLine, int numero)
{
    // Built in place, one allocation a line: the search and the list read
    // every line of the log this way.
    QString out(QsoListLine::Length, QLatin1Char(' '));
    QChar *o = out.data();
    qsizetype shift = 0;
    if (numero >= 0 && numero <= 999999) {
        QChar *d = o + QsoListLine::Numero.width;
        int v = numero;
        do {
            *--d = QChar(char16_t(u'0' + v % 10));
            v /= 10;
        } while (v);
    } else {
        // A number beyond six characters pushes the columns to the right.
        const QString number = formatNumero(numero);
        out.replace(0, QsoListLine::Numero.width, number);
        o = out.data();
        shift = qMax<qsizetype>(number.size() - QsoListLine::Numero.width, 0);
    }
    const QStringView line(qsoLine);
    for (int i = 0; i < 12; ++i) {
        QStringView value = line.mid(QsoLine::All[i].start - 1, QsoLine::All[i].width);
        if (i == 3) // Ref: surrounding blanks removed
            value = value.trimmed();
        std::copy(value.begin(), value.end(), o + shift + QsoListLine::All[i].start - 1);
    }
    return out;
}

QString qsoLineFromListLine(const QString &listLine)
{
    QString out;
    out.reserve(QsoLine::Length);
    for (int i = 0; i < 12; ++i) {
        if (i)
            out += QLatin1Char(' ');
        out += QsoListLine::All[i].cut(listLine);
    }
    return out;
}

QString logFileName(const QString &indicatifStation)
{
    return indicatifStation + QStringLiteral("_VQX.log");
}

QString logFilePath(const QString &dataDir, const QString &indicatifStation)
{
    return QDir(dataDir).filePath(logFileName(indicatifStation));
}

} // namespace vqx
