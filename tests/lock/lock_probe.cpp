// Takes a data folder as ZAT_VQX does at start, with message boxes that
// print what they show.
//
//   lock_probe <data folder>
//
// Prints "PRIS" and holds the folder until its standard input closes; when
// another program holds the folder, prints the refusal and ends with the
// refused exit code.
#include "platform/data_folder_lock.h"
#include "platform/message_boxes.h"
#include "platform/single_instance.h"

#include <QCoreApplication>

#include <cstdio>
#include <unistd.h>

namespace {

class PrintedMessages : public vqx::MessageBoxes
{
public:
    void information(QWidget *, const QString &text) override { print(text); }
    bool question(QWidget *, const QString &text) override
    {
        print(text);
        return false;
    }
    void about(QWidget *, const QString &text, const QPixmap &) override { print(text); }

private:
    static void print(const QString &text)
    {
        std::fputs(text.toUtf8().constData(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    vqx::DataFolderLock lock(QString::fromLocal8Bit(argv[1]));
    PrintedMessages messages;
    if (!vqx::claimDataFolder(lock, messages))
        return vqx::kRefusedExitCode;
    std::puts("PRIS");
    std::fflush(stdout);
    char c;
    while (::read(0, &c, 1) > 0) {
    }
    return 0;
}
