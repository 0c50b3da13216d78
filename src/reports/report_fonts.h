#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QWidget>

namespace vqx::reports {

// Fixed pitch keeps the columns of the lists under their header.
inline QFont listFont()
{
    QFont f(QStringLiteral("Letter Gothic"));
    f.setFamilies({QStringLiteral("Letter Gothic"), QStringLiteral("DejaVu Sans Mono"),
                   QStringLiteral("Liberation Mono"), QStringLiteral("Monospace")});
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setPointSizeF(8.25);
    return f;
}

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

// Background of a text box or of a filled label.
inline void setBackground(QWidget *w, const QColor &c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, c);
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

inline const QColor kResultYellow(255, 255, 192);
inline const QColor kCounterGreen(192, 255, 192);

} // namespace vqx::reports
