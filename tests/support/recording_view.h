#pragma once
// A view of the model that writes down what it is told, in order, for the
// tests of the model and of the handlers: "text Text1 …", "hide Label7",
// "select Combo6 5", "problem Combo6", "focus Combo6", "announce Text1", "copy".

#include <string>
#include <vector>

#include "ui/form_view.h"

namespace tavrelo::ui::testing_support {

class RecordingView : public FormView {
 public:
  void TextChanged(ControlKey control, const std::string& text) override {
    events.push_back("text " + DisplayName(control) + " " + text);
  }
  void VisibilityChanged(ControlKey control, bool visible) override {
    events.push_back((visible ? "show " : "hide ") + DisplayName(control));
  }
  void SelectionChanged(ControlKey control, std::optional<int> entry) override {
    events.push_back("select " + DisplayName(control) + " " + std::to_string(entry.value_or(-1)));
  }
  void ProblemReported(const InputProblem& problem) override {
    events.push_back("problem " + DisplayName(problem.field));
    problems.push_back(problem);
  }
  void FocusRequested(ControlKey control) override { events.push_back("focus " + DisplayName(control)); }
  void AnnouncementRequested(ControlKey control) override { events.push_back("announce " + DisplayName(control)); }
  void DrawingChanged(ControlKey control) override { events.push_back("draw " + DisplayName(control)); }
  void ClipboardRequested(const ClipboardContent& content) override {
    events.push_back("copy");
    copied.push_back(content);
  }

  std::vector<std::string> events;
  // The problems reported and the clipboard contents asked for, whole.
  std::vector<InputProblem> problems;
  std::vector<ClipboardContent> copied;
};

}  // namespace tavrelo::ui::testing_support
