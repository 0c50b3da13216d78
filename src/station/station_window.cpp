#include "station/station_window.h"

#include "logstore/codepage.h"
#include "logstore/log_operations.h"
#include "logstore/log_record.h"
#include "platform/message_boxes.h"
#include "platform/settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vqx {

namespace {

const QString kKeyIndicatif = QStringLiteral("Indicatif Station");

bool isCallsignCharacter(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || c == QLatin1Char('_');
}

} // namespace

StationWindow::StationWindow(const Services &services, SharedValues *shared, StationHost host,
                             QWidget *parent)
    : QDialog(parent), m_services(services), m_shared(shared), m_host(std::move(host))
{
    setObjectName(QStringLiteral("Station"));
    setWindowTitle(QStringLiteral("Selection Indicatif"));

    auto *layout = new QVBoxLayout(this);
    auto *frame1 = new QGroupBox;
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto *f1 = new QVBoxLayout(frame1);
    auto *title = new QLabel(QStringLiteral("Indicatif de la Station"));
    title->setObjectName(QStringLiteral("Label2"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    title->setAlignment(Qt::AlignCenter);
    f1->addWidget(title);
    layout->addWidget(frame1);

    auto *frame2 = new QGroupBox;
    frame2->setObjectName(QStringLiteral("Frame2"));
    auto *f2 = new QVBoxLayout(frame2);
    auto *caption = new QLabel(QStringLiteral("Indicatif"));
    caption->setObjectName(QStringLiteral("Label3"));
    New_Indicatif = new QLineEdit;
    New_Indicatif->setObjectName(QStringLiteral("New_Indicatif"));
    New_Indicatif->setFont(bold);
    QPalette p = New_Indicatif->palette();
    p.setColor(QPalette::Base, QColor(192, 255, 192));
    New_Indicatif->setPalette(p);
    caption->setBuddy(New_Indicatif);
    auto *hint = new QLabel(QStringLiteral("!!! Pour la saisie la '/' est remplacée par le '_'"));
    hint->setObjectName(QStringLiteral("Label5"));
    f2->addWidget(caption);
    f2->addWidget(New_Indicatif);
    f2->addWidget(hint);
    layout->addWidget(frame2);

    Validation = new QPushButton(QStringLiteral("Validez"));
    Validation->setObjectName(QStringLiteral("Validation"));
    // Enter in the field only moves to the button; the button itself validates.
    Validation->setAutoDefault(false);
    Validation->setDefault(false);
    layout->addWidget(Validation);

    New_Indicatif->installEventFilter(this);
    Validation->installEventFilter(this);
    connect(Validation, &QPushButton::clicked, this, &StationWindow::validate);
    New_Indicatif->setFocus();
}

QString StationWindow::displayForm(const QString &stored)
{
    QString shown = stored;
    return shown.replace(QLatin1Char('_'), QLatin1Char('/'));
}

bool StationWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (watched == Validation) {
        if (enter) {
            Validation->click();
            return true;
        }
        return false;
    }
    if (enter) {
        QPalette p = New_Indicatif->palette();
        p.setColor(QPalette::Base, Qt::white);
        New_Indicatif->setPalette(p);
        Validation->setFocus();
        return true;
    }
    // Shortcuts (paste, undo) are not typing.
    const bool shortcut =
        key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const QString text = shortcut ? QString() : key->text();
    if (text.size() == 1) {
        const QChar c = text.at(0);
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) {
            New_Indicatif->insert(QString(codepage::upper(c)));
            return true;
        }
        if (c == QLatin1Char('/')) {
            New_Indicatif->insert(QStringLiteral("_"));
            return true;
        }
    }
    return false;
}

void StationWindow::validate()
{
    MessageBoxes &messages = *m_services.messages;
    const QString candidate = codepage::upper(New_Indicatif->text());
    if (candidate.isEmpty()) {
        messages.information(this, QStringLiteral("Vous devez entrer un indicatif"));
        return;
    }
    if (candidate.size() > 12) {
        messages.information(this, QStringLiteral("12 caracteres maximum pour l'indicatif"));
        return;
    }
    for (QChar c : candidate) {
        if (!isCallsignCharacter(c)) {
            messages.information(this, QStringLiteral("L'indicatif ne doit comporter que des "
                                                      "lettres des chiffres ou le signe '_' "));
            New_Indicatif->clear();
            return;
        }
    }

    m_shared->Indicatif_Station = candidate;
    SettingsStore &settings = *m_services.settings;
    const QString path = logFilePath(m_services.dataDir, candidate);
    // The log's existence is tested as such: a log that exists but cannot be
    // opened is never replaced by an empty one.
    if (!QFileInfo::exists(path)) {
        const FileResult created = Creer_Log(path);
        if (!created.ok()) {
            messages.information(
                this, QStringLiteral("Le log ") + QDir::toNativeSeparators(path) +
                          QStringLiteral(" n'a pas pu être créé (") + created.detail +
                          QStringLiteral(") : aucun QSO ne pourra être enregistré tant que ce "
                                         "fichier n'existe pas."));
        }
        settings.Ecrire_Reglage(kAppVqx, kSectionSetup, kKeyIndicatif, candidate);
        settings.Ecrire_Reglage(kAppVqx, stationSection(candidate),
                                QStringLiteral("bande Utilisee"), QStringLiteral("0"));
        settings.Ecrire_Reglage(kAppVqx, stationSection(candidate), QStringLiteral("Mode Utilise"),
                                QStringLiteral("0"));
    } else {
        settings.Ecrire_Reglage(kAppVqx, kSectionSetup, kKeyIndicatif, candidate);
    }

    const QString stored =
        settings.Lire_Reglage(kAppVqx, kSectionSetup, kKeyIndicatif, QStringLiteral("FXXXX"));
    if (m_host.showCallsign)
        m_host.showCallsign(displayForm(stored));
    if (m_host.reselectBandAndMode)
        m_host.reselectBandAndMode();
    if (m_host.reloadLog)
        m_host.reloadLog();
    accept();
}

} // namespace vqx
