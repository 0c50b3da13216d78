#pragma once

#include <QFont>
#include <QStringList>

class QWidget;
class QPrinter;

namespace vqx {

enum class PrintOutcome
{
    Printed,
    Cancelled,
    Failed
};

// Printing of the text lists: the printer-selection dialog, then the lines
// one under the other in the given font, a new page when one is full.
class PrintService
{
public:
    virtual ~PrintService() = default;
    virtual PrintOutcome printLines(QWidget *parent, const QStringList &lines,
                                    const QFont &font) = 0;
};

// The font of the printed lists: "Courier New" bold at the given size.
QFont printFont(int pointSize);

// Draws the lines on a printer that is already set up; false on failure.
bool paintLines(QPrinter &printer, const QStringList &lines, const QFont &font);

class QtPrintService : public PrintService
{
public:
    PrintOutcome printLines(QWidget *parent, const QStringList &lines, const QFont &font) override;
};

} // namespace vqx
