#include "logstore/prenoms.h"

#include "logstore/codepage.h"
#include "logstore/line_buffer.h"
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
    // On the file's bytes: a line of the code page compares as its text does.
    const LineBuffer directory(std::move(bytes));
    QByteArray stored = codepage::encode(prenomLine);
    const QByteArray key = stored.left(kCallWidth);
    stored.append("\r\n", 2);
    QByteArray out;
    out.reserve(directory.bytes().size() + directory.size() + stored.size());
    bool found = false;
    qsizetype run = 0;
    for (qsizetype i = 0; i < directory.size(); ++i) {
        const QByteArrayView line = directory.raw(i);
        if (line.first(qMin<qsizetype>(kCallWidth, line.size())) != QByteArrayView(key))
            continue;
        directory.appendTo(out, run, i);
        out.append(stored);
        run = i + 1;
        found = true;
    }
    directory.appendTo(out, run, directory.size());
    if (!found)
        out.append(stored);
    return rewriteFile(path, out, kScratchFile, writer);
}

} // namespace vqx
