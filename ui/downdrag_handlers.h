#pragma once
// The downdrag window's reactions, on its FormModel and the main one's:
//   a main press that gave a sentence  the layers of that press shown (only
//       its n rows), ξn of layer n pre-filled where that field is empty, the
//       result cleared (no Qgn of other layers ever stands there);
//   "下拉荷载计算（JGJ 94-2008）…" in the main result menu  the window shown;
//   DdShape_Click     a shape picked: the size's label says d or b;
//   DdPileKind_Click  单桩 or 群桩 picked: sax and say shown for a group only;
//   DdCompute_Click   "计算": ComputeDowndragLoad on the press's layers and the
//       window's fields, its sentence into the result box (read out) and its
//       report kept for "复制下拉荷载计算过程" (plain text, and HTML with the
//       press's soil names); or a message naming the field at
//       fault, the focus put there, the result left as it was.
// The window's own entries stay while the program runs. Its profile drawing
// shows the press's layers and the pile, and the friction and the neutral
// point of the last 计算 since that press until one is refused.

#include <array>
#include <optional>
#include <string>

#include "core/downdrag_load.h"
#include "ui/form_model.h"
#include "ui/profile_drawing.h"
#include "ui/view_rules.h"

namespace tavrelo::ui {

class DowndragHandlers {
 public:
  // Connects the reactions: the main window's press (Command1_Click with the
  // refresh after it) and its command, and the downdrag window's own; and
  // picks the window's first entries of shape and single pile, and t = 0.
  DowndragHandlers(FormModel& main, FormModel& downdrag);
  DowndragHandlers(const DowndragHandlers&) = delete;
  DowndragHandlers& operator=(const DowndragHandlers&) = delete;

  void Refresh(const FrictionInput& press);
  void DdShape_Click();
  void DdPileKind_Click();
  void DdCompute_Click();

  // The calculation's input as the window holds it now (the last press's
  // layers); none before a press.
  [[nodiscard]] std::optional<DowndragInput> ReadInput() const;

  // The profile drawing in `box` as the window stands now (the window's t
  // before a result), and its sentence for a screen reader.
  [[nodiscard]] ProfileDrawing Profile(PixelBox box) const;
  [[nodiscard]] std::string ProfileSentence() const;
  // Puts the drawing and its sentence into the window's picture; while the
  // window is hidden, only notes that it is due when the window opens.
  void UpdateProfile();

 private:
  void DrawPicture();

  FormModel& main_;
  FormModel& downdrag_;
  std::optional<FrictionInput> press_;
  std::optional<DowndragResult> result_;  // of the last 计算 since the press, unless refused since
  std::array<std::string, 5> soilNames_;  // the press's, for the report's HTML
  bool profileDue_ = true;                // the picture not drawn since what it shows changed
};

// What keeps "计算" of the downdrag window from giving a result: one Chinese
// sentence naming the field, and the field to put the focus in (a field of
// the main window keeps the focus where it is: it is not on this window).
[[nodiscard]] InputProblem DescribeDowndragFailure(const DowndragFailure& failure, const DowndragInput& input);

}  // namespace tavrelo::ui
