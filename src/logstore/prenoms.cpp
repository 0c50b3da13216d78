#include "logstore/prenoms.h"

#include "logstore/codepage.h"
#include "logstore/line_buffer.h"
#include "logstore/log_operations.h"
#include "logstore/log_record.h"

#include <QDir>

namespace vqx {

namespace {
const int kCallWidth = 12;
const int kNameStart = 16; // 0-based: callsign, blank, department, blank

// The directory's bytes for a reader: a directory not made yet is empty.
QByteArray readDirectory(const QString &dataDir, FileResult *file)
{
    QByteArray bytes;
    *file = readFile(QDir(dataDir).filePath(kPrenomFile), &bytes);
    if (file->error == FileError::Missing)
        file->error = FileError::None;
    return bytes;
}
} // namespace

QString buildPrenomLine(const QString &indicatif, const QString &dpt, const QString &prenom)
{
    return indicatif.leftJustified(kCallWidth + 1, QLatin1Char(' ')) +
           dpt.leftJustified(3, QLatin1Char(' ')) + codepage::upper(prenom);
}

QByteArray prenomLineBytes(QByteArrayView indicatif, QByteArrayView dpt, QByteArrayView prenom)
{
    QByteArray line;
    line.reserve(kNameStart + prenom.size());
    line.append(indicatif).append(qMax<qsizetype>(0, kCallWidth + 1 - indicatif.size()), ' ');
    line.append(dpt).append(qMax<qsizetype>(0, 3 - dpt.size()), ' ');
    return line.append(prenom);
}

PrenomLookup Chercher_Prenom(const QString &dataDir, const QString &indicatif)
{
    PrenomLookup r;
    const QByteArray bytes = readDirectory(dataDir, &r.file);
    if (!r.file.ok())
        return r;
    QString line;
    for (const QByteArrayView raw : codepage::splitRawLines(bytes)) {
        codepage::decodeInto(raw, line);
        if (QStringView(line).left(kCallWidth).trimmed() != indicatif)
            continue;
        // Saved by an editor in UTF-8: "É" is two bytes there, one letter here.
        if (codepage::lineKind(raw).utf8)
            line = QString::fromUtf8(raw);
        r.found = true;
        r.prenom =
            codepage::upper(codepage::storable(line.mid(kNameStart))).left(QsoLine::Prenom.width);
        r.dptBlank = line.mid(13, 2) == QStringLiteral("  ");
    }
    return r;
}

PrenomIrregularities checkPrenomFile(const QString &dataDir)
{
    PrenomIrregularities r;
    const QByteArray bytes = readDirectory(dataDir, &r.file);
    if (!r.file.ok())
        return r;
    const QList<QByteArrayView> lines = codepage::splitRawLines(bytes);
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArrayView raw = lines.at(i);
        const codepage::LineKind kind = codepage::lineKind(raw);
        if (kind.control && !r.firstNonTextLine)
            r.firstNonTextLine = i + 1;
        if (kind.utf8 && !r.firstUtf8Line)
            r.firstUtf8Line = i + 1;
        // One byte a character, except in a line written in UTF-8.
        const QString utf8 = kind.utf8 ? QString::fromUtf8(raw) : QString();
        const qsizetype size = kind.utf8 ? utf8.size() : raw.size();
        const auto blankAt = [&](qsizetype i) {
            return kind.utf8 ? utf8.at(i) == u' ' : raw.at(i) == ' ';
        };
        const bool outOfLayout = size == 0 || (size > kCallWidth && !blankAt(kCallWidth)) ||
                                 (size > kNameStart - 1 && !blankAt(kNameStart - 1)) ||
                                 size - kNameStart > QsoLine::Prenom.width;
        if (outOfLayout && !r.malformedLines++)
            r.firstMalformedLine = i + 1;
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
