#pragma once

#include "logstore/safe_rewrite.h"

#include <QString>

// What the operator is told when a file could not be read or written: one
// wording for each fault, whichever window meets it. Every sentence names
// the file, says why, and says what was kept or done instead.
namespace vqx {

// The log could not be read, then `consequence`: what the window does
// instead, without its final stop. A missing log also says how to create it.
QString logNotReadMessage(const FileResult &read, const QString &consequence);

// A change of the log at logPath did not go through; `change` names the
// file that failed (the log or its scratch file).
QString logNotChangedMessage(const QString &logPath, const FileResult &change);

// The empty log of a new station could not be created.
QString logNotCreatedMessage(const FileResult &created);

// The first-name directory could not be read; the first name is not filled.
QString prenomsNotReadMessage(const FileResult &read);

// The first-name directory at `directory` could not be rewritten.
QString prenomsNotChangedMessage(const QString &directory, const FileResult &write);

// An export or a list could not be written to `target`; an older file of
// that name, left as it was, is mentioned.
QString fileNotSavedMessage(const QString &target, const FileResult &write);

// The settings file could not be read at start.
QString settingsNotReadMessage(const QString &path);

} // namespace vqx
