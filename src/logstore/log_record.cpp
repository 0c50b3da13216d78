#include "logstore/log_record.h"

#include <QDir>

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
    static const QString sep = QStringLiteral("  ");
    QString out;
    out.reserve(QsoListLine::Length);
    out += formatNumero(numero);
    out += sep;
    for (int i = 0; i < 11; ++i) {
        const Column &c = QsoLine::All[i];
        if (i == 3) // Ref: surrounding blanks removed
            out += c.cutTrimmed(qsoLine).leftJustified(c.width, QLatin1Char(' '), true);
        else
            out += c.cut(qsoLine).leftJustified(c.width, QLatin1Char(' '), true);
        out += sep;
    }
    out += QsoLine::QSL.cut(qsoLine).leftJustified(1, QLatin1Char(' '), true);
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
