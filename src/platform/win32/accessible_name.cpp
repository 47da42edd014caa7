#include "platform/win32/accessible_name.h"

#include <oleacc.h>

#include <string>

#include "platform/win32/code_pages.h"
#include "platform/win32/system_library.h"

namespace korvel::win32 {

namespace {

using CreateStdAccessibleObjectFunction = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using LresultFromObjectFunction = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
using CoInitializeExFunction = HRESULT(WINAPI*)(void*, DWORD);
using SysAllocStringFunction = BSTR(WINAPI*)(const OLECHAR*);

struct AccessibilityCalls {
  CreateStdAccessibleObjectFunction create_standard = nullptr;
  LresultFromObjectFunction result_from_object = nullptr;
  SysAllocStringFunction alloc_string = nullptr;
  bool loaded() const { return create_standard && result_from_object && alloc_string; }
};

// Loaded once; the marshalling of LresultFromObject wants COM on this thread,
// which stays initialised for the rest of the run (the open-file dialog's
// own initialisation agrees with an apartment thread).
const AccessibilityCalls& accessibility_calls() {
  static const AccessibilityCalls calls = [] {
    if (auto co_initialize = system_function_as<CoInitializeExFunction>("ole32.dll", "CoInitializeEx"))
      co_initialize(nullptr, COINIT_APARTMENTTHREADED);
    return AccessibilityCalls{
        system_function_as<CreateStdAccessibleObjectFunction>("oleacc.dll", "CreateStdAccessibleObject"),
        system_function_as<LresultFromObjectFunction>("oleacc.dll", "LresultFromObject"),
        system_function_as<SysAllocStringFunction>("oleaut32.dll", "SysAllocString")};
  }();
  return calls;
}

bool is_self(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The system's object for the control with the name put in front; everything
// else, the control's items included, is the system's answer.
class NamedAccessible final : public IAccessible {
 public:
  NamedAccessible(IAccessible* standard, std::wstring name, SysAllocStringFunction alloc_string)
      : standard_(standard), name_(std::move(name)), alloc_string_(alloc_string) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(riid, __uuidof(IUnknown)) || IsEqualIID(riid, __uuidof(IDispatch)) ||
        IsEqualIID(riid, __uuidof(IAccessible))) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    return standard_->QueryInterface(riid, object);  // IEnumVARIANT, IOleWindow: the system's
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override {
    return standard_->GetIDsOfNames(riid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* error) override {
    return standard_->Invoke(id, riid, locale, flags, params, result, exception, error);
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!is_self(child)) return standard_->get_accName(child, name);
    if (name == nullptr) return E_INVALIDARG;
    *name = alloc_string_(name_.c_str());
    return *name != nullptr ? S_OK : E_OUTOFMEMORY;
  }

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override { return standard_->get_accChildCount(count); }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return standard_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return standard_->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return standard_->get_accRole(child, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return standard_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return standard_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return standard_->get_accFocus(child); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return standard_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override { return standard_->accSelect(flags, child); }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    return standard_->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override { return standard_->accDoDefaultAction(child); }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  ~NamedAccessible() { standard_->Release(); }

  LONG references_ = 1;
  IAccessible* standard_;  // one reference, the object's own
  std::wstring name_;
  SysAllocStringFunction alloc_string_;
};

}  // namespace

LRESULT accessible_object_named(HWND control, WPARAM wparam, std::string_view name) {
  const AccessibilityCalls& calls = accessibility_calls();
  if (!calls.loaded()) return 0;
  void* standard = nullptr;
  if (FAILED(calls.create_standard(control, OBJID_CLIENT, __uuidof(IAccessible), &standard)) || !standard) return 0;
  auto* named = new NamedAccessible(static_cast<IAccessible*>(standard), widen(name).value_or(std::wstring()),
                                     calls.alloc_string);
  // The result holds a reference of its own; ours goes at once. A failure
  // comes back as an HRESULT in the result's low half.
  const LRESULT result = calls.result_from_object(__uuidof(IAccessible), wparam, named);
  named->Release();
  return FAILED(static_cast<HRESULT>(result)) ? 0 : result;
}

}  // namespace korvel::win32
