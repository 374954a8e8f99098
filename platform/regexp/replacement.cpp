#include "platform/regexp/replacement.h"

namespace vantrel::platform {
namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace

void AppendReplacement(std::u16string& out, std::u16string_view replacement,
                       const MatchSet& matches, std::size_t match) {
  const std::u16string_view subject = matches.subject;
  const std::size_t groups = matches.groupCount;
  for (std::size_t i = 0; i < replacement.size(); ++i) {
    const char16_t c = replacement[i];
    if (c != u'$' || i + 1 == replacement.size()) {
      out.push_back(c);
      continue;
    }
    const char16_t next = replacement[i + 1];
    if (next == u'$') {
      out.push_back(u'$');
      ++i;
    } else if (next == u'&') {
      out.append(matches.Text(match));
      ++i;
    } else if (next == u'`') {
      out.append(subject.substr(0, matches.Start(match)));
      ++i;
    } else if (next == u'\'') {
      out.append(subject.substr(matches.End(match)));
      ++i;
    } else if (IsDigit(next)) {
      std::size_t group = next - u'0';
      std::size_t used = 1;
      if (i + 2 < replacement.size() && IsDigit(replacement[i + 2])) {
        const std::size_t two = group * 10 + (replacement[i + 2] - u'0');
        if (two >= 1 && two <= groups) group = two, used = 2;
      }
      if (group >= 1 && group <= groups) {
        out.append(matches.Text(match, group));
        i += used;
      } else {
        out.push_back(c);
      }
    } else {
      out.push_back(c);
    }
  }
}

}  // namespace vantrel::platform
