#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

namespace vqx {

// Every data file is Windows-1252 with CR LF line ends. All decoding and
// encoding of file content goes through these routines, so a position in a
// line is always one character and one byte.
namespace codepage {

// Decodes Windows-1252 bytes (the same mapping as ICU's windows-1252).
// round trip through encode() is lossless for any file content.
QString decode(const QByteArray &bytes);

// Encodes to Windows-1252. Returns false (and substitutes) when the text
// holds a character the code page cannot represent.
bool encode(const QString &text, QByteArray *out);
QByteArray encode(const QString &text);

// True when every character of the text exists in Windows-1252.
bool isRepresentable(const QString &text);
bool isRepresentable(QChar c);

// Case changes that keep every position of the layout: a character takes its
// upper (lower) form only when that form is one character of the code page,
// otherwise it stays as it is ("ß" and "µ" stay, "é" gives "É", "ÿ" "Ÿ").
QChar upper(QChar c);
QString upper(const QString &text);
QChar lower(QChar c);
QString lower(const QString &text);

// What an entry field may hold of a text from outside (pasted): composed
// first, so a letter and its combining accent become the one accented
// letter, then without the characters the code page cannot hold and
// without control characters.
QString storable(const QString &text);

// Joins lines, each followed by CR LF, and encodes the result.
QByteArray encodeLines(const QStringList &lines);

// Splits decoded file content into lines. CR LF and a lone LF both end a
// line; a last line without its line end still counts.
struct SplitResult
{
    QStringList lines;
    bool bareLineFeeds = false; // some line ended with LF alone
    bool missingFinalEnd = false;
    // Set by decodeLines only: some line holds a control character (C0,
    // DEL, or one of the five bytes the code page leaves undefined).
    bool controlCharacters = false;
    // Set by decodeLines only: some byte is beyond ASCII.
    bool highBytes = false;
};
SplitResult splitLines(const QString &text);

// The lines of file content as bytes, views into `bytes`, split as
// splitLines splits the decoded text (CR LF or a lone LF; a last line
// without its end still counts).
QList<QByteArrayView> splitRawLines(const QByteArray &bytes);

// True when the bytes hold a control character once decoded (C0, DEL, or
// one of the five bytes the code page leaves undefined).
bool hasControlCharacters(QByteArrayView bytes);

// What QString::trimmed() leaves of decoded bytes, on the bytes: the code
// page's blanks are the ASCII ones and the no-break space.
inline bool isBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r') || c == '\xA0';
}
QByteArrayView trimmed(QByteArrayView bytes);
// A column of a line, `width` bytes from `start` (0-based) as far as the
// line goes, trimmed so.
QByteArrayView trimmedColumn(QByteArrayView line, qsizetype start, qsizetype width);

// Decodes one line into `out`, reusing its storage: for readers that look
// at every line once and keep none.
void decodeInto(QByteArrayView bytes, QString &out);

// What one line of file bytes holds besides plain text: a control
// character (C0, DEL, or a byte the code page leaves undefined), and
// whether its bytes read as UTF-8 with some character beyond ASCII (the
// file was likely saved by an editor in UTF-8: "é" then takes two bytes).
struct LineKind
{
    bool control = false;
    bool utf8 = false;
};
LineKind lineKind(QByteArrayView line);

// splitLines(decode(bytes)) in one pass, without the whole text as one
// string in between: what every reader of a file uses.
SplitResult decodeLines(const QByteArray &bytes);

} // namespace codepage
} // namespace vqx
