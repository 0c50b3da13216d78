#include "map/map_window.h"

#include "logstore/file_messages.h"
#include "logstore/log_operations.h"
#include "logstore/log_record.h"
#include "map/department_anchor.h"
#include "map/map_credit.h"
#include "map/map_picture.h"
#include "map/map_svg.h"
#include "platform/message_boxes.h"
#include "widgets/ui_style.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include <algorithm>

namespace vqx {

namespace {

// A box is 375 by 300 twips.
const QSize kBoxSize(25, 20);

// The empty sea north of Brittany and west of the Cotentin, in the map's own
// units: room for Paris and its three neighbours enlarged.
const QRectF kInsetCorner(4, 4, 126, 132);
// Room kept around the four departments inside the inset, in map units
// before enlargement.
constexpr double kInsetPadding = 1.5;

QColor boxColour(BoxState state)
{
    return QColor::fromRgb(QRgb(0xFF000000u | boxRgb(state)));
}

} // namespace

MapWindow::MapWindow(const Services &services, const QString &indicatifStation, QWidget *parent)
    : QWidget(parent), m_services(services), m_callsign(indicatifStation)
{
    setObjectName(QStringLiteral("Carte_Acti_VQX"));
    setWindowTitle(QStringLiteral("Carte des départements contactés"));
    setWindowFlag(Qt::Window, true);

    const QFont big = captionFont(12, true);
    NB_Dep = new QLabel(QStringLiteral("0"), this);
    NB_Dep->setObjectName(QStringLiteral("NB_Dep"));
    NB_Dep->setFont(big);
    Label5 = new QLabel(QStringLiteral("départements contactés"), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setFont(big);

    Carte = new MapPicture(this);

    const QFont counter = captionFont(9.75, true);
    auto makeCounter = [&](const char *name, const QColor &colour) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        e->setFont(counter);
        e->setAlignment(Qt::AlignCenter);
        setBackground(e, colour);
        e->setMinimumWidth(
            QFontMetrics(counter).horizontalAdvance(QStringLiteral(" 96 Dpt non contactés    ")));
        return e;
    };
    Nb_Nconf = makeCounter("Nb_Nconf", kLightGreen);
    Nb_Ncont = makeCounter("Nb_Ncont", kLightYellow);

    Credit_Carte = new QLabel(kMapCreditShort, this);
    Credit_Carte->setObjectName(QStringLiteral("Credit_Carte"));
    Credit_Carte->setToolTip(kMapCredit);
    QFont small = font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() - 2));
    Credit_Carte->setFont(small);

    auto *top = new QHBoxLayout;
    top->addStretch(1);
    top->addWidget(NB_Dep);
    top->addWidget(Label5);
    top->addStretch(1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(Nb_Nconf);
    bottom->addStretch(1);
    bottom->addWidget(Nb_Ncont);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Carte, 1);
    layout->addLayout(bottom);
    layout->addWidget(Credit_Carte, 0, Qt::AlignRight);

    QFile file(kMapResource);
    QByteArray map;
    if (file.open(QIODevice::ReadOnly))
        map = file.readAll();
    map = withParisInset(map);
    buildBoxes(map);
    for (int i = 1; i < kMapBoxCount; ++i)
        setBox(i, BoxState::NotContacted);

    const LoadedLog log = Charger_Log(logFilePath(m_services.dataDir, m_callsign));
    if (log.file.ok()) {
        m_colouring = colourMap(log.lines);
        for (int i = 0; i < kMapBoxCount; ++i)
            setBox(i, m_colouring.boxes[size_t(i)]);
        NB_Dep->setText(nbDepText(m_colouring));
        Nb_Nconf->setText(nbNconfText(m_colouring));
        Nb_Ncont->setText(nbNcontText(m_colouring));
    } else {
        m_colouring.boxes.fill(BoxState::NotContacted);
    }
    paint(map);
    if (map.isEmpty() || !Carte->renderer()->isValid())
        message(QStringLiteral("La carte des départements n'a pas pu être chargée."));
    if (!log.file.ok())
        message(logNotReadMessage(log.file,
                                  QStringLiteral("aucun département n'est montré comme contacté")));
}

