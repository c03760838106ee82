#pragma once
// The windows as one web page: each form built into the page by walking its
// inventory, kept in step with its FormModel both ways through the FormView
// contract (ui/form_view.h). ProgramPages puts every form of a program on
// the page.
//
//   inventory row  →  element (data-control="Combo4(5)", placed at its pixels)
//   Form           a div (role form) of the window's size and colour
//   Frame          a div (role group) with its etched edge and caption
//   Label          a label (for its field) or a div, lines broken by WrapLines
//                  in the page's own font metrics; a table's cells as cells
//                  of a role=table, row by row
//   ComboBox       a div holding an input (role combobox) and the drop-down
//                  arrow; the list is the page script's popup
//   TextBox        a textarea; a result box's context menu from
//                  ResultMenuEntries
//   CommandButton  a button, its caption stacked
//   Line           a stripe of its frame's table background (no element)
//   Picture        a div (role img) holding its drawing as inline SVG
//
// The page calls back with numbers only: the exported tavrelo_* functions
// (form_page.cpp) hand the user's typing, picks, presses and menu choices to
// the FormPage whose control it was.

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/form_model.h"
#include "ui/program.h"
#include "ui/result_menu.h"
#include "ui/web/dom.h"

namespace tavrelo::ui::web {

class FormPage final : private FormView {
 public:
  explicit FormPage(FormModel& model);
  ~FormPage() override;
  FormPage(const FormPage&) = delete;
  FormPage& operator=(const FormPage&) = delete;

  // Focuses the first tab stop and lets the page fit and paint the form
  // (the main window's, once).
  void Show();

  [[nodiscard]] FormModel& Model() const noexcept { return model_; }

  // The element that shows `control` (the form's own for its key), and the input,
  // textarea or button inside it that takes the focus; kNone for a line or a
  // control that does not exist.
  [[nodiscard]] dom::Handle Element(ControlKey control) const;
  [[nodiscard]] dom::Handle Field(ControlKey control) const;

  // --- What the page reports (through the exported functions) -------------------
  // `control` numbers a control of one of the forms on the page.
  static void Typed(int control);
  static void Picked(int control, int entry);
  static void Pressed(int control);
  // The result box's menu asked for at (x, y) in the viewport.
  static void MenuRequested(int control, int x, int y);
  // Item `item` of the menu last opened.
  static void MenuChosen(int item);
  // The message of a failed press closed; true when the focus went to the
  // field at fault.
  static bool MessageClosed();
  // The close button of a window opened from the main one.
  static void Closed(int control);

 private:
  struct Parts {
    dom::Handle element = dom::kNone;
    dom::Handle field = dom::kNone;    // what takes the focus and holds the text
    dom::Handle caption = dom::kNone;  // a frame's caption strip
  };

  // The page's number of the control at `position` of the inventory, and
  // back: which page, and where in its inventory.
  [[nodiscard]] int ControlNumber(std::size_t position) const;
  static FormPage* PageOf(int control, std::size_t& position);

  void BuildPage();
  void Build(const ControlSpec& row, std::size_t position);
  void BuildForm(const ControlSpec& row, std::size_t position, Parts& parts);
  void BuildFrame(const ControlSpec& row, Parts& parts);
  void BuildLabel(const ControlSpec& row, Parts& parts);
  void BuildCombo(const ControlSpec& row, std::size_t position, Parts& parts);
  // Row `row` of the table in `frame` (made at the first line or cell: its
  // rows hold the cells, its background the lines).
  dom::Handle TableRow(const ControlSpec& frame, int row);
  void ShowLabel(const ControlSpec& row, const std::string& text);
  void ShowFrameCaption(const ControlSpec& row, const std::string& text);
  void Describe(const ControlSpec& row, const Parts& parts);
  [[nodiscard]] std::string FontOfRow(const ControlSpec& row) const;

  // FormView: the model's changes on the page's elements (value,
  // textContent, hidden, the inline SVG redrawn),
  void TextChanged(ControlKey control, const std::string& text) override;
  void VisibilityChanged(ControlKey control, bool visible) override;
  void SelectionChanged(ControlKey control, std::optional<int> entry) override;
  void DrawingChanged(ControlKey control) override;
  // and what the model asks of the page (its message box, focus(), the live
  // region, the copy event's two flavours).
  void ProblemReported(const InputProblem& problem) override;
  void FocusRequested(ControlKey control) override;
  void AnnouncementRequested(ControlKey control) override;
  void ClipboardRequested(const ClipboardContent& content) override;
  void ShowDrawing(ControlKey control);
  void ShowWindow();

  FormModel& model_;
  // The elements made: at the start, or for a window opened from the main
  // one when it is first opened.
  bool built_ = false;
  int id_ = 0;                // the page's number among the forms on the page
  std::vector<Parts> parts_;  // one per inventory row, in its order
  std::vector<ControlKey> tabOrder_;
  dom::Handle form_ = dom::kNone;
  dom::Handle window_ = dom::kNone;   // the frame of a window opened from the main one
  dom::Handle caption_ = dom::kNone;  // its title
  // The tables, by their frame's place in the inventory.
  struct Table {
    dom::Handle element = dom::kNone;
    std::vector<dom::Handle> rows;
    std::string lines;  // the lines' CSS backgrounds
  };
  std::map<std::size_t, Table> tables_;
  dom::Handle spoken_[2] = {dom::kNone, dom::kNone};
  bool messageOpen_ = false;
  std::optional<ControlKey> pendingFocus_;  // asked for while the message was open
};

// Every form of a program on the page: the main window's, and the others
// hidden until their models show them.
class ProgramPages {
 public:
  explicit ProgramPages(Program& program);
  ProgramPages(const ProgramPages&) = delete;
  ProgramPages& operator=(const ProgramPages&) = delete;

  [[nodiscard]] FormPage& Main() const { return *pages_.front(); }
  [[nodiscard]] const std::vector<std::unique_ptr<FormPage>>& All() const noexcept { return pages_; }

 private:
  std::vector<std::unique_ptr<FormPage>> pages_;
};

}  // namespace tavrelo::ui::web
