#pragma once

#include <QString>

class QPixmap;
class QWidget;

namespace vqx {

// Title of every message box.
inline const QString kProgramTitle = QStringLiteral("ZAT_VQX");

// Message boxes: OK only and no icon for messages, Yes and No for questions.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    virtual void information(QWidget *parent, const QString &text) = 0;
    // True when the operator answers Yes.
    virtual bool question(QWidget *parent, const QString &text) = 0;
    // The About box: like information(), with the award logo beside the text.
    virtual void about(QWidget *parent, const QString &text, const QPixmap &logo) = 0;
};

class QtMessageBoxes : public MessageBoxes
{
public:
    void information(QWidget *parent, const QString &text) override;
    bool question(QWidget *parent, const QString &text) override;
    void about(QWidget *parent, const QString &text, const QPixmap &logo) override;
};

} // namespace vqx
