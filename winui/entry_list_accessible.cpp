// The entry lists' MSAA object: a wrapper over the list box's standard one that answers for the
// entries (role, state, name, place, default action) and passes everything else through.
#include "winui/entry_list_accessible.h"

#include <oleacc.h>

#include <string>
#include <utility>

namespace kestro {
namespace {

// Entries of a change said one by one at most.
constexpr std::size_t kMostSaid = 64;

class EntryListAccessible : public IAccessible {
 public:
  EntryListAccessible(HWND list, IAccessible* inner, std::function<void(std::size_t)> toggle)
      : list_(list), inner_(inner), toggle_(std::move(toggle)) {}
  virtual ~EntryListAccessible() { inner_->Release(); }
  EntryListAccessible(const EntryListAccessible&) = delete;
  EntryListAccessible& operator=(const EntryListAccessible&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }
  // IDispatch: the standard object's.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return inner_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return inner_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return inner_->GetIDsOfNames(id, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* wrong) override {
    return inner_->Invoke(member, id, locale, flags, params, result, exception, wrong);
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return inner_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    if (!IsWindow(list_)) return E_FAIL;
    *count = static_cast<LONG>(SendMessageW(list_, LB_GETCOUNT, 0, 0));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    *object = nullptr;
    return Entry(child) >= 0 ? S_FALSE : E_INVALIDARG;  // entries are simple elements
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    const int entry = Entry(child);
    if (entry < 0) return IsSelf(child) ? inner_->get_accName(child, name) : E_INVALIDARG;
    const auto length = static_cast<int>(SendMessageW(list_, LB_GETTEXTLEN, entry, 0));
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    SendMessageW(list_, LB_GETTEXT, entry, reinterpret_cast<LPARAM>(text.data()));
    *name = SysAllocString(text.c_str());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return PassedOn(
        child, [&] { return inner_->get_accValue(child, value); }, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return PassedOn(
        child, [&] { return inner_->get_accDescription(child, text); }, text);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    const int entry = Entry(child);
    if (entry < 0) return IsSelf(child) ? inner_->get_accRole(child, role) : E_INVALIDARG;
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_CHECKBUTTON;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    const int entry = Entry(child);
    if (entry < 0) return IsSelf(child) ? inner_->get_accState(child, state) : E_INVALIDARG;
    LONG flags = STATE_SYSTEM_FOCUSABLE;
    if (SendMessageW(list_, LB_GETSEL, entry, 0) > 0) flags |= STATE_SYSTEM_CHECKED;
    if (GetFocus() == list_ && SendMessageW(list_, LB_GETCARETINDEX, 0, 0) == entry) {
      flags |= STATE_SYSTEM_FOCUSED;
    }
    RECT place{}, room{};
    SendMessageW(list_, LB_GETITEMRECT, entry, reinterpret_cast<LPARAM>(&place));
    GetClientRect(list_, &room);
    if (place.top >= room.bottom || place.bottom <= 0) flags |= STATE_SYSTEM_INVISIBLE;
    state->vt = VT_I4;
    state->lVal = flags;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return PassedOn(
        child, [&] { return inner_->get_accHelp(child, help); }, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return inner_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
    return PassedOn(
        child, [&] { return inner_->get_accKeyboardShortcut(child, keys); }, keys);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    if (GetFocus() != list_) return inner_->get_accFocus(child);
    const auto caret = static_cast<LONG>(SendMessageW(list_, LB_GETCARETINDEX, 0, 0));
    child->vt = VT_I4;
    child->lVal = caret >= 0 ? caret + 1 : CHILDID_SELF;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    children->vt = VT_EMPTY;  // what is ticked is checked, not selected
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    const int entry = Entry(child);
    if (entry < 0)
      return IsSelf(child) ? inner_->get_accDefaultAction(child, action) : E_INVALIDARG;
    *action = SysAllocString(SendMessageW(list_, LB_GETSEL, entry, 0) > 0 ? L"Uncheck" : L"Check");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    const int entry = Entry(child);
    if (entry < 0) return IsSelf(child) ? inner_->accSelect(flags, child) : E_INVALIDARG;
    if ((flags & SELFLAG_TAKEFOCUS) != 0) {
      SetFocus(list_);
      SendMessageW(list_, LB_SETCARETINDEX, entry, FALSE);
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* width, LONG* height,
                                        VARIANT child) override {
    const int entry = Entry(child);
    if (entry < 0) {
      return IsSelf(child) ? inner_->accLocation(x, y, width, height, child) : E_INVALIDARG;
    }
    RECT place{};
    SendMessageW(list_, LB_GETITEMRECT, entry, reinterpret_cast<LPARAM>(&place));
    MapWindowPoints(list_, nullptr, reinterpret_cast<POINT*>(&place), 2);
    *x = place.left;
    *y = place.top;
    *width = place.right - place.left;
    *height = place.bottom - place.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return inner_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    return inner_->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    const int entry = Entry(child);
    if (entry < 0) return IsSelf(child) ? inner_->accDoDefaultAction(child) : E_INVALIDARG;
    toggle_(static_cast<std::size_t>(entry));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  static bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
  }
  // The row of the entry `child` names; -1 for the list itself or a child it does not have.
  int Entry(const VARIANT& child) const {
    if (child.vt != VT_I4 || child.lVal <= 0 || !IsWindow(list_)) return -1;
    return child.lVal <= SendMessageW(list_, LB_GETCOUNT, 0, 0) ? child.lVal - 1 : -1;
  }
  // The list's own answer for itself; an entry has none of this.
  template <typename Ask>
  HRESULT PassedOn(const VARIANT& child, Ask ask, BSTR* text) const {
    if (IsSelf(child)) return ask();
    *text = nullptr;
    return Entry(child) >= 0 ? S_FALSE : E_INVALIDARG;
  }

  HWND list_;
  IAccessible* inner_;
  std::function<void(std::size_t)> toggle_;
  ULONG references_ = 1;
};

}  // namespace

LRESULT AnswerEntryListObject(HWND list, WPARAM wparam, LPARAM lparam,
                              std::function<void(std::size_t)> toggle) {
  if (static_cast<LONG>(lparam) != OBJID_CLIENT) return 0;
  IAccessible* inner = nullptr;
  if (FAILED(CreateStdAccessibleObject(list, OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&inner)))) {
    return 0;
  }
  auto* object = new EntryListAccessible(list, inner, std::move(toggle));
  const LRESULT answer = LresultFromObject(__uuidof(IAccessible), wparam, object);
  object->Release();
  return answer > 0 ? answer : 0;
}

void SayEntriesChecked(HWND list, std::size_t first, std::size_t last) {
  if (last - first >= kMostSaid) return;
  for (std::size_t row = first; row <= last; ++row) {
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, list, OBJID_CLIENT, static_cast<LONG>(row + 1));
  }
}

}  // namespace kestro
