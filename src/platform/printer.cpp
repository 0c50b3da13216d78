#include "platform/printer.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace vqx {

QFont printFont(int pointSize)
{
    QFont f(QStringLiteral("Courier New"), pointSize);
    f.setBold(true);
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    return f;
}

bool paintLines(QPrinter &printer, const QStringList &lines, const QFont &font)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QFont previous = painter.font();
    painter.setFont(QFont(font, painter.device()));
    const QFontMetrics fm(painter.font());
    const int lineHeight = fm.lineSpacing();
    const int pageHeight = painter.viewport().height();
    const int top = fm.ascent();
    int y = top;
    for (const QString &line : lines) {
        // A page always takes at least one line, however small it is.
        if (y > top && y + fm.descent() > pageHeight) {
            if (!printer.newPage()) {
                painter.end();
                return false;
            }
            y = fm.ascent();
        }
        painter.drawText(0, y, line);
        y += lineHeight;
    }
    // The painter's font was only borrowed for this job.
    painter.setFont(previous);
    return painter.end();
}

PrintOutcome QtPrintService::printLines(QWidget *parent, const QStringList &lines,
                                        const QFont &font)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return PrintOutcome::Cancelled;
    return paintLines(printer, lines, font) ? PrintOutcome::Printed : PrintOutcome::Failed;
}

} // namespace vqx
