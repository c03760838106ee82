#pragma once
// The live state of the window: for every control of the inventory its
// text, visibility and selected list entry. The handlers read and change the
// form only through this model, so they run without a window; a binding
// mirrors it through the FormView it is given (ui/form_view.h, which also
// says how a press travels).

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control_inventory.h"
#include "ui/form_view.h"

namespace tavrelo::ui {

class FormModel {
 public:
  using Handler = std::function<void()>;

  // Every control as the inventory describes it: visible, combo boxes empty
  // with nothing selected, Text1 holding its initial note.
  explicit FormModel(std::span<const ControlSpec> inventory = ControlInventory());
  // Handlers and views hold on to the model by reference.
  FormModel(const FormModel&) = delete;
  FormModel& operator=(const FormModel&) = delete;
  FormModel(FormModel&&) = delete;
  FormModel& operator=(FormModel&&) = delete;
  ~FormModel() = default;

  // --- Lookup. Nothing here or under State and Events throws: a control
  // that does not exist reads as an empty, hidden text and changes nothing,
  // so no event path can end the program through an exception.
  [[nodiscard]] bool Contains(ControlKey control) const noexcept { return Position(control).has_value(); }
  [[nodiscard]] std::span<const ControlSpec> Inventory() const noexcept { return inventory_; }
  // Where the control stands in Inventory().
  [[nodiscard]] std::optional<std::size_t> Position(ControlKey control) const noexcept;
  // The control's row; throws std::out_of_range for one that does not exist
  // (for building a window and for tests, never while events run).
  [[nodiscard]] const ControlSpec& Row(ControlKey control) const;
  // The controls that take focus, in tab order.
  [[nodiscard]] std::vector<ControlKey> TabOrder() const;
  // Where the focus is when the window opens: the first tab stop.
  [[nodiscard]] ControlKey InitialFocus() const;

  // --- State
  // Text of a combo box or of Text1 (typed or picked), or a caption.
  [[nodiscard]] const std::string& Text(ControlKey control) const;
  // Replaces the text, as typing or the program does; raises no event.
  void SetText(ControlKey control, std::string_view text);
  [[nodiscard]] bool Visible(ControlKey control) const;
  // Hiding keeps the text, the selection and the list.
  void SetVisible(ControlKey control, bool visible);
  [[nodiscard]] std::optional<int> Selection(ControlKey control) const;
  // The calculation behind the sentence in Text1, from the press that wrote
  // it (the result box's "复制计算过程"); empty before the first press that
  // gave a sentence. Later edits and failed presses leave it as it is.
  [[nodiscard]] const std::string& CalculationSteps() const noexcept { return steps_; }
  void SetCalculationSteps(std::string steps) { steps_ = std::move(steps); }
  // The same press's stress summed layer by layer as JGJ 94-2008 has it,
  // for a report ("复制分层计算（JGJ 94-2008）"); kept and left alone as the
  // steps are.
  [[nodiscard]] const std::string& LayeredCalculation() const noexcept { return layered_; }
  void SetLayeredCalculation(std::string layered) { layered_ = std::move(layered); }

  // --- Events
  // Picks entry `entry` of a combo box's list: the text becomes that entry,
  // then the combo box's selection event is raised. Out-of-range entries are
  // ignored.
  void Select(ControlKey combo, int entry);
  // Presses a command button: raises its press event.
  void Press(ControlKey button);
  // Tells the view why a press gave no sentence (see FormView).
  void ReportProblem(const InputProblem& problem);
  // Asks the view to put the focus into `control`, its text selected, if the
  // control is visible.
  void RequestFocus(ControlKey control);
  // Asks the view to have the control's text read out (see FormView).
  void Announce(ControlKey control);
  // Connects a handler (at start-up; throws std::invalid_argument for a
  // control without that event).
  void OnSelect(ControlKey combo, Handler handler);
  void OnPress(ControlKey button, Handler handler);

  // The view to tell of changes (one at most; nullptr for none).
  void SetView(FormView* view) noexcept { view_ = view; }

 private:
  struct State {
    std::string text;
    bool visible = true;
    std::optional<int> selection;
    Handler handler;  // selection event of a combo box, press event of a button
  };

  State* Find(ControlKey control) noexcept;

  std::span<const ControlSpec> inventory_;
  std::vector<State> states_;
  std::vector<std::size_t> byKey_;  // positions in inventory_, sorted by (name, index)
  FormView* view_ = nullptr;
  std::string steps_;
  std::string layered_;
};

}  // namespace tavrelo::ui
