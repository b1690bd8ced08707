// NameForm1Fields, KeepFocusUsable and AnnounceStatus.
#include "winui/form1_access.h"

#include <commctrl.h>
#include <oleacc.h>
#include <oleauto.h>

#include "batch/form1_access_names.h"
#include "winui/win32_text.h"

namespace kestro {
namespace {

// Puts `label` right before `control` in z-order.
void PlaceBefore(HWND label, HWND control) {
  HWND before = GetWindow(control, GW_HWNDPREV);
  if (before == label) return;
  SetWindowPos(label, before != nullptr ? before : HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

// UI Automation's notification, from Windows 10 1709 on; looked up once, as older systems (and
// Wine) may not have it.
using HostProviderFromHwnd = HRESULT(WINAPI*)(HWND, IUnknown**);
using RaiseNotification = HRESULT(WINAPI*)(IUnknown*, int, int, BSTR, BSTR);
constexpr int kNotificationKindActionCompleted = 2;
constexpr int kNotificationProcessingMostRecent = 1;  // ImportantMostRecent

struct UiaNotifications {
  HostProviderFromHwnd host_provider = nullptr;
  RaiseNotification raise = nullptr;
};

const UiaNotifications& Notifications() {
  static const UiaNotifications found = [] {
    UiaNotifications functions;
    HMODULE core = LoadLibraryW(L"uiautomationcore.dll");
    if (core == nullptr) return functions;
    functions.host_provider = reinterpret_cast<HostProviderFromHwnd>(
        reinterpret_cast<void*>(GetProcAddress(core, "UiaHostProviderFromHwnd")));
    functions.raise = reinterpret_cast<RaiseNotification>(
        reinterpret_cast<void*>(GetProcAddress(core, "UiaRaiseNotificationEvent")));
    if (functions.host_provider == nullptr || functions.raise == nullptr) functions = {};
    return functions;
  }();
  return found;
}

// Runs `use` with oleacc's annotation service, COM started on this thread for the while; false
// when the system has none or it refused.
template <typename Use>
bool WithPropServices(Use use) {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IAccPropServices* services = nullptr;
  bool done =
      SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_IAccPropServices, reinterpret_cast<void**>(&services)));
  if (done) {
    done = SUCCEEDED(use(*services));
    services->Release();
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return done;
}

// The annotation lives with the button's window; it is taken back as the window goes, so that
// nothing of it outlives the window.
LRESULT CALLBACK AnnotatedProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                               DWORD_PTR /*data*/) {
  if (message == WM_NCDESTROY) {
    WithPropServices([hwnd](IAccPropServices& services) {
      return services.ClearHwndProps(hwnd, OBJID_CLIENT, CHILDID_SELF, &PROPID_ACC_NAME, 1);
    });
    RemoveWindowSubclass(hwnd, AnnotatedProc, id);
  }
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

// A button's name is its caption, and a label before it does not name it: a button that has no
// caption is given its name by Dynamic Annotation, which every MSAA client and UI Automation's
// proxies read, and nothing is drawn.
void AnnotateName(HWND button, const std::wstring& name) {
  const bool named = WithPropServices([&](IAccPropServices& services) {
    return services.SetHwndPropStr(button, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME,
                                   name.c_str());
  });
  if (named) SetWindowSubclass(button, AnnotatedProc, 0, 0);
}

bool IsButton(HWND control) {
  wchar_t window_class[16] = {};
  GetClassNameW(control, window_class, 16);
  return lstrcmpiW(window_class, L"Button") == 0;
}

}  // namespace

void NameForm1Fields(HWND form, const std::function<HWND(std::string_view)>& control) {
  for (const LabelledField& pair : Form1LabelledFields()) {
    HWND label = control(pair.label);
    HWND field = control(pair.field);
    if (label != nullptr && field != nullptr) PlaceBefore(label, field);
  }
  for (const AccessibleName& named : Form1AccessibleNames()) {
    HWND target = control(named.control);
    if (target == nullptr) continue;
    if (IsButton(target)) {
      AnnotateName(target, Wide(named.name));
      continue;
    }
    // Not visible, so it takes no room and no click; MSAA reads its text all the same.
    HWND label =
        CreateWindowExW(0, L"STATIC", Wide(named.name).c_str(), WS_CHILD | SS_LEFT | SS_NOPREFIX, 0,
                        0, 0, 0, form, nullptr, GetModuleHandleW(nullptr), nullptr);
    PlaceBefore(label, target);
  }
}

void KeepFocusUsable(HWND form, HWND focus) {
  if (focus == nullptr || !IsChild(form, focus)) return;
  if (IsWindowEnabled(focus) && IsWindowVisible(focus)) return;
  if (HWND next = GetNextDlgTabItem(form, focus, FALSE); next != nullptr) SetFocus(next);
}

void AnnounceStatus(HWND line, const std::wstring& text) {
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, line, OBJID_CLIENT, CHILDID_SELF);
  NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, line, OBJID_CLIENT, CHILDID_SELF);
  const UiaNotifications& uia = Notifications();
  if (uia.raise == nullptr || text.empty()) return;
  IUnknown* provider = nullptr;
  if (FAILED(uia.host_provider(line, &provider)) || provider == nullptr) return;
  BSTR said = SysAllocString(text.c_str());
  BSTR activity = SysAllocString(L"Kestrovane.Status");
  uia.raise(provider, kNotificationKindActionCompleted, kNotificationProcessingMostRecent, said,
            activity);
  SysFreeString(activity);
  SysFreeString(said);
  provider->Release();
}

}  // namespace kestro
