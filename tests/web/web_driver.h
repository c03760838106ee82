#pragma once
// FormDriver on the web page, in the page itself: the binding, the model and
// the cases run in one WebAssembly module built with Asyncify, and every
// action of the user is performed from outside as trusted input. The page
// asks tests/web/run_page_test.py (which drives headless Chromium over the
// DevTools protocol) for a key, a click or an input method's commit, waits
// for it (Act suspends the module until the controller answers), lets the
// page deliver what it caused, and reads the result back from the page.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tests/binding_cases/form_driver.h"
#include "ui/web/form_page.h"

namespace tavrelo::ui::testing_support {

// A JSON string literal of `text` (UTF-8).
[[nodiscard]] std::string JsonString(std::string_view text);

// Asks the controller for `request` (a JSON object, see run_page_test.py)
// and waits for its answer: the JSON text of the answer's value.
std::string Act(const std::string& request);
// Ends the run with the given status.
void ReportExit(int status);
// The arguments the controller gave the page (after the "#" of its address).
[[nodiscard]] std::vector<std::string> PageArguments();

class WebFormDriver final : public FormDriver {
 public:
  // Not copied, as no FormDriver is.
  explicit WebFormDriver(Program& program);

  // The main form's page, and the page of the form that holds `control`.
  [[nodiscard]] web::FormPage& Page() const { return pages_.Main(); }
  [[nodiscard]] web::FormPage& PageOf(ControlKey control) const;
  void Type(ControlKey combo, std::string_view text) override;
  void TypeHere(std::string_view text) override;
  void Commit(std::string_view text, std::string_view composing) override;
  void PickByPointer(ControlKey combo, std::string_view entry) override;
  void Wheel(ControlKey combo, bool up) override;
  void Focus(ControlKey control) override;
  void Key(DriverKey key) override;
  void Close(ControlKey form) override;
  void Click(ControlKey control) override;
  void DoubleClick(ControlKey control) override;
  void PutOnClipboard(std::string_view text) override;

  std::string Focused() override;
  std::string Shown(ControlKey control) override;
  TextSelection SelectionOf(ControlKey control) override;
  int TextLimit(ControlKey control) override;
  bool IsShown(ControlKey control) override;
  int ShownIndex(ControlKey combo) override;
  std::vector<std::string> ListEntries(ControlKey combo) override;
  std::optional<OpenedList> OpenList() override;
  std::string AccessibleName(ControlKey control) override;
  std::vector<std::string> Announcements() override;
  std::vector<ShownMessage> Messages() override;

  std::vector<std::string> MenuEntriesOf(ControlKey box) override;
  bool ChooseFromMenuOf(ControlKey box, std::string_view entry) override;
  std::string ClipboardText() override;
  std::string ClipboardHtml() override;
  Capture CaptureOf(ControlKey control) override;
  // A PNG, written by the controller.
  bool SavePicture(ControlKey control, const std::string& path) override;

  // --- For the web page's own cases ---------------------------------------------

  // A trusted click at (x, y) in the viewport, with the left or right button.
  void ClickAt(double x, double y, bool right = false);
  // The centre of the element in the viewport.
  struct Point {
    double x = 0;
    double y = 0;
  };
  [[nodiscard]] Point CentreOf(web::dom::Handle element);
  // The accessibility subtree of the element as Chromium gives it to screen
  // readers, one "role name" a line.
  [[nodiscard]] std::string AccessibilityTree(web::dom::Handle element);
  // The message of a failed press as it stands, or none; left open.
  [[nodiscard]] bool MessageOpen();
  // Resizes the viewport (CSS pixels); {0, 0} for the window's own size.
  void SetViewport(int width, int height);
  // The viewport as a PNG at `path` (the controller writes it).
  void Screenshot(const std::string& path);

 private:
  void PressKey(const std::string& params);
  // ClickSpot in the viewport.
  [[nodiscard]] Point SpotInViewport(ControlKey control);
  // A result box's menu opened from the keyboard; its entries as read.
  std::vector<std::string> OpenResultMenu(ControlKey box);
  void RecordMessage();
  // Drags a window of the page that lies over `element` out of its way.
  void Uncover(web::dom::Handle element);
  [[nodiscard]] bool IsTextBox(ControlKey control) const;

  web::ProgramPages pages_;
  std::vector<ShownMessage> messages_;
};

}  // namespace tavrelo::ui::testing_support
