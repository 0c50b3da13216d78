#include "platform/printer.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

namespace vqx {

QFont printFont(int pointSize)
{
    QFont f(QStringLiteral("Courier New"), pointSize);
    f.setBold(true);
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    return f;
}

QFont fittedFont(const QFont &font, const QPaintDevice *device, const QStringList &lines, int width)
{
    QFont fitted(font, device);
    for (int tries = 0; tries < 8 && width > 0; ++tries) {
        const QFontMetricsF fm(fitted, device);
        qreal widest = 0;
        for (const QString &line : lines)
            widest = std::max(widest, fm.horizontalAdvance(line));
        if (widest <= width)
            break;
        // A hair smaller than the ratio: glyph advances are rounded at
        // some sizes.
        fitted.setPointSizeF(fitted.pointSizeF() * width / widest * 0.998);
    }
    return fitted;
}

bool paintLines(QPrinter &printer, const QStringList &lines, const QFont &font)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QFont previous = painter.font();
    painter.setFont(fittedFont(font, painter.device(), lines, painter.viewport().width()));
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
