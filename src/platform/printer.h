#pragma once

#include <QFont>
#include <QStringList>

class QPaintDevice;
class QPrinter;
class QWidget;

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

// The font for lines printed within the given width (device pixels): the
// font itself when the widest line fits, otherwise the same font made just
// small enough, so that no character falls off the page.
QFont fittedFont(const QFont &font, const QPaintDevice *device, const QStringList &lines,
                 int width);

// Draws the lines on a printer that is already set up, in the font fitted to
// the printable width; false on failure.
bool paintLines(QPrinter &printer, const QStringList &lines, const QFont &font);

class QtPrintService : public PrintService
{
public:
    PrintOutcome printLines(QWidget *parent, const QStringList &lines, const QFont &font) override;
};

} // namespace vqx
