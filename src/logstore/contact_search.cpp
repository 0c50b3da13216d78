#include "logstore/contact_search.h"

#include "logstore/codepage.h"
#include "logstore/log_record.h"

namespace vqx {

DejaContactee Ref_Deja_Contactee(const QString &logPath, const QString &reference,
                                 const QString &band)
{
    DejaContactee r;
    QByteArray bytes;
    r.file = readFile(logPath, &bytes);
    if (!r.file.ok())
        return r;
    const QString ref = reference.trimmed();
    const QStringList lines = codepage::decodeLines(bytes).lines;
    for (const QString &line : lines) {
        if (QsoLine::Ref.cutTrimmed(line) == ref && QsoLine::QRG.cutTrimmed(line) == band) {
            r.found = true;
            r.date = QsoLine::Date.cut(line);
            break;
        }
    }
    return r;
}

} // namespace vqx
