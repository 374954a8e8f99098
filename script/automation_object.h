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

// One argument, converted when the call is made: text -> VT_BSTR (from ANSI), integer ->
// VT_I4, boolean -> VT_BOOL (-1 / 0), double -> VT_R8, VARIANT -> a copy with references
// followed, object -> VT_DISPATCH. The argument refers to what it was made from, which must
// outlive the call.
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
bool SetProperty(const AutomationObject& object, std::string_view member, const Argument& value);

template <typename Result>
Result GetProperty(const AutomationObject& object, std::string_view member,
                   std::optional<Argument> index = std::nullopt);
template <typename Result>
Result CallMethod(const AutomationObject& object, std::string_view member,
                  std::initializer_list<Argument> arguments = {});

bool IsEmpty(const AutomationObject& object);
void Clear(AutomationObject& object);

// A string gives its characters, VT_EMPTY an empty text, anything else its standard text
// form (VariantChangeType without flags: booleans are "-1" / "0"); "" when it has none.
std::string VariantToText(const platform::VARIANT& value);

extern template void GetProperty<void>(const AutomationObject&, std::string_view, std::optional<Argument>);
extern template double GetProperty<double>(const AutomationObject&, std::string_view, std::optional<Argument>);
extern template std::string GetProperty<std::string>(const AutomationObject&, std::string_view, std::optional<Argument>);
extern template AutomationObject GetProperty<AutomationObject>(const AutomationObject&, std::string_view, std::optional<Argument>);
extern template platform::ScopedVariant GetProperty<platform::ScopedVariant>(const AutomationObject&, std::string_view, std::optional<Argument>);
extern template void CallMethod<void>(const AutomationObject&, std::string_view, std::initializer_list<Argument>);
extern template double CallMethod<double>(const AutomationObject&, std::string_view, std::initializer_list<Argument>);
extern template std::string CallMethod<std::string>(const AutomationObject&, std::string_view, std::initializer_list<Argument>);
extern template AutomationObject CallMethod<AutomationObject>(const AutomationObject&, std::string_view, std::initializer_list<Argument>);
extern template platform::ScopedVariant CallMethod<platform::ScopedVariant>(const AutomationObject&, std::string_view, std::initializer_list<Argument>);

}  // namespace vantrel::script
