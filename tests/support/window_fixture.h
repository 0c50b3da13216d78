#pragma once
// What a window test starts from: a temporary logs folder, the fake services
// over it and the station whose log the window reads.

#include "temp_folder.h"
#include "ui_fakes.h"

#include "logstore/log_record.h"

#include <QStringList>

namespace vqx::test {

struct WindowFixture
{
    QString logPath() const { return logFilePath(dir.path(), callsign); }
    bool writeLog(const QStringList &lines) const { return writeBytes(logPath(), crlf(lines)); }

    TempFolder dir;
    FakeServices fakes{dir.path()};
    QString callsign = QStringLiteral("FYYYY");
};

} // namespace vqx::test
