#pragma once
// The regular-expression object, ProgID "VBScript.RegExp": properties "Pattern" (text),
// "IgnoreCase", "Global", "Multiline" (booleans, all false at first); methods
// "Execute" (subject) -> match collection, "Test" (subject) -> boolean and
// "Replace" (subject, replacement) -> text. Syntax and matching are described in
// compiled_pattern.h, replacement texts in replacement.h. A pattern that does not compile
// makes Execute, Test and Replace fail with REGEXP_E_SYNTAX.
#include <memory>
#include <string>

#include "platform/automation/dispatch_object.h"
#include "platform/regexp/compiled_pattern.h"

namespace vantrel::platform {

inline constexpr CLSID CLSID_RegExp{0x3F4DACA4, 0x160D, 0x11D2,
                                    {0xA8, 0xE9, 0x00, 0x10, 0x4B, 0x36, 0x5C, 0x9F}};

ComPtr<IUnknown> CreateRegExpObject();

class RegExpObject final : public DispatchObject {
 protected:
  std::span<const Member> Members() const override;
  HRESULT InvokeMember(DISPID id, Action action, const Arguments& arguments,
                       VARIANT& result) override;

 private:
  HRESULT Compiled(const CompiledPattern*& compiled);
  HRESULT Execute(const Arguments& arguments, VARIANT& result);
  HRESULT Test(const Arguments& arguments, VARIANT& result);
  HRESULT Replace(const Arguments& arguments, VARIANT& result);

  std::u16string pattern_;
  bool ignoreCase_ = false;
  bool global_ = false;
  bool multiline_ = false;
  // Compiled on first use and dropped whenever the pattern or an option it depends on changes.
  std::unique_ptr<CompiledPattern> compiled_;
};

}  // namespace vantrel::platform
