#include <windows.h>
#include <ole2.h>
#include <oleacc.h>
// Before any other header of the library: it takes back the name DrawText from the API.
#include "ui/win32/win32_backend.h"

#include <string>
#include <vector>

#include "platform/win32/late_bound.h"
#include "ui/buttons.h"
#include "ui/controls.h"
#include "ui/dpi.h"
#include "ui/win32/win32_accessible.h"

namespace ui::win32 {

namespace {

using CreateStdFn = HRESULT WINAPI(HWND, LONG, REFIID, void**);
using LresultFromObjectFn = LRESULT WINAPI(REFIID, WPARAM, LPUNKNOWN);

// oleacc is loaded when a screen reader (or another client) first asks: most users never do.
struct Oleacc {
  CreateStdFn* createStd;
  LresultFromObjectFn* lresultFromObject;
};
const Oleacc& OleaccFunctions() {
  static const Oleacc functions{
      platform::win32::LateBound<CreateStdFn>(L"oleacc.dll", "CreateStdAccessibleObject"),
      platform::win32::LateBound<LresultFromObjectFn>(L"oleacc.dll", "LresultFromObject")};
  return functions;
}

BSTR ToBstr(const std::string& text) {
  const std::wstring wide = Widen(text);
  return SysAllocStringLen(wide.data(), UINT(wide.size()));
}

// The client area of a window of a control: what the system's object says about it and its
// child windows, with the control's own name, and its drawn children (pictures, drawn buttons)
// as simple elements after the child windows. The control is looked up through `control` on
// every call: a client may keep the object after the window went (then calls fail).
class ControlAccessible final : public IAccessible {
 public:
  ControlAccessible(IAccessible* system, std::shared_ptr<TWinControl*> control)
      : system_(system), control_(std::move(control)) {}
  virtual ~ControlAccessible() { system_->Release(); }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IAccessible) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { return system_->GetTypeInfoCount(n); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override { return system_->GetTypeInfo(i, l, t); }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l, DISPID* d) override {
    return system_->GetIDsOfNames(r, n, c, l, d);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID d, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v, EXCEPINFO* e,
                                   UINT* a) override {
    return system_->Invoke(d, r, l, f, p, v, e, a);
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** p) override { return system_->get_accParent(p); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!count) return E_POINTER;
    HRESULT hr = system_->get_accChildCount(count);
    if (FAILED(hr)) return hr;
    *count += long(Drawn().size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch** child) override {
    if (Own(id)) {
      if (!child) return E_POINTER;
      *child = nullptr;
      return Element(id) ? S_FALSE : E_INVALIDARG;
    }
    return system_->get_accChild(id, child);
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR* name) override {
    if (!name) return E_POINTER;
    *name = nullptr;
    if (IsSelf(id)) {
      if (!*control_) return E_FAIL;
      std::string text;
      CallModel([&] { text = (*control_)->AccessibleName(); });
      *name = ToBstr(text);
      return S_OK;
    }
    if (Own(id)) {
      const TControl* element = Element(id);
      if (!element) return E_INVALIDARG;
      *name = ToBstr(NameOf(*element));
      return S_OK;
    }
    return system_->get_accName(id, name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT id, BSTR* value) override {
    if (Own(id)) return value ? (*value = nullptr, S_FALSE) : E_POINTER;
    return system_->get_accValue(id, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT id, BSTR* text) override {
    if (Own(id)) {
      const TControl* element = Element(id);
      if (!text) return E_POINTER;
      *text = nullptr;
      if (!element) return E_INVALIDARG;
      const std::string hint = ShownHint(element);
      if (hint.empty() || hint == NameOf(*element)) return S_FALSE;
      *text = ToBstr(hint);
      return S_OK;
    }
    return system_->get_accDescription(id, text);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT* role) override {
    if (Own(id)) {
      const TControl* element = Element(id);
      if (!role) return E_POINTER;
      if (!element) return E_INVALIDARG;
      role->vt = VT_I4;
      role->lVal = RoleOf(*element);
      return S_OK;
    }
    return system_->get_accRole(id, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT* state) override {
    if (Own(id)) {
      const TControl* element = Element(id);
      if (!state) return E_POINTER;
      if (!element) return E_INVALIDARG;
      state->vt = VT_I4;
      state->lVal = (element->Visible() ? 0 : STATE_SYSTEM_INVISIBLE) |
                    (element->EnabledInTree() ? 0 : STATE_SYSTEM_UNAVAILABLE);
      return S_OK;
    }
    return system_->get_accState(id, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT id, BSTR* help) override {
    if (Own(id)) return help ? (*help = nullptr, S_FALSE) : E_POINTER;
    return system_->get_accHelp(id, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT id, long* topic) override {
    if (Own(id)) return S_FALSE;
    return system_->get_accHelpTopic(file, id, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT id, BSTR* keys) override {
    if (Own(id)) return keys ? (*keys = nullptr, S_FALSE) : E_POINTER;
    return system_->get_accKeyboardShortcut(id, keys);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* id) override { return system_->get_accFocus(id); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* ids) override { return system_->get_accSelection(ids); }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT id, BSTR* action) override {
    if (Own(id)) {
      const TControl* element = Element(id);
      if (!action) return E_POINTER;
      *action = nullptr;
      if (!element) return E_INVALIDARG;
      if (RoleOf(*element) != ROLE_SYSTEM_PUSHBUTTON) return S_FALSE;
      *action = ToBstr("Нажать");
      return S_OK;
    }
    return system_->get_accDefaultAction(id, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT id) override {
    if (Own(id)) return S_FALSE;
    return system_->accSelect(flags, id);
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT id) override {
    if (Own(id)) {
      const TControl* element = Element(id);
      if (!x || !y || !w || !h) return E_POINTER;
      if (!element) return E_INVALIDARG;
      const TPoint at = element->ClientToScreen({0, 0});
      *x = at.x;
      *y = at.y;
      *w = ScaleValue(element->Width(), element->Dpi());
      *h = ScaleValue(element->Height(), element->Dpi());
      return S_OK;
    }
    return system_->accLocation(x, y, w, h, id);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long dir, VARIANT start, VARIANT* end) override {
    if (Own(start)) return S_FALSE;
    return system_->accNavigate(dir, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* id) override {
    HRESULT hr = system_->accHitTest(x, y, id);
    if (hr != S_OK || id->vt != VT_I4 || id->lVal != CHILDID_SELF || !*control_) return hr;
    // Over the client area itself: one of the drawn children, if the point is on one.
    const std::vector<TControl*> drawn = Drawn();
    for (std::size_t i = drawn.size(); i-- > 0;) {
      const TControl& c = *drawn[i];
      const TPoint at = c.ClientToScreen({0, 0});
      if (x >= at.x && y >= at.y && x < at.x + ScaleValue(c.Width(), c.Dpi()) && y < at.y + ScaleValue(c.Height(), c.Dpi())) {
        id->lVal = long(SystemCount() + i + 1);
        break;
      }
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT id) override {
    if (Own(id)) {
      TControl* element = Element(id);
      if (!element) return E_INVALIDARG;
      if (!element->EnabledInTree()) return S_FALSE;
      CallModel([element] { element->Click(); });
      return S_OK;
    }
    return system_->accDoDefaultAction(id);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT id, BSTR value) override {
    if (Own(id)) return E_NOTIMPL;
    return system_->put_accValue(id, value);
  }

 private:
  static bool IsSelf(const VARIANT& id) { return id.vt == VT_I4 && id.lVal == CHILDID_SELF; }

  // A picture button without a caption is called by its hint ("Послушать").
  static std::string NameOf(const TControl& c) {
    std::string name = c.AccessibleName();
    return name.empty() ? c.Hint() : name;
  }

  static long RoleOf(const TControl& c) {
    switch (c.AccessibleRole) {
      case TAccessibleRole::kButton:
        return ROLE_SYSTEM_PUSHBUTTON;
      case TAccessibleRole::kText:
        return ROLE_SYSTEM_STATICTEXT;
      case TAccessibleRole::kGraphic:
        return ROLE_SYSTEM_GRAPHIC;
      case TAccessibleRole::kDefault:
        break;
    }
    return c.OnClick ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_STATICTEXT;
  }

  long SystemCount() const {
    long count = 0;
    return SUCCEEDED(system_->get_accChildCount(&count)) ? count : 0;
  }

  // The drawn children a screen reader hears of, in z-order: speed buttons, and those given a
  // role (the clock's drawn buttons). The face's labels are read in the window's own name.
  std::vector<TControl*> Drawn() const {
    std::vector<TControl*> drawn;
    if (!*control_) return drawn;
    for (TControl* c : (*control_)->Controls()) {
      if (c->IsWindowed() || !c->Visible() || NameOf(*c).empty()) continue;
      if (c->AccessibleRole != TAccessibleRole::kDefault || dynamic_cast<TSpeedButton*>(c)) drawn.push_back(c);
    }
    return drawn;
  }

  bool Own(const VARIANT& id) const { return id.vt == VT_I4 && id.lVal > SystemCount(); }

  TControl* Element(const VARIANT& id) const {
    const std::vector<TControl*> drawn = Drawn();
    const long index = id.lVal - SystemCount() - 1;
    return index >= 0 && index < long(drawn.size()) ? drawn[std::size_t(index)] : nullptr;
  }

  ULONG refs_ = 1;
  IAccessible* system_;
  std::shared_ptr<TWinControl*> control_;
};

}  // namespace

bool AnswerGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam, const std::shared_ptr<TWinControl*>& control,
                     LRESULT& result) {
  if (LONG(lParam) != OBJID_CLIENT || !*control) return false;
  const Oleacc& oleacc = OleaccFunctions();
  if (!oleacc.createStd || !oleacc.lresultFromObject) return false;
  static const bool comReady = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  (void)comReady;  // already initialised (by another part of the program) serves as well
  IAccessible* system = nullptr;
  if (FAILED(oleacc.createStd(hwnd, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&system))) || !system)
    return false;
  auto* object = new ControlAccessible(system, control);
  result = oleacc.lresultFromObject(IID_IAccessible, wParam, static_cast<IAccessible*>(object));
  object->Release();
  return true;
}

void AnnounceNameChange(HWND hwnd) {
  if (hwnd) NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, hwnd, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace ui::win32
