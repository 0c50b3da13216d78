#include "logstore/prenoms.h"

#include "logstore/codepage.h"
#include "logstore/log_operations.h"

#include <QDir>

namespace vqx {

namespace {
const int kCallWidth = 12;
} // namespace

QString buildPrenomLine(const QString &indicatif, const QString &dpt, const QString &prenom)
{
    return indicatif.leftJustified(kCallWidth + 1, QLatin1Char(' ')) +
           dpt.leftJustified(3, QLatin1Char(' ')) + codepage::upper(prenom);
}

PrenomLookup Chercher_Prenom(const QString &dataDir, const QString &indicatif)
{
    PrenomLookup r;
    QByteArray bytes;
    r.file = readFile(QDir(dataDir).filePath(kPrenomFile), &bytes);
    if (r.file.error == FileError::Missing)
        r.file.error = FileError::None;
    if (!r.file.ok())
        return r;
    const QStringList lines = codepage::decodeLines(bytes).lines;
    for (const QString &line : lines) {
        if (QStringView(line).left(kCallWidth).trimmed() != indicatif)
            continue;
        r.found = true;
        r.prenom = codepage::upper(line.mid(16));
        r.dptBlank = line.mid(13, 2) == QStringLiteral("  ");
    }
    return r;
}

FileResult Memoriser_Prenom(const QString &dataDir, const QString &prenomLine,
                            const ScratchWriter &writer)
{
    const QString path = QDir(dataDir).filePath(kPrenomFile);
    QByteArray bytes;
    FileResult read = readFile(path, &bytes);
    if (!read.ok() && read.error != FileError::Missing)
        return read;
    if (!codepage::isRepresentable(prenomLine)) {
        read.error = FileError::WriteFailed;
        read.detail = QStringLiteral("caractère non représentable");
        return read;
    }
    QStringList lines = codepage::decodeLines(bytes).lines;
    const QStringView key = QStringView(prenomLine).left(kCallWidth);
    bool found = false;
    QStringList out;
    out.reserve(lines.size() + 1);
    for (const QString &line : std::as_const(lines)) {
        if (QStringView(line).left(kCallWidth) == key) {
            out << prenomLine;
            found = true;
        } else {
            out << line;
        }
    }
    if (!found)
        out << prenomLine;
    return rewriteFile(path, codepage::encodeLines(out), kScratchFile, writer);
}

} // namespace vqx
