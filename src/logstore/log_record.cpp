#include "logstore/log_record.h"

#include <QDir>

#include <algorithm>

namespace vqx {

namespace {
QString padded(const QString &value, int width)
{
    return value.leftJustified(width, QLatin1Char(' '), false);
}
} // namespace

QString fountainNameForLine(const QString &typed)
{
    return typed.trimmed().left(QsoLine::NomFontaine.width);
}

QString buildQsoLine(const QsoFields &f)
{
    QString line;
    line.reserve(QsoLine::Length);
    const QChar blank(QLatin1Char(' '));
    line += padded(f.indicatif, QsoLine::Indicatif.width) + blank;
    line += padded(f.dpt, QsoLine::Dpt.width) + blank;
    line += padded(f.prenom, QsoLine::Prenom.width) + blank;
    line += padded(f.ref, QsoLine::Ref.width) + blank;
    line += f.date + blank;
    line += f.heure + blank;
    line += padded(f.mode, QsoLine::Mode.width) + blank;
    line += padded(f.qrg, QsoLine::QRG.width) + blank;
    line += padded(f.rstR, QsoLine::RstR.width) + blank;
    line += padded(f.rstE, QsoLine::RstE.width) + blank;
    line +=
        padded(fountainNameForLine(f.nomFontaine).toUpper(), QsoLine::NomFontaine.width) + blank;
    line += f.qsl ? QLatin1Char('*') : blank;
    return line;
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
