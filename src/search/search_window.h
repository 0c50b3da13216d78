#pragma once

#include "platform/services.h"
#include "search/search_matching.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QAbstractItemModel;
class QButtonGroup;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace vqx {

// "Rechercher un QSO": finds contacts of the main list by callsign,
// reference or department; a double click on a result selects that
// contact in the main list and closes the window.
class SearchWindow : public QWidget
{
    Q_OBJECT
public:
    // Selects a row of the main list as a click would.
    using SelectRow = std::function<void(int row)>;

    SearchWindow(const Services &services, QAbstractItemModel *mainList, SelectRow selectRow,
                 QWidget *parent = nullptr);

    SearchKind selectedKind() const;

    // Runs the search with the field of the selected option.
    void Rechercher_Qso();

    QGroupBox *Frame1 = nullptr;
    QLabel *Label3 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QButtonGroup *Option1 = nullptr;
    QRadioButton *Option1_1 = nullptr;
    QRadioButton *Option1_2 = nullptr;
    QRadioButton *Option1_3 = nullptr;
    QLineEdit *Indica = nullptr;
    QLineEdit *Data = nullptr;
    QLineEdit *Depa = nullptr;
    QLabel *Label13 = nullptr;
    QListWidget *QSO_Effectues = nullptr;
    QPushButton *Command1 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    bool handleKey(QLineEdit *field, QKeyEvent *key);
    void enterIndica();
    void enterData();
    void enterDepa();
    void returnToLog();
    QLineEdit *fieldOf(SearchKind kind) const;
    QString mainListLine(int row) const;
    void message(const QString &text);

    Services m_services;
    QPointer<QAbstractItemModel> m_mainList;
    SelectRow m_selectRow;
    bool m_shownOnce = false;
};

// The caption of Label13, over the columns of the contacts found.
inline const QString kSearchHeader = QStringLiteral(
    "       N°    Indicatif               Dpt      Prénom                       Ref            "
    "Date          QTR    Mode     QRG   RSTR RSTE        Mom de la Fontaine                     "
    "    QSL");

} // namespace vqx
