#include "logstore/text_order.h"

#include <algorithm>
#include <vector>

namespace vqx {

namespace {

// Case folding as the case-insensitive comparison does it, appended to
// `out`, with a quick path for the plain letters that make up nearly every
// line.
void appendFolded(const QString &text, QString &out)
{
    bool surrogates = false;
    const qsizetype at = out.size();
    out.resize(at + text.size());
    QChar *o = out.data() + at;
    const QChar *in = text.constData();
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t c = in[i].unicode();
        if (c < 0x80) {
            if (c >= 'A' && c <= 'Z')
                c = char16_t(c + ('a' - 'A'));
        } else if (QChar::isSurrogate(c)) {
            surrogates = true;
        } else {
            c = QChar(c).toCaseFolded().unicode();
        }
        o[i] = QChar(c);
    }
    if (surrogates) {
        // Pairs fold together.
        out.truncate(at);
        out += text.toCaseFolded();
    }
}

} // namespace

void sortWithoutCase(QStringList &lines)
{
    // Every line folded once, all in one buffer, rather than at every
    // comparison; most comparisons settled on eight characters packed in two
    // numbers: those that follow the part every line shares (the list lines
    // all begin alike).
    struct Keyed
    {
        quint64 head[2];
        qsizetype start;
        qsizetype length;
        qsizetype index;
    };
    qsizetype total = 0;
    for (const QString &l : std::as_const(lines))
        total += l.size();
    QString folded;
    folded.reserve(total);
    std::vector<Keyed> keys;
    keys.reserve(std::size_t(lines.size()));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qsizetype start = folded.size();
        appendFolded(lines.at(i), folded);
        keys.push_back({{0, 0}, start, folded.size() - start, i});
    }
    const QChar *text = folded.constData();
    const auto view = [text](const Keyed &k) { return QStringView(text + k.start, k.length); };

    qsizetype shared = keys.empty() ? 0 : keys.front().length;
    for (const Keyed &k : keys) {
        const QStringView first = view(keys.front());
        const QStringView line = view(k);
        qsizetype same = 0;
        while (same < shared && same < line.size() && line[same] == first[same])
            ++same;
        shared = same;
    }
    for (Keyed &k : keys) {
        // A line that ends early packs zeros: it sorts first, and a tie is
        // settled on the whole lines.
        for (qsizetype i = 0; i < 8; ++i) {
            const qsizetype at = shared + i;
            quint64 &word = k.head[i / 4];
            word = (word << 16) | (at < k.length ? text[k.start + at].unicode() : 0u);
        }
    }
    std::stable_sort(keys.begin(), keys.end(), [&view](const Keyed &a, const Keyed &b) {
        if (a.head[0] != b.head[0])
            return a.head[0] < b.head[0];
        if (a.head[1] != b.head[1])
            return a.head[1] < b.head[1];
        return view(a) < view(b);
    });
    QStringList sorted;
    sorted.reserve(lines.size());
    for (const Keyed &k : keys)
        sorted << lines.at(k.index);
    lines = std::move(sorted);
}

} // namespace vqx
