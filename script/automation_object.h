#pragma once
// Late-bound automation calls. Every call resolves its member by name on the object's
// dispatch interface and asks for a result of one kind:
//   void                      none
//   double                    number (coerced to VT_R8)
//   std::string               text (coerced to VT_BSTR, then to ANSI)
//   AutomationObject          object (one reference added)
//   platform::ScopedVariant   value, as it came
// A call that fails for any reason (empty object, unknown member, refused arguments, the
// object's own error) yields the empty value of its kind: 0, "", an empty object, VT_EMPTY.
// Nothing here throws.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "platform/automation/automation_types.h"
#include "platform/automation/com_ptr.h"
#include "platform/automation/scoped_variant.h"

namespace vantrel::script {

// A reference to one automation object, or nothing. Copying adds a reference.
class AutomationObject {
 public:
  AutomationObject() = default;
  explicit AutomationObject(platform::ComPtr<platform::IDispatch> dispatch)
      : dispatch_(std::move(dispatch)) {}

  platform::IDispatch* Interface() const { return dispatch_.Get(); }
  void Reset() { dispatch_.Reset(); }

 private:
  platform::ComPtr<platform::IDispatch> dispatch_;
};

// A member name as the caller gives it (ANSI) and, when it is short ASCII, as the dispatch
// interface takes it (zero-terminated UTF-16). A name made in a constant expression has its
// UTF-16 form ready at compile time, which spares every call of a hot loop the conversion.
class MemberName {
 public:
  constexpr MemberName(std::string_view name) : ansi_(name) {
    ready_ = name.size() < wide_.size();
    for (std::size_t i = 0; ready_ && i < name.size(); ++i) {
      const auto c = static_cast<unsigned char>(name[i]);
      if (c == 0 || c >= 0x80) ready_ = false;
      wide_[i] = c;
    }
    if (ready_) wide_[name.size()] = u'\0';
  }
  constexpr MemberName(const char* name) : MemberName(std::string_view(name)) {}
  MemberName(const std::string& name) : MemberName(std::string_view(name)) {}

  std::string_view Ansi() const { return ansi_; }
  // Null when the name needs the general conversion.
  const char16_t* Wide() const { return ready_ ? wide_.data() : nullptr; }

 private:
  std::string_view ansi_;
  std::array<char16_t, 40> wide_{};
  bool ready_ = false;
};

// One argument, converted when the call is made: text -> VT_BSTR (from ANSI), integer ->
// VT_I4, boolean -> VT_BOOL (-1 / 0), double -> VT_R8, VARIANT -> a copy with references
// followed (a string's characters lent, see Borrow), object -> VT_DISPATCH. The argument
// refers to what it was made from, which must outlive the call.
class Argument {
 public:
  Argument(std::string_view text) : value_(text) {}
  Argument(const char* text) : value_(text == nullptr ? std::string_view() : std::string_view(text)) {}
  Argument(const std::string& text) : value_(std::string_view(text)) {}
  Argument(std::int32_t number) : value_(number) {}
  Argument(bool truth) : value_(truth) {}
  Argument(double number) : value_(number) {}
  Argument(const platform::VARIANT& value) : value_(&value) {}
  Argument(const AutomationObject& object) : value_(&object) {}

  // Fills an empty VARIANT that the caller clears.
  platform::HRESULT ToVariant(platform::VARIANT& out) const;
  // A string VARIANT (or a reference to one) is lent rather than copied: the callee may only
  // read an argument passed by value, so it sees the same VT_BSTR value a copy would give,
  // and a long subject is not duplicated per call. out must not be cleared then.
  bool Borrow(platform::VARIANT& out) const;

 private:
  std::variant<std::string_view, std::int32_t, bool, double, const platform::VARIANT*,
               const AutomationObject*>
      value_;
};

// Makes an object of the class registered under progId. On failure object is unchanged.
bool Create(AutomationObject& object, std::string_view progId);
bool SetProperty(const AutomationObject& object, const MemberName& member, const Argument& value);

template <typename Result>
Result GetProperty(const AutomationObject& object, const MemberName& member,
                   std::optional<Argument> index = std::nullopt);
template <typename Result>
Result CallMethod(const AutomationObject& object, const MemberName& member,
                  std::initializer_list<Argument> arguments = {});

bool IsEmpty(const AutomationObject& object);
void Clear(AutomationObject& object);

// A string gives its characters, VT_EMPTY an empty text, anything else its standard text
// form (VariantChangeType without flags: booleans are "-1" / "0"); "" when it has none.
std::string VariantToText(const platform::VARIANT& value);

extern template void GetProperty<void>(const AutomationObject&, const MemberName&, std::optional<Argument>);
extern template double GetProperty<double>(const AutomationObject&, const MemberName&, std::optional<Argument>);
extern template std::string GetProperty<std::string>(const AutomationObject&, const MemberName&, std::optional<Argument>);
extern template AutomationObject GetProperty<AutomationObject>(const AutomationObject&, const MemberName&, std::optional<Argument>);
extern template platform::ScopedVariant GetProperty<platform::ScopedVariant>(const AutomationObject&, const MemberName&, std::optional<Argument>);
extern template void CallMethod<void>(const AutomationObject&, const MemberName&, std::initializer_list<Argument>);
extern template double CallMethod<double>(const AutomationObject&, const MemberName&, std::initializer_list<Argument>);
extern template std::string CallMethod<std::string>(const AutomationObject&, const MemberName&, std::initializer_list<Argument>);
extern template AutomationObject CallMethod<AutomationObject>(const AutomationObject&, const MemberName&, std::initializer_list<Argument>);
extern template platform::ScopedVariant CallMethod<platform::ScopedVariant>(const AutomationObject&, const MemberName&, std::initializer_list<Argument>);

}  // namespace vantrel::script