QByteArray MapWindow::withParisInset(const QByteArray &map)
{
    QSvgRenderer plain(map);
    if (!plain.isValid())
        return map;
    MapInset inset;
    for (int i = 0; i < kMapBoxCount; ++i) {
        if (!boxInParisInset(i))
            continue;
        const QString id = mapElementId(i);
        if (!plain.elementExists(id))
            return map;
        inset.source = inset.source.united(elementDocumentRect(plain, id));
        inset.copies.emplace_back(id, insetElementId(i));
    }
    inset.source.adjust(-kInsetPadding, -kInsetPadding, kInsetPadding, kInsetPadding);
    // The frame takes the shape of the area it shows, in the corner's top left.
    inset.frame = kInsetCorner;
    inset.frame.setSize(inset.source.size() * inset.scale());
    const QByteArray out = addMapInset(map, inset);
    if (out.isEmpty())
        return map;
    m_insetScale = inset.scale();
    return out;
}

void MapWindow::buildBoxes(const QByteArray &map)
{
    QSvgRenderer plain(map);
    const QHash<QString, QString> names = mapElementNames(map);
    const QFont font = arialFont(9.75, true);

    // Boxes that would cover one another move apart, each staying on its own
    // department: first the four of the inset, then the others, which also
    // keep off the inset and the outline of the area it enlarges.
    QStringList inInset;
    QStringList onMap;
    for (int i = 0; i < kMapBoxCount; ++i) {
        const QString id = placedOn(plain, i);
        if (!id.isEmpty())
            (boxInParisInset(i) && id == insetElementId(i) ? inInset : onMap) << id;
    }
    QHash<QString, QPointF> centres = placeBoxes(plain, inInset, QSizeF(kBoxSize), {});
    QList<QRectF> taken;
    for (const QString &id : {kInsetFrameId, kInsetSourceId}) {
        if (plain.elementExists(id))
            taken << elementDocumentRect(plain, id);
    }
    centres.insert(placeBoxes(plain, onMap, QSizeF(kBoxSize), taken));

    for (int i = 0; i < kMapBoxCount; ++i) {
        auto *box = new QLabel(boxText(i), Carte);
        box->setObjectName(QStringLiteral("Dep_%1").arg(i));
        box->setFont(font);
        box->setAlignment(Qt::AlignCenter);
        box->setFrameShape(QFrame::Box);
        box->setFixedSize(kBoxSize);
        box->setVisible(boxVisible(i));
        Dep.append(box);
        setBox(i, BoxState::Initial);
        const QString id = placedOn(plain, i);
        if (id.isEmpty())
            continue;
        Carte->pin(box, centres.value(id));
        const QString name = names.value(mapElementId(i));
        box->setToolTip(name.isEmpty() ? boxText(i) : boxText(i) + QLatin1Char(' ') + name);
    }
}

QString MapWindow::placedOn(const QSvgRenderer &map, int index)
{
    if (!map.isValid())
        return {};
    for (const QString &id : {boxElementId(index), mapElementId(index)}) {
        if (!id.isEmpty() && map.elementExists(id))
            return id;
    }
    return {};
}

void MapWindow::paint(const QByteArray &map)
{
    MapPaint paint;
    paint.stroke = QStringLiteral("#606060");
    paint.strokeWidth = QStringLiteral("0.5");
    for (int i = 0; i < kMapBoxCount; ++i) {
        const QString colour = svgColour(boxRgb(m_colouring.boxes[size_t(i)]));
        const QString id = mapElementId(i);
        if (!id.isEmpty())
            paint.fillById.insert(id, colour);
        const QString copy = insetElementId(i);
        if (!copy.isEmpty()) {
            paint.fillById.insert(copy, colour);
            paint.strokeWidthById.insert(copy, QString::number(0.5 / m_insetScale));
        }
    }
    const QByteArray painted = paintMapSvg(map, paint);
    Carte->load(painted.isEmpty() ? map : painted);
}

void MapWindow::setBox(int index, BoxState state)
{
    setBackground(Dep.at(index), boxColour(state));
}

void MapWindow::message(const QString &text)
{
    if (m_services.messages)
        m_services.messages->information(this, text);
}

} // namespace vqx
