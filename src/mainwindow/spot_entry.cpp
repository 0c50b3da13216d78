// A spot taken into the entry area: the same Enter chain as typing.
#include "entry_form.h"

#include "logstore/entry_rules.h"
#include "session/shared_values.h"

#include <QComboBox>
#include <QLineEdit>

namespace vqx {

bool EntryForm::takeSpot(const QString &band, const QString &mode, const QString &callsign,
                         const QString &ref)
{
    if (Flag_Modif || Flag_Insert) {
        message(QStringLiteral("Un QSO est en cours de modification ou d'insertion : le spot "
                               "n'est pas repris. Validez ou annulez d'abord ce QSO."));
        return false;
    }
    if (m_shared->Indicatif_Station == kFirstRunCallsign) {
        message(firstRunMessage());
        return false;
    }
    // Whatever was being typed gives way to the spot.
    Reset_Saisie();
    const int b = bandePosition(band);
    if (b >= 0) {
        Bande_A->setCurrentIndex(b);
        Bande_A->setEditText(Bande_A->itemText(b));
        rememberListPosition(Bande_A, b);
    }
    const int m = Mode_A->findText(mode, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (m >= 0) {
        Mode_A->setCurrentIndex(m);
        rememberListPosition(Mode_A, m);
    }

    // Each step is the Enter of its field; one that refuses keeps the turn.
    Ind_A->setText(callsign);
    enterIndicatif();
    if (!Prenom_A->isEnabled() || !indicatifMessage(callsign).isEmpty())
        return false;
    enterPrenom();
    if (!Ref_A->isEnabled())
        return false;
    Ref_A->setText(ref);
    enterRef();
    // Already contacted on this band: said, and the area is empty again.
    if (Ref_A->text().isEmpty() || !Dpt_A->isEnabled())
        return false;
    // The contact's time is that of this moment.
    m_host->refreshClock();
    enterDpt();
    return true;
}

} // namespace vqx
