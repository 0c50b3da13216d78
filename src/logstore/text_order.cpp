#include "logstore/text_order.h"

#include <algorithm>
#include <vector>

namespace vqx {

namespace {

// Case folding as the case-insensitive comparison does it, with a quick
// path for the plain letters that make up nearly every line.
QString foldCase(const QString &text)
{
    QString out(text.size(), Qt::Uninitialized);
    QChar *o = out.data();
    const QChar *in = text.constData();
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t c = in[i].unicode();
        if (c < 0x80) {
            if (c >= 'A' && c <= 'Z')
                c = char16_t(c + ('a' - 'A'));
        } else if (QChar::isSurrogate(c)) {
            return text.toCaseFolded();
        } else {
            c = QChar(c).toCaseFolded().unicode();
        }
        o[i] = QChar(c);
    }
    return out;
}

} // namespace

void sortWithoutCase(QStringList &lines)
{
    // Fold each line once rather than at every comparison.
    struct Keyed
    {
        QString folded;
        qsizetype index;
    };
    std::vector<Keyed> keys;
    keys.reserve(std::size_t(lines.size()));
    for (qsizetype i = 0; i < lines.size(); ++i)
        keys.push_back({foldCase(lines.at(i)), i});
    std::stable_sort(keys.begin(), keys.end(),
                     [](const Keyed &a, const Keyed &b) { return a.folded < b.folded; });
    QStringList sorted;
    sorted.reserve(lines.size());
    for (const Keyed &k : keys)
        sorted << lines.at(k.index);
    lines = std::move(sorted);
}

} // namespace vqx
