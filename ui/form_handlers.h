#pragma once
// The three reactions of the window, working on the FormModel alone:
//   Combo1_Click   a layer count picked: show that many rows of the table;
//   Combo5_Click   a cause picked: show the load field for a surface load only;
//   Command1_Click "计算" pressed: compute, and put the sentence into Text1
//                  (the reports of the result menu kept beside it), or
//                  report what is wrong with the input (ReportProblem), then
//                  ask for the focus in the field at fault, and change
//                  nothing else.

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "core/negative_friction.h"
#include "ui/form_model.h"

namespace tavrelo::ui {

void Combo1_Click(FormModel& model);
void Combo5_Click(FormModel& model);
// `gaveSentence` hears of a press that wrote its sentence, with the input it
// read (the downdrag window takes its layers from it).
using PressListener = std::function<void(const FrictionInput& input)>;
void Command1_Click(FormModel& model, const PressListener& gaveSentence = {});

// Connects the three handlers to their events in `model` (at start-up).
void ConnectHandlers(FormModel& model);

// How a field is named in a message ("第2层的土层厚"), and a field's text as
// a message quotes it ("“abc”", cut after 20 characters with "…").
[[nodiscard]] std::string FieldName(FrictionField field);
[[nodiscard]] std::string Quote(std::string_view text);

// The field that holds each input of the computation.
[[nodiscard]] ControlKey ControlOf(FrictionField field);

// The computation's input, taken verbatim from the fields, hidden or not.
[[nodiscard]] FrictionInput ReadFrictionInput(const FormModel& model);

// The soil names (Combo2) of layers 1 to 5, verbatim: the computation reads
// none of them, the reports' HTML shows them beside the layers.
[[nodiscard]] std::array<std::string, 5> ReadSoilNames(const FormModel& model);

// What keeps a press from giving a usable sentence, if anything: a layer
// count that is not a number from 1 to 5 comes first, then a cause that is
// neither list entry, then whatever made the computation fail.
[[nodiscard]] std::optional<InputProblem> FindInputProblem(const FrictionInput& input, const FrictionOutcome& outcome);

}  // namespace tavrelo::ui
