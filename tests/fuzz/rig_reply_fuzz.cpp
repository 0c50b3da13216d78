// Arbitrary bytes as what rigctld sends: the first byte chooses the command
// whose reply is awaited, the rest is the socket's buffer. A reply never
// claims more than the buffer holds, and what it reads is what it says.
#include "fuzz_support.h"

#include "rig/rig_protocol.h"

using namespace vqx;
using namespace vqx::rig;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const Query queries[] = {Query::None, Query::Frequency, Query::Mode, Query::SetCommand};
    const Query query = queries[data[0] % 4];
    const QByteArray buffer = fuzz::bytesOf(data + 1, size - 1);
    const Reply r = readReply(query, buffer);
    FUZZ_CHECK(r.consumed >= 0 && r.consumed <= buffer.size());
    switch (r.kind) {
    case Reply::Incomplete:
        FUZZ_CHECK(r.consumed == 0);
        break;
    case Reply::Frequency:
        FUZZ_CHECK(query == Query::Frequency && r.hz >= 0 && r.consumed > 0);
        FUZZ_CHECK(buffer.at(r.consumed - 1) == '\n');
        // The entry band and mode, and the status line, take any reading.
        FUZZ_CHECK(readingStatus(r.hz, QStringLiteral("USB")).startsWith(QStringLiteral("Poste")));
        break;
    case Reply::Mode:
        FUZZ_CHECK(query == Query::Mode && !r.mode.isEmpty() && r.consumed > 0);
        FUZZ_CHECK(!setModeCommand(r.mode).isEmpty());
        FUZZ_CHECK(radioEntry(0, r.mode).bandIndex == -1);
        break;
    case Reply::Report:
        // Blanks around a line are not rigctld's, and are forgiven.
        FUZZ_CHECK(r.code <= 0 && QString::fromLatin1(buffer.left(r.consumed))
                                      .trimmed()
                                      .startsWith(QLatin1String("RPRT ")));
        break;
    case Reply::Garbage:
        break;
    }
    return 0;
}
