#pragma once
// The window as one web page: every control built into the page by walking
// the control inventory, kept in step with the FormModel both ways through
// the FormView contract (ui/form_view.h).
//
//   inventory row  →  element (data-control="Combo4(5)", placed at its pixels)
//   Form           a div (role form) of the window's size and colour
//   Frame          a div (role group) with its etched edge and caption
//   Label          a label (for its field) or a div, lines broken by WrapLines
//                  in the page's own font metrics; the ξn table's cells as
//                  cells of a role=table, row by row
//   ComboBox       a div holding an input (role combobox) and the drop-down
//                  arrow; the list is the page script's popup
//   TextBox        a textarea; its context menu from kResultMenu
//   CommandButton  a button, its caption stacked
//   Line           a stripe of its frame's table background (no element)
//
// The page calls back with numbers only: the exported tavrelo_* functions
// (form_page.cpp) hand the user's typing, picks, presses and menu choices to
// the one FormPage.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "ui/form_model.h"
#include "ui/result_menu.h"
#include "ui/web/dom.h"

namespace tavrelo::ui::web {

class FormPage final : private FormView {
 public:
  explicit FormPage(FormModel& model);
  ~FormPage() override;
  FormPage(const FormPage&) = delete;
  FormPage& operator=(const FormPage&) = delete;

  // Focuses the first tab stop and lets the page fit and paint the form.
  void Show();

  // The element that shows `control` (Form1's for the form), and the input,
  // textarea or button inside it that takes the focus; kNone for a line or a
  // control that does not exist.
  [[nodiscard]] dom::Handle Element(ControlKey control) const;
  [[nodiscard]] dom::Handle Field(ControlKey control) const;

  // --- What the page reports (through the exported functions) -------------------
  void Typed(std::size_t position);
  void Picked(std::size_t position, int entry);
  void Pressed(std::size_t position);
  // The result box's menu asked for at (x, y) in the viewport.
  void MenuRequested(int x, int y);
  // Item `item` of the menu last opened.
  void MenuChosen(int item);
  // The message of a failed press closed; true when the focus went to the
  // field at fault.
  bool MessageClosed();

  // The page of this program (nullptr before it is built and after).
  [[nodiscard]] static FormPage* Current() noexcept { return current_; }

 private:
  struct Parts {
    dom::Handle element = dom::kNone;
    dom::Handle field = dom::kNone;    // what takes the focus and holds the text
    dom::Handle caption = dom::kNone;  // a frame's caption strip
  };

  void Build(const ControlSpec& row, std::size_t position);
  void BuildFrame(const ControlSpec& row, Parts& parts);
  void BuildLabel(const ControlSpec& row, Parts& parts);
  void BuildCombo(const ControlSpec& row, std::size_t position, Parts& parts);
  // Row `row` of the ξn table in `frame` (made at the first line or cell:
  // its rows hold the cells, its background the lines).
  dom::Handle TableRow(const ControlSpec& frame, int row);
  void ShowLabel(const ControlSpec& row, const std::string& text);
  void ShowFrameCaption(const ControlSpec& row, const std::string& text);
  void Describe(const ControlSpec& row, const Parts& parts);
  [[nodiscard]] const ControlSpec* RowAt(std::size_t position) const;
  [[nodiscard]] std::string FontOfRow(const ControlSpec& row) const;

  void TextChanged(ControlKey control, const std::string& text) override;
  void VisibilityChanged(ControlKey control, bool visible) override;
  void SelectionChanged(ControlKey control, std::optional<int> entry) override;
  void ProblemReported(const InputProblem& problem) override;
  void FocusRequested(ControlKey control) override;
  void AnnouncementRequested(ControlKey control) override;

  FormModel& model_;
  std::vector<Parts> parts_;  // one per inventory row, in its order
  std::vector<ControlKey> tabOrder_;
  dom::Handle form_ = dom::kNone;
  dom::Handle table_ = dom::kNone;
  std::vector<dom::Handle> tableRows_;
  std::string tableLines_;  // the lines' CSS backgrounds
  dom::Handle spoken_[2] = {dom::kNone, dom::kNone};
  bool messageOpen_ = false;
  std::optional<ControlKey> pendingFocus_;  // asked for while the message was open
  // The open menu's items, separators as none.
  std::vector<std::optional<ResultMenuCommand>> menuItems_;

  static inline FormPage* current_ = nullptr;
};

}  // namespace tavrelo::ui::web
