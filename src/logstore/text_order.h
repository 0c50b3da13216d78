#pragma once

#include <QStringList>

namespace vqx {

// Ascending text order without regard to case, as the sorted list boxes keep
// it (the order of QString::compare with Qt::CaseInsensitive); lines that
// compare equal keep their order. Each line is folded once, not at every
// comparison.
void sortWithoutCase(QStringList &lines);

} // namespace vqx
