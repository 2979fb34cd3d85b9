#include "platform/win32/accessible_control.h"

#include <ole2.h>
#include <oleacc.h>

#include <atomic>
#include <string>
#include <utility>

namespace townwright::win32 {
namespace {

// Interfaces are named with __uuidof throughout: mingw-w64's IID_IAccessible, taken from liboleacc,
// is an import thunk, not the GUID.

// The window property under which a control keeps its object while it lives.
constexpr char kObjectProperty[] = "townwright.accessible";

// An [out] argument made empty, as COM wants of a call that fails; [in] arguments stay as they are.
template <typename Pointee>
void ClearOut(Pointee** out) {  // an interface or a BSTR
  if (out != nullptr) *out = nullptr;
}
void ClearOut(VARIANT* out) {
  if (out != nullptr) VariantInit(out);
}
void ClearOut(long* out) {
  if (out != nullptr) *out = 0;
}
void ClearOut(UINT* out) {
  if (out != nullptr) *out = 0;
}
template <typename In>
void ClearOut(const In&) {}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// A control's accessible object: the system's own object for its client area, to which every call
// goes, but for its name and role. COM counts its references: the control holds one while it lives,
// and each client its own. When the control is destroyed the object lets go of the system's object
// (whose window is gone, and whose handle may be given to another window), cuts off the clients of
// other programs, and answers everyone who still holds it CO_E_OBJNOTCONNECTED; the last
// reference let go frees it.
class AccessibleControl final : public IAccessible, public IOleWindow {
 public:
  AccessibleControl(HWND control, WNDPROC control_procedure, long role)
      : control_(control), control_procedure_(control_procedure), role_(role) {}
  AccessibleControl(const AccessibleControl&) = delete;
  AccessibleControl& operator=(const AccessibleControl&) = delete;

  WNDPROC control_procedure() const { return control_procedure_; }

  // Whether the name changed.
  bool SetName(std::wstring name) {
    if (name == name_) return false;
    name_ = std::move(name);
    return true;
  }

  // Whether the description changed.
  bool SetDescription(std::wstring description) {
    if (description == description_) return false;
    description_ = std::move(description);
    return true;
  }

  // Whether a client has asked for this object.
  bool asked() const { return standard_ != nullptr; }

  // The answer to WM_GETOBJECT for the client area, or 0 to leave it to the system.
  LRESULT Answer(WPARAM w_param) {
    if (control_ == nullptr) return 0;
    if (standard_ == nullptr &&
        FAILED(CreateStdAccessibleObject(control_, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&standard_)))) {
      standard_ = nullptr;
      return 0;
    }
    // Takes a reference of its own for the client. A failure (no COM apartment on this thread)
    // is a negative error code.
    const LRESULT answer =
        LresultFromObject(__uuidof(IAccessible), w_param, static_cast<IAccessible*>(this));
    return answer > 0 ? answer : 0;
  }

  // The control is being destroyed.
  void Detach() {
    if (standard_ != nullptr) {
      standard_->Release();
      standard_ = nullptr;
      // Other programs' proxies would otherwise keep their references until each let go, or
      // forever should one hang; their calls fail from now on.
      CoDisconnectObject(static_cast<IAccessible*>(this), 0);
    }
    control_ = nullptr;
  }

  // IUnknown.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible*>(this);
    } else if (iid == __uuidof(IOleWindow)) {
      *object = static_cast<IOleWindow*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch, for clients that call by name.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (standard_ == nullptr) return Gone(count);
    return standard_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    if (standard_ == nullptr) return Gone(info);
    return standard_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    if (standard_ == nullptr) return CO_E_OBJNOTCONNECTED;
    return standard_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* arguments, VARIANT* result, EXCEPINFO* exception,
                                   UINT* wrong_argument) override {
    if (standard_ == nullptr) return CO_E_OBJNOTCONNECTED;
    return standard_->Invoke(id, iid, locale, flags, arguments, result, exception, wrong_argument);
  }

