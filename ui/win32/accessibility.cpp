#include "ui/win32/accessibility.h"

#include <objbase.h>
#include <oleacc.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/win32/text.h"

namespace tavrelo::ui::win32 {
namespace {

// The accessibility layer's own annotation service, which screen readers
// read a control's name and description from.
class ServiceSink final : public AnnotationSink {
 public:
  explicit ServiceSink(IAccPropServices* services) : services_(services) {}
  [[nodiscard]] bool Available() const noexcept { return services_ != nullptr; }

  void SetText(HWND window, const GUID& property, std::wstring_view text) override {
    const std::wstring terminated(text);
    services_->SetHwndPropStr(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, property, terminated.c_str());
  }
  void SetNumber(HWND window, const GUID& property, LONG number) override {
    VARIANT value{};  // what VariantInit makes of it, without oleaut32.dll
    value.vt = VT_I4;
    value.lVal = number;
    services_->SetHwndProp(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, property, value);
  }

 private:
  IAccPropServices* services_;  // kept to the end of the program, as COM is
};

// The state of the whole thread's windows: one screen reader asks them all.
struct Listening {
  bool asked = false;
  HHOOK hook = nullptr;
  AnnotationSink* sink = nullptr;  // set once asked; nullptr where there is no service
  AnnotationSink* testSink = nullptr;
  HMODULE com = nullptr;  // ole32.dll, once loaded
  bool comStarted = false;
  std::vector<Annotated*> waiting;
};

Listening& State() {
  static Listening state;
  return state;
}

// COM and the annotation service, started for the first question (once);
// nullptr where there is no service. ole32.dll is loaded only then: a
// program that imports it pays for loading it, and the libraries it pulls
// in, at every start.
IAccPropServices* StartServices() {
  HMODULE ole = LoadLibraryW(L"ole32.dll");
  if (ole == nullptr) return nullptr;
  using InitializeFn = HRESULT(WINAPI*)(void*, DWORD);
  using CreateFn = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);
  const auto initialize =
      reinterpret_cast<InitializeFn>(reinterpret_cast<void*>(GetProcAddress(ole, "CoInitializeEx")));
  const auto create = reinterpret_cast<CreateFn>(reinterpret_cast<void*>(GetProcAddress(ole, "CoCreateInstance")));
  if (initialize == nullptr || create == nullptr) return nullptr;
  State().com = ole;
  State().comStarted = SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED));
  IAccPropServices* services = nullptr;
  if (FAILED(create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                    reinterpret_cast<void**>(&services)))) {
    return nullptr;
  }
  return services;
}

AnnotationSink* SinkForFirstQuestion() {
  if (AnnotationSink* sink = State().testSink) return sink;
  static ServiceSink service(StartServices());
  return service.Available() ? &service : nullptr;
}

void StopListening() {
  Listening& state = State();
  if (state.hook != nullptr) UnhookWindowsHookEx(state.hook);
  state.hook = nullptr;
}

// Called before every message sent to a window of the thread reaches it,
// until the first WM_GETOBJECT: that one finds every window annotated.
LRESULT CALLBACK HearFirstQuestion(int code, WPARAM wParam, LPARAM lParam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && sent != nullptr && sent->message == WM_GETOBJECT && !State().asked) {
    StopListening();
    Listening& state = State();
    state.asked = true;
    state.sink = SinkForFirstQuestion();
    const std::vector<Annotated*> waiting = std::move(state.waiting);
    state.waiting.clear();
    for (Annotated* window : waiting) window->Annotate();
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void SetText(HWND window, const MSAAPROPID& property, const std::string& text) {
  if (AnnotationSink* sink = State().sink; sink != nullptr && !text.empty()) {
    sink->SetText(window, property, Widen(text));
  }
}

void SetNumber(HWND window, const MSAAPROPID& property, LONG number) {
  if (AnnotationSink* sink = State().sink) sink->SetNumber(window, property, number);
}

// UI Automation's LiveSetting property: a screen reader reads a "polite"
// control's new text out when the control says it changed
// (EVENT_OBJECT_LIVEREGIONCHANGED), wherever the focus is.
constexpr GUID kLiveSettingProperty = {0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kLivePolite = 1;
#ifndef EVENT_OBJECT_LIVEREGIONCHANGED
#define EVENT_OBJECT_LIVEREGIONCHANGED 0x8019
#endif

}  // namespace

void AwaitScreenReader(Annotated& window) {
  Listening& state = State();
  if (state.asked) {
    window.Annotate();
  } else if (std::find(state.waiting.begin(), state.waiting.end(), &window) == state.waiting.end()) {
    state.waiting.push_back(&window);
  }
}

void Forget(Annotated& window) { std::erase(State().waiting, &window); }

void ListenForScreenReader() {
  Listening& state = State();
  if (state.asked || state.hook != nullptr) return;
  state.hook = SetWindowsHookExW(WH_CALLWNDPROC, HearFirstQuestion, nullptr, GetCurrentThreadId());
}

bool ScreenReaderAsked() { return State().asked; }

void EndAccessibility() {
  StopListening();
  Listening& state = State();
  if (state.comStarted) {
    using UninitializeFn = void(WINAPI*)();
    const auto uninitialize =
        reinterpret_cast<UninitializeFn>(reinterpret_cast<void*>(GetProcAddress(state.com, "CoUninitialize")));
    if (uninitialize != nullptr) uninitialize();
  }
  state.comStarted = false;
}

void SetAnnotationSinkForTesting(AnnotationSink* sink) {
  StopListening();
  Listening& state = State();
  state.testSink = sink;
  state.asked = false;
  state.sink = nullptr;
  state.waiting.clear();
}

void Describe(HWND window, const ControlSpec& row) {
  SetText(window, PROPID_ACC_NAME, row.accessibleName);
  SetText(window, PROPID_ACC_DESCRIPTION, row.accessibleDescription);
}

void MakeGraphic(HWND window) { SetNumber(window, PROPID_ACC_ROLE, ROLE_SYSTEM_GRAPHIC); }

void SetDescription(HWND window, const std::string& description) {
  SetText(window, PROPID_ACC_DESCRIPTION, description);
}

void MakeLiveRegion(HWND window) { SetNumber(window, kLiveSettingProperty, kLivePolite); }

void AnnounceChange(HWND window) { NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, window, OBJID_CLIENT, CHILDID_SELF); }

}  // namespace tavrelo::ui::win32
