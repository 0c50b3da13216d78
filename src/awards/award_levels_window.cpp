#include "awards/award_levels_window.h"

#include "logstore/file_messages.h"
#include "logstore/log_operations.h"
#include "logstore/log_record.h"
#include "platform/message_boxes.h"
#include "widgets/ui_style.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vqx {

namespace {

std::size_t indexOf(AwardLevel level)
{
    return static_cast<std::size_t>(level);
}

void setTextColour(QLabel *label, const QColor &c)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, c);
    label->setPalette(p);
}

QLabel *centredLabel(const char *name, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setAlignment(Qt::AlignCenter);
    return l;
}

} // namespace

AwardLevelsWindow::AwardLevelsWindow(const Services &services, const QString &indicatifStation,
                                     const QString &groupeBandes,
                                     std::function<void(const QString &)> openList, QWidget *parent)
    : QWidget(parent, Qt::Window), m_services(services), m_callsign(indicatifStation),
      m_groupeBandes(groupeBandes), m_openList(std::move(openList))
{
    setObjectName(QStringLiteral("Diplomes_VQX"));
    setWindowTitle(QStringLiteral("Diplomes VQX"));
    buildControls();
    evaluate();
}

void AwardLevelsWindow::buildControls()
{
    auto *outer = new QVBoxLayout(this);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    setBoxFrame(Frame1);
    auto *titleBox = new QVBoxLayout(Frame1);
    Label2 = centredLabel("Label2", Frame1);
    Label2->setFont(captionFont(18, true));
    Label2->setText(QStringLiteral("Diplomes VQX"));
    titleBox->addWidget(Label2);
    outer->addWidget(Frame1);

    Frame2 = new QFrame(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    setBoxFrame(Frame2);
    auto *levels = new QVBoxLayout(Frame2);
    outer->addWidget(Frame2);

    struct Names
    {
        const char *status;
        const char *detail;
        const char *button;
        QLabel **statusMember;
        QLabel **detailMember;
        QPushButton **buttonMember;
    };
    const Names names[kAwardLevelCount] = {
        {"Label4", "Label18", "Base", &Label4, &Label18, &Base},
        {"Label7", "Label19", "Performant", &Label7, &Label19, &Performant},
        {"Label12", "Label20", "Expert", &Label12, &Label20, &Expert},
        {"Label15", "Label21", "Honneur", &Label15, &Label21, &Honneur},
        {"Label1", "Label3", "Maitre", &Label1, &Label3, &Maitre}};

    for (AwardLevel level : kAwardLevels) {
        const std::size_t i = indexOf(level);
        if (i > 0) {
            auto *line = new QFrame(Frame2);
            line->setObjectName(QStringLiteral("Line%1").arg(i));
            line->setFrameShape(QFrame::HLine);
            line->setFrameShadow(QFrame::Sunken);
            levels->addWidget(line);
            lines[i - 1] = line;
        }
        Section &s = m_sections[i];
        s.status = centredLabel(names[i].status, Frame2);
        s.status->setText(notReachedCaption(level));
        setTextColour(s.status, kLevelMissing);
        s.detail = centredLabel(names[i].detail, Frame2);
        s.detail->setText(QStringLiteral("il vous manque "));
        s.button = new QPushButton(QStringLiteral("Voir la liste"), Frame2);
        s.button->setObjectName(QLatin1String(names[i].button));
        s.button->setEnabled(false);
        connect(s.button, &QPushButton::clicked, this, [this, level] { chooseLevel(level); });
        *names[i].statusMember = s.status;
        *names[i].detailMember = s.detail;
        *names[i].buttonMember = s.button;

        levels->addWidget(s.status);
        levels->addWidget(s.detail);
        levels->addWidget(s.button, 0, Qt::AlignHCenter);
    }

    Label10 = new QLabel(Frame2);
    Label10->setObjectName(QStringLiteral("Label10"));
    Label22 = new QLabel(Frame2);
    Label22->setObjectName(QStringLiteral("Label22"));
    levels->addWidget(Label10);
    levels->addWidget(Label22);
}

void AwardLevelsWindow::evaluate()
{
    Label2->setText(QStringLiteral("Diplome VQX ") + m_groupeBandes);
    const LoadedLog loaded = Charger_Log(logFilePath(m_services.dataDir, m_callsign));
    if (!loaded.file.ok()) {
        // The counts below come out empty: every level shows what it lacks.
        m_services.messages->information(
            this, logNotReadMessage(loaded.file, QStringLiteral("aucune Fontaine confirmée "
                                                                "n'a pu être comptée")));
    }
    const AwardEvaluation e = evaluateAwards(countConfirmed(loaded.lines), m_groupeBandes);
    for (const LevelResult &r : e.levels)
        showLevel(r);
}

void AwardLevelsWindow::showLevel(const LevelResult &result)
{
    const Section &s = m_sections[indexOf(result.level)];
    s.status->setText(result.status);
    setTextColour(s.status, result.reached ? kLevelReached : kLevelMissing);
    s.detail->setText(result.detail);
    s.button->setEnabled(result.reached);
}

void AwardLevelsWindow::chooseLevel(AwardLevel level)
{
    if (m_openList)
        m_openList(awardLevelName(level));
}

QLabel *AwardLevelsWindow::statusLabel(AwardLevel level) const
{
    return m_sections[indexOf(level)].status;
}

QLabel *AwardLevelsWindow::detailLabel(AwardLevel level) const
{
    return m_sections[indexOf(level)].detail;
}

QPushButton *AwardLevelsWindow::listButton(AwardLevel level) const
{
    return m_sections[indexOf(level)].button;
}

} // namespace vqx
