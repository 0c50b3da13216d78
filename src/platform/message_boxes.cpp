#include "platform/message_boxes.h"

#include <QMessageBox>

namespace vqx {

void QtMessageBoxes::information(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, kProgramTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtMessageBoxes::question(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, kProgramTitle, text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void QtMessageBoxes::about(QWidget *parent, const QString &text, const QPixmap &logo)
{
    QMessageBox box(QMessageBox::NoIcon, kProgramTitle, text, QMessageBox::Ok, parent);
    box.setIconPixmap(logo);
    box.exec();
}

} // namespace vqx
