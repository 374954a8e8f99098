#pragma once
// A base for the runtime's objects: reference counting, IDispatch over a table of members
// looked up by name ignoring ASCII case, and OLE's leniency about the form of a call: a
// property may be read with a method call and a method called through a property get
// (the member is invoked in the form it is declared in); a put needs a writable property.
//
// Objects start with one reference, owned by whoever made them (see MakeObject). They live
// in a single-threaded apartment, so the count is a plain integer: an object and its
// references stay on the thread that made them. No C++ exception leaves Invoke: it becomes
// E_OUTOFMEMORY or E_FAIL.
#include <span>
#include <string_view>
#include <utility>

#include "platform/automation/automation_types.h"
#include "platform/automation/com_ptr.h"

namespace vantrel::platform {

inline constexpr HRESULT DISP_E_NONAMEDARGS = static_cast<HRESULT>(0x80020007);

enum class MemberForm : std::uint8_t { Method, ReadOnlyProperty, Property };

struct Member {
  std::u16string_view name;
  DISPID id;
  MemberForm form;
};

// The arguments of one call, in call order (DISPPARAMS keeps them reversed).
class Arguments {
 public:
  explicit Arguments(const DISPPARAMS& params) : params_(params) {}
  UINT Count() const { return params_.cArgs; }
  const VARIANT& operator[](UINT index) const { return params_.rgvarg[params_.cArgs - 1 - index]; }

  HRESULT ReadInt(UINT index, std::int32_t& value) const;
  HRESULT ReadBool(UINT index, bool& value) const;
  // A text argument is viewed in place when it is a string already; any other value is
  // coerced into holder, which then keeps the characters alive.
  HRESULT ReadText(UINT index, VARIANT& holder, std::u16string_view& text) const;

 private:
  const DISPPARAMS& params_;
};

// Result setters; each expects an empty result.
void SetBool(VARIANT& result, bool value);
void SetInt(VARIANT& result, std::int32_t value);
HRESULT SetText(VARIANT& result, std::u16string_view text);
void SetObject(VARIANT& result, ComPtr<IDispatch> object);

class DispatchObject : public IDispatch {
 public:
  DispatchObject(const DispatchObject&) = delete;
  DispatchObject& operator=(const DispatchObject&) = delete;

  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override;
  ULONG Release() override;
  HRESULT GetTypeInfoCount(UINT* count) override;
  HRESULT GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT GetIDsOfNames(REFIID iid, const LPOLESTR* names, UINT count, LCID lcid,
                        DISPID* ids) override;
  HRESULT Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                 VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

 protected:
  enum class Action { Get, Put, Call };

  DispatchObject() = default;
  // A part of another object (a sub-collection it hands out): its references are the
  // owner's, and it lives exactly as long as the owner does.
  explicit DispatchObject(DispatchObject& lifetimeOwner) : owner_(&lifetimeOwner) {}
  virtual ~DispatchObject() = default;

  // True when the one reference left is the caller's: nobody else can observe a change.
  bool HasSingleReference() const { return owner_ == nullptr && references_ == 1; }

  virtual std::span<const Member> Members() const = 0;
  // For Put the new value is the last argument. result is empty on entry.
  virtual HRESULT InvokeMember(DISPID id, Action action, const Arguments& arguments,
                               VARIANT& result) = 0;

 private:
  ULONG references_ = 1;
  DispatchObject* owner_ = nullptr;
};

template <typename T, typename... Args>
ComPtr<T> MakeObject(Args&&... args) {
  return ComPtr<T>::Adopt(new T(std::forward<Args>(args)...));
}

}  // namespace vantrel::platform
