#pragma once
// The live state of a window: for every control of its inventory its text,
// visibility and selected list entry, and the state of the form's own
// commands in its result menu. The handlers read and change the form only
// through this model, so they run without a window; a binding mirrors it
// through the FormView it is given (ui/form_view.h, which also says how a
// press travels). One model a window: the program's forms are listed by
// Program (ui/program.h).

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control_inventory.h"
#include "ui/form_view.h"

namespace tavrelo::ui {

struct ProfileDrawing;  // ui/profile_drawing.h

class FormModel {
 public:
  using Handler = std::function<void()>;

  // Every control as the inventory describes it: visible (a window opened
  // from another one hidden), combo boxes empty with nothing selected, text
  // boxes holding their initial text; every command disabled.
  explicit FormModel(const FormSpec& form = MainForm());
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
  // The form's own row (the first of the inventory), and its key.
  [[nodiscard]] const ControlSpec& FormRow() const;
  [[nodiscard]] ControlKey FormKey() const { return FormRow().Key(); }
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
  // What a picture shows (its text is the sentence a screen reader reads of
  // it); none until its handlers draw one.
  [[nodiscard]] const ProfileDrawing* Drawing(ControlKey control) const;
  [[nodiscard]] std::shared_ptr<const ProfileDrawing> SharedDrawing(ControlKey control) const;
  void SetDrawing(ControlKey control, std::shared_ptr<const ProfileDrawing> drawing);

  // --- The form's own commands (FormSpec::commands), by their place
  [[nodiscard]] std::span<const FormCommand> Commands() const noexcept { return commands_; }
  // Whether the command can be chosen now; none can at first.
  [[nodiscard]] bool CommandEnabled(std::size_t command) const;
  void SetCommandEnabled(std::size_t command, bool enabled);
  // What a copying command puts on the clipboard (a report of the last
  // press that gave a result); empty for none. Setting it enables the
  // command when it is not empty and disables it when it is.
  [[nodiscard]] const ClipboardContent& CommandCopy(std::size_t command) const;
  void SetCommandCopy(std::size_t command, ClipboardContent content);

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
  // Chooses one of the form's commands, as the result menu does: if it is
  // enabled, its content goes to the clipboard (FormView) and its handler
  // runs. Nothing for a command that does not exist.
  void RunCommand(std::size_t command);
  // Connects a handler (at start-up; throws std::invalid_argument for a
  // control without that event).
  void OnSelect(ControlKey combo, Handler handler);
  void OnPress(ControlKey button, Handler handler);
  void OnCommand(std::size_t command, Handler handler);

  // The view to tell of changes (one at most; nullptr for none).
  void SetView(FormView* view) noexcept { view_ = view; }

 private:
  struct State {
    std::string text;
    bool visible = true;
    std::optional<int> selection;
    Handler handler;  // selection event of a combo box, press event of a button
    std::shared_ptr<const ProfileDrawing> drawing;  // a picture's
  };

  struct CommandState {
    bool enabled = false;
    ClipboardContent copy;
    Handler handler;
  };

  State* Find(ControlKey control) noexcept;

  std::span<const ControlSpec> inventory_;
  std::span<const FormCommand> commands_;
  std::vector<State> states_;
  std::vector<std::size_t> byKey_;  // positions in inventory_, sorted by (name, index)
  std::vector<CommandState> commandStates_;
  FormView* view_ = nullptr;
};

}  // namespace tavrelo::ui
