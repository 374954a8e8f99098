#pragma once
// Turns the dialog record's zero-separated filter bytes into Qt's name-filter texts.
#include <QStringList>

namespace vantrel::platform::dialog {

// Reads description/pattern pairs up to the double zero. Each entry keeps the description as
// it is shown; when it does not already end in its patterns in brackets, they are added,
// since Qt takes the patterns from there. ';'-separated patterns become space-separated.
// A pair without a pattern is dropped, as comdlg32 does.
QStringList NameFiltersFromFilterBytes(const char* filter);

}  // namespace vantrel::platform::dialog
