#include "script/ansi_text.h"

#include "platform/text/code_page.h"

namespace vantrel::script {

// The ANSI code page is UTF-8 (CP_ACP), so the stand-in's direct forms do the whole job with
// one pass and without the size-then-fill double conversion.
std::u16string AnsiToWide(std::string_view text) { return platform::Utf8ToUtf16(text); }

std::string WideToAnsi(std::u16string_view text) { return platform::Utf16ToUtf8(text); }

}  // namespace vantrel::script
