#pragma once

#include <QString>

class QWidget;

namespace vqx {

// Choosing a file to read or a name to write; "" when the operator gives up.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    // folder: where the dialog opens; filter: as "Fichiers ADIF (*.adi *.adif)".
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &folder,
                                 const QString &filter) = 0;
    // suggested: the full path offered, which the operator may change.
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &suggested,
                                 const QString &filter) = 0;
};

class QtFileDialogs : public FileDialogs
{
public:
    QString openFileName(QWidget *parent, const QString &caption, const QString &folder,
                         const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &suggested,
                         const QString &filter) override;
};

} // namespace vqx