  // IAccessible: the name, the description and the role are the shell's, everything else the
  // system's.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (name_.empty() || !IsSelf(child)) return Forward(&IAccessible::get_accName, child, name);
    return Answer(name_, name);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!IsSelf(child)) return Forward(&IAccessible::get_accRole, child, role);
    if (role == nullptr) return E_INVALIDARG;
    if (standard_ == nullptr) return Gone(role);
    role->vt = VT_I4;
    role->lVal = role_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return Forward(&IAccessible::get_accParent, parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    return Forward(&IAccessible::get_accChildCount, count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return Forward(&IAccessible::get_accChild, child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return Forward(&IAccessible::get_accValue, child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    if (description_.empty() || !IsSelf(child)) {
      return Forward(&IAccessible::get_accDescription, child, description);
    }
    return Answer(description_, description);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return Forward(&IAccessible::get_accState, child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return Forward(&IAccessible::get_accHelp, child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return Forward(&IAccessible::get_accHelpTopic, file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return Forward(&IAccessible::get_accKeyboardShortcut, child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return Forward(&IAccessible::get_accFocus, child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return Forward(&IAccessible::get_accSelection, children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return Forward(&IAccessible::get_accDefaultAction, child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    return Forward(&IAccessible::accSelect, flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    return Forward(&IAccessible::accLocation, left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return Forward(&IAccessible::accNavigate, direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    return Forward(&IAccessible::accHitTest, x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return Forward(&IAccessible::accDoDefaultAction, child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return Forward(&IAccessible::put_accName, child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return Forward(&IAccessible::put_accValue, child, value);
  }

  // IOleWindow: which window the object stands for.
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
    if (window == nullptr) return E_POINTER;
    *window = control_;
    return control_ != nullptr ? S_OK : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

 private:
  ~AccessibleControl() = default;  // by Release alone

  // A text of the shell's, as a string of the caller's.
  HRESULT Answer(const std::wstring& text, BSTR* out) {
    if (out == nullptr) return E_INVALIDARG;
    if (standard_ == nullptr) return Gone(out);
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
  }

  // The answer of a call that reaches the object after its control was destroyed.
  template <typename... Outs>
  static HRESULT Gone(Outs... outs) {
    (ClearOut(outs), ...);
    return CO_E_OBJNOTCONNECTED;
  }

  template <typename Method, typename... Arguments>
  HRESULT Forward(Method method, Arguments... arguments) {
    if (standard_ == nullptr) return Gone(arguments...);
    return (standard_->*method)(arguments...);
  }

  HWND control_;                     // nullptr once the control is destroyed
  const WNDPROC control_procedure_;  // the control's own, which this one stands in front of
  const long role_;
  std::wstring name_;                  // empty: the system's own name
  std::wstring description_;           // empty: the system's own description
  IAccessible* standard_ = nullptr;    // made at the first question, released with the control
  std::atomic<ULONG> references_ = 1;  // the control's own
};

AccessibleControl* ObjectOf(HWND control) {
  return static_cast<AccessibleControl*>(GetPropA(control, kObjectProperty));
}

// Stands in front of the control's own procedure for the two messages that concern the object.
LRESULT CALLBACK ControlProcedure(HWND control, UINT message, WPARAM w_param, LPARAM l_param) {
  AccessibleControl* object = ObjectOf(control);
  if (object == nullptr) return DefWindowProcA(control, message, w_param, l_param);
  const WNDPROC control_procedure = object->control_procedure();
  switch (message) {
    case WM_GETOBJECT:
      // The object's identifier is a 32-bit value, sign-extended or not on 64-bit Windows.
      if (static_cast<DWORD>(l_param) == static_cast<DWORD>(OBJID_CLIENT)) {
        if (const LRESULT answer = object->Answer(w_param)) return answer;
      }
      break;
    case WM_KILLFOCUS:
      SetScreenReaderDescription(control, "");
      break;
    case WM_NCDESTROY:
      // The last message the control gets: the control lets go of its object.
      RemovePropA(control, kObjectProperty);
      SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control_procedure));
      object->Detach();
      object->Release();
      break;
    default:
      break;
  }
  return CallWindowProcA(control_procedure, control, message, w_param, l_param);
}

std::wstring Widened(std::string_view text) {
  // As the system widens the texts of the controls, which are set through the ANSI functions.
  const int length = static_cast<int>(text.size());
  std::wstring wide(
      static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0)),
      L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

}  // namespace

void MakeAccessible(HWND control, long role, std::string_view name) {
  if (ObjectOf(control) != nullptr) return;
  const auto control_procedure =
      reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_WNDPROC));
  if (control_procedure == nullptr) return;
  auto* object = new AccessibleControl(control, control_procedure, role);
  object->SetName(Widened(name));
  if (!SetPropA(control, kObjectProperty, object)) {
    object->Release();
    return;
  }
  SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlProcedure));
}

void SetScreenReaderName(HWND control, std::string_view name) {
  AccessibleControl* object = ObjectOf(control);
  // Screen readers that hold the object hear of the new name.
  if (object != nullptr && object->SetName(Widened(name)) && object->asked()) {
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
  }
}

void SetScreenReaderDescription(HWND control, std::string_view description) {
  AccessibleControl* object = ObjectOf(control);
  if (object != nullptr && object->SetDescription(Widened(description)) && object->asked()) {
    NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, control, OBJID_CLIENT, CHILDID_SELF);
  }
}

}  // namespace townwright::win32
