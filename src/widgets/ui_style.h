#pragma once

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QLatin1String>
#include <QPalette>
#include <QWidget>

// The look every window shares: its two colours, its fonts, and how a
// control gets the name the operator's screen gives it.
namespace vqx {

// Fields already filled or not in use, and lists of results.
inline const QColor kLightYellow(255, 255, 192);
// The field that expects input.
inline const QColor kLightGreen(192, 255, 192);

// "Letter Gothic", or the nearest fixed-pitch font: fixed pitch keeps the
// columns of a list under its header. A size of 0 keeps the default size.
inline QFont listFont(qreal pointSize = 0)
{
    QFont f(QStringLiteral("Letter Gothic"));
    f.setFamilies({QStringLiteral("Letter Gothic"), QStringLiteral("DejaVu Sans Mono"),
                   QStringLiteral("Liberation Mono"), QStringLiteral("Monospace")});
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    if (pointSize > 0)
        f.setPointSizeF(pointSize);
    return f;
}

// "MS Sans Serif", or the nearest sans-serif font: titles and captions.
inline QFont captionFont(qreal pointSize, bool bold)
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                   QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return f;
}

// "Arial", or the font that stands in for it: the map's department boxes.
inline QFont arialFont(qreal pointSize, bool bold)
{
    QFont f(QStringLiteral("Arial"));
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                   QStringLiteral("DejaVu Sans")});
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return f;
}

// A label that must catch the eye (the station, the entry mode): the
// window's font, bold and two points larger.
inline QFont emphasisFont(QFont f)
{
    f.setBold(true);
    f.setPointSize(f.pointSize() + 2);
    return f;
}

// Background of an entry field: text box, combo box or check box.
inline void setFieldColour(QWidget *w, const QColor &c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, c);
    p.setColor(QPalette::Button, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// Background of a list, a read-only box or a filled label.
inline void setBackground(QWidget *w, const QColor &c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, c);
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// A plain box around a group of controls. Its lines are drawn one pixel in
// from the frame's edges: at a scale such as 1.25 a line on the frame's last
// pixel straddles two screen pixels and the right one is cut off.
inline void setBoxFrame(QFrame *f)
{
    f->setFrameShape(QFrame::Box);
    f->setFrameShadow(QFrame::Plain);
    f->setFrameRect(f->rect().adjusted(1, 1, -1, -1));
}

// Gives a control its screen name, for mnemonics, screen readers and tests.
template <typename W> W *named(W *w, const char *name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

} // namespace vqx
