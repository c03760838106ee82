#include "ui/win32/accessibility.h"

#include <oleacc.h>

#include <string>

#include "ui/win32/text.h"

namespace tavrelo::ui::win32 {
namespace {

// The accessibility layer's own annotation service, which screen readers
// read a control's name and description from; nullptr where there is none.
IAccPropServices* AnnotationService() {
  static IAccPropServices* const services = [] {
    IAccPropServices* created = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&created)))) {
      created = nullptr;
    }
    return created;
  }();
  return services;
}

// Gives a control a name or a description (PROPID_ACC_NAME, _DESCRIPTION);
// nothing for an empty text.
void Annotate(HWND control, const MSAAPROPID& property, const std::string& text) {
  if (IAccPropServices* services = AnnotationService(); services != nullptr && !text.empty()) {
    services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, property, Widen(text).c_str());
  }
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

void Describe(HWND window, const ControlSpec& row) {
  Annotate(window, PROPID_ACC_NAME, row.accessibleName);
  Annotate(window, PROPID_ACC_DESCRIPTION, row.accessibleDescription);
}

void MakeGraphic(HWND window) {
  if (IAccPropServices* services = AnnotationService()) {
    VARIANT role;
    VariantInit(&role);
    role.vt = VT_I4;
    role.lVal = ROLE_SYSTEM_GRAPHIC;
    services->SetHwndProp(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_ROLE, role);
  }
}

void SetDescription(HWND window, const std::string& description) {
  Annotate(window, PROPID_ACC_DESCRIPTION, description);
}

void MakeLiveRegion(HWND window) {
  if (IAccPropServices* services = AnnotationService()) {
    VARIANT polite;
    VariantInit(&polite);
    polite.vt = VT_I4;
    polite.lVal = kLivePolite;
    services->SetHwndProp(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, kLiveSettingProperty, polite);
  }
}

void AnnounceChange(HWND window) { NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, window, OBJID_CLIENT, CHILDID_SELF); }

}  // namespace tavrelo::ui::win32
