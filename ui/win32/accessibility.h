#pragma once
// What a screen reader (Narrator, NVDA) is told of the Windows window beyond
// what the controls tell it themselves: the names and descriptions of the
// inventory, set through the accessibility layer's annotation service, and
// the result box as a polite live region whose new sentence is read out
// wherever the focus is. Where Windows lacks a part of this (live regions
// came with Windows 8), the call does nothing and nothing fails.
//
// Nothing of it is needed before a screen reader first asks a window of the
// program for its accessible object (WM_GETOBJECT), and most starts see no
// screen reader at all: COM, the annotation service and the annotations
// wait for that first question. Until then a window only says that it has
// annotations to give (AwaitScreenReader); a thread hook, put in place once
// the first window is on screen, hears the first WM_GETOBJECT, annotates
// every waiting window and takes itself away, before the question reaches
// the window asked. A window made after that is annotated as it is made.

#include <windows.h>

#include <string>
#include <string_view>

#include "ui/control_inventory.h"

namespace tavrelo::ui::win32 {

// Where annotations go: the accessibility layer's annotation service, or a
// recorder in a test. `property` is an MSAA property id (PROPID_ACC_…, or
// UI Automation's LiveSetting).
class AnnotationSink {
 public:
  virtual ~AnnotationSink() = default;
  virtual void SetText(HWND window, const GUID& property, std::wstring_view text) = 0;
  virtual void SetNumber(HWND window, const GUID& property, LONG number) = 0;
};

// A window with annotations to give: Annotate() gives them all, as they
// stand at that moment.
class Annotated {
 public:
  virtual void Annotate() = 0;

 protected:
  ~Annotated() = default;
};

// Annotates `window` now if a screen reader has already asked, else when
// one first does; Forget() before it goes away.
void AwaitScreenReader(Annotated& window);
void Forget(Annotated& window);
// Puts the hook that hears the first WM_GETOBJECT in place (once; nothing
// after the first question).
void ListenForScreenReader();
// Whether a screen reader has asked, so that annotations are given as the
// windows change.
[[nodiscard]] bool ScreenReaderAsked();
// Takes the hook away and ends COM, if the first question started it; at the
// end of the program.
void EndAccessibility();
// Sends the annotations to `sink` instead of the annotation service, and
// starts over as if no screen reader had asked yet (nullptr: the service
// again). For tests.
void SetAnnotationSinkForTesting(AnnotationSink* sink);

// Gives `window` the row's accessible name and description, where the row
// has them.
void Describe(HWND window, const ControlSpec& row);

// A picture: a screen reader's graphic, described by `description` (which
// changes with what it shows).
void MakeGraphic(HWND window);
void SetDescription(HWND window, const std::string& description);

// Makes `window` a polite live region: its new text is read out when
// AnnounceChange says it changed.
void MakeLiveRegion(HWND window);
void AnnounceChange(HWND window);

}  // namespace tavrelo::ui::win32
