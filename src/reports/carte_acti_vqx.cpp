#include "reports/carte_acti_vqx.h"

#include "logstore/log_operations.h"
#include "logstore/log_record.h"
#include "mainwindow/shared_values.h"
#include "platform/message_boxes.h"
#include "reports/department_anchor.h"
#include "reports/map_credit.h"
#include "reports/map_picture.h"
#include "reports/map_svg.h"
#include "reports/report_fonts.h"
#include "reports/report_messages.h"

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

QColor boxColour(BoxState state)
{
    return QColor::fromRgb(QRgb(0xFF000000u | boxRgb(state)));
}

} // namespace

CarteActiVqx::CarteActiVqx(const Services &services, const SharedValues *shared, QWidget *parent)
    : QWidget(parent), m_services(services),
      m_callsign(shared ? shared->Indicatif_Station : kFirstRunCallsign)
{
    setObjectName(QStringLiteral("Carte_Acti_VQX"));
    setWindowTitle(QStringLiteral("Carte des départements contactés"));
    setWindowFlag(Qt::Window, true);

    const QFont big = reports::captionFont(12, true);
    NB_Dep = new QLabel(QStringLiteral("0"), this);
    NB_Dep->setObjectName(QStringLiteral("NB_Dep"));
    NB_Dep->setFont(big);
    Label5 = new QLabel(QStringLiteral("départements contactés"), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setFont(big);

    Carte = new MapPicture(this);

    const QFont counter = reports::captionFont(9.75, true);
    auto makeCounter = [&](const char *name, const QColor &colour) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        e->setFont(counter);
        e->setAlignment(Qt::AlignCenter);
        reports::setBackground(e, colour);
        e->setMinimumWidth(
            QFontMetrics(counter).horizontalAdvance(QStringLiteral(" 96 Dpt non contactés    ")));
        return e;
    };
    Nb_Nconf = makeCounter("Nb_Nconf", reports::kCounterGreen);
    Nb_Ncont = makeCounter("Nb_Ncont", reports::kResultYellow);

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
    buildBoxes(map);
    for (int i = 1; i < kMapBoxCount; ++i)
        setBox(i, BoxState::NotContacted);

    const LoadedLog log = Charger_Log(logFilePath(m_services.dataDir, m_callsign));
    if (log.file.ok()) {
        m_colouring = Colorier_Carte(log.lines);
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
        message(logReadProblem(log.file));
}

void CarteActiVqx::buildBoxes(const QByteArray &map)
{
    QSvgRenderer plain(map);
    const QHash<QString, QString> names = mapElementNames(map);
    const QFont font = reports::arialFont(9.75, true);
    std::vector<std::pair<double, QLabel *>> bySize;
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
        const QString id = mapElementId(i);
        if (id.isEmpty() || !plain.isValid() || !plain.elementExists(id))
            continue;
        Carte->pin(box, departmentAnchor(plain, id));
        box->setToolTip(names.value(id).isEmpty()
                            ? boxText(i)
                            : boxText(i) + QLatin1Char(' ') + names.value(id));
        const QRectF r = elementDocumentRect(plain, id);
        bySize.emplace_back(r.width() * r.height(), box);
    }
    // Small departments (Paris and its ring) stay on top of their neighbours.
    std::stable_sort(bySize.begin(), bySize.end(),
                     [](const auto &a, const auto &b) { return a.first > b.first; });
    for (const auto &s : bySize)
        s.second->raise();
}

void CarteActiVqx::paint(const QByteArray &map)
{
    MapPaint paint;
    paint.stroke = QStringLiteral("#606060");
    paint.strokeWidth = QStringLiteral("0.5");
    for (int i = 0; i < kMapBoxCount; ++i) {
        const QString id = mapElementId(i);
        if (!id.isEmpty())
            paint.fillById.insert(id, svgColour(boxRgb(m_colouring.boxes[size_t(i)])));
    }
    const QByteArray painted = paintMapSvg(map, paint);
    Carte->load(painted.isEmpty() ? map : painted);
}

void CarteActiVqx::setBox(int index, BoxState state)
{
    reports::setBackground(Dep.at(index), boxColour(state));
}

void CarteActiVqx::message(const QString &text)
{
    if (m_services.messages)
        m_services.messages->information(this, text);
}

} // namespace vqx
