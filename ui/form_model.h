#pragma once
// The live state of the window: for every control of the inventory its
// text, visibility and selected list entry. The handlers read and change the
// form only through this model, so they run without a window; with a window,
// the Qt binding mirrors the model into the widgets and hands the user's
// typing, picks and presses back to it.
//
// How a press travels:  user presses "计算" → binding → FormModel::Press →
// press event → Command1_Click → ComputeNegativeFriction → ComposeResultText
// → FormModel::SetText(Text1) → FormView::TextChanged → binding → the widget.

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control_inventory.h"

namespace tavrelo::ui {

// A control by name, and by index inside a control array ("Combo4", 7).
struct ControlKey {
  std::string_view name;
  int index = -1;

  friend bool operator==(const ControlKey&, const ControlKey&) = default;
};

// "Combo4(7)", or "Combo1" outside an array.
[[nodiscard]] std::string DisplayName(ControlKey key);

// What a view of the model (the window) is told when the model changes.
class FormView {
 public:
  virtual ~FormView() = default;
  virtual void TextChanged(ControlKey control, const std::string& text) = 0;
  virtual void VisibilityChanged(ControlKey control, bool visible) = 0;
  virtual void SelectionChanged(ControlKey control, std::optional<int> entry) = 0;
};

class FormModel {
 public:
  using Handler = std::function<void()>;

  // Every control as the inventory describes it: visible, combo boxes empty
  // with nothing selected, Text1 holding its initial note.
  explicit FormModel(std::span<const ControlSpec> inventory = ControlInventory());

  // --- Lookup (throws std::out_of_range for a control that does not exist)
  [[nodiscard]] const ControlSpec& Row(ControlKey control) const;
  [[nodiscard]] bool Contains(ControlKey control) const noexcept;
  [[nodiscard]] std::span<const ControlSpec> Inventory() const noexcept { return inventory_; }
  // Where the control stands in Inventory().
  [[nodiscard]] std::size_t Position(ControlKey control) const;
  // The controls that take focus, in tab order.
  [[nodiscard]] std::vector<ControlKey> TabOrder() const;

  // --- State
  // Text of a combo box or of Text1 (typed or picked), or a caption.
  [[nodiscard]] const std::string& Text(ControlKey control) const;
  // Replaces the text, as typing or the program does; raises no event.
  void SetText(ControlKey control, std::string_view text);
  [[nodiscard]] bool Visible(ControlKey control) const;
  // Hiding keeps the text, the selection and the list.
  void SetVisible(ControlKey control, bool visible);
  [[nodiscard]] std::optional<int> Selection(ControlKey control) const;

  // --- Events
  // Picks entry `entry` of a combo box's list: the text becomes that entry,
  // then the combo box's selection event is raised. Out-of-range entries are
  // ignored.
  void Select(ControlKey combo, int entry);
  // Presses a command button: raises its press event.
  void Press(ControlKey button);
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

  std::span<const ControlSpec> inventory_;
  std::vector<State> states_;
  FormView* view_ = nullptr;
};

}  // namespace tavrelo::ui
