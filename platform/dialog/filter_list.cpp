#include "platform/dialog/filter_list.h"

#include <cstring>

namespace vantrel::platform::dialog {

QStringList NameFiltersFromFilterBytes(const char* filter) {
  QStringList entries;
  if (filter == nullptr) return entries;
  const char* cursor = filter;
  while (*cursor != '\0') {
    const QString description = QString::fromUtf8(cursor);
    cursor += std::strlen(cursor) + 1;
    if (*cursor == '\0') break;
    QString patterns = QString::fromUtf8(cursor);
    cursor += std::strlen(cursor) + 1;
    patterns.replace(u';', u' ');
    patterns = patterns.simplified();
    if (patterns.isEmpty()) continue;
    const QString bracketed = u'(' + patterns + u')';
    entries.append(description.endsWith(bracketed) ? description
                                                   : description + u' ' + bracketed);
  }
  return entries;
}

}  // namespace vantrel::platform::dialog
