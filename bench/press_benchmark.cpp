// A press of "计算" as the user sees it: through the button, the model, the
// handler, the calculation and back into the result box of a shown window,
// with the typical input of an engineer already in the fields.
//
// Every iteration first empties the result box through the model (a press
// that writes the same sentence again changes nothing on screen), then
// presses and checks that the box holds the sentence. The variants differ in
// how far the press is followed:
//   PressButton            QPushButton::click(); the box's text is set
//   PressButtonAndRepaint  the same, then the event loop runs until the box
//                          has been repainted (offscreen)
//   PressModel             FormModel::Press and the repaint, no button
//
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <memory>
#include <string>
#include <string_view>

#include "paint_counter.h"
#include "ui/form_model.h"
#include "ui/program.h"
#include "ui/qt/form_window.h"

namespace {

using tavrelo::ui::ControlKey;
using tavrelo::ui::FormModel;
using tavrelo::ui::FormWindow;

const QString kTypicalSentence = QStringLiteral(
    "当降低地下水时， 桩周第2.0层土平均竖向有效应力σi'为：65.10 kn/m2   桩侧负摩阻力标准值qsi = ξn * σi'＝16.3 kn/m2");

// The program's window with its handlers, shown, holding the typical input:
// two layers (γ 18 and 19, h 2.0 and 3.0), lowered groundwater, ξn 0.25.
class Window {
 public:
  Window() {
    // A press that failed would show its message box and wait for a click:
    // answered at once, so that the benchmark reports the failure instead of
    // waiting for ever.
    QObject::connect(&answerer_, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        problem_ = box->text().toStdString();
        box->accept();
      }
    });
    answerer_.start(10);
    window_.show();
    QApplication::processEvents();
    Pick({"Combo1"}, "2.0");
    Pick({"Combo3", 0}, "18");
    Pick({"Combo3", 1}, "19");
    Pick({"Combo4", 5}, "2.0");
    Pick({"Combo4", 6}, "3.0");
    Pick({"Combo5"}, "降低地下水");
    Pick({"Combo6"}, "0.25");
    QApplication::processEvents();
    button_ = qobject_cast<QPushButton*>(window_.Widget(kButton));
    result_ = qobject_cast<QPlainTextEdit*>(window_.Widget(kResult));
    paints_ = std::make_unique<PaintCounter>(result_->viewport());
  }

  FormModel& Model() { return model_; }
  QPushButton& Button() { return *button_; }

  void ClearResult() { model_.SetText(kResult, ""); }

  // Whether the result box shows the sentence and nothing went wrong.
  [[nodiscard]] bool ShowsSentence() const { return problem_.empty() && result_->toPlainText() == kTypicalSentence; }
  [[nodiscard]] long ResultPaints() const { return paints_->Count(); }

  static constexpr ControlKey kButton{"Command1"};
  static constexpr ControlKey kResult{"Text1"};

 private:
  void Pick(ControlKey combo, std::string_view entry) {
    const auto list = model_.Row(combo).list;
    for (std::size_t i = 0; i < list.size(); ++i) {
      if (list[i] == entry) model_.Select(combo, static_cast<int>(i));
    }
  }

  tavrelo::ui::TavreloProgram program_;
  FormModel& model_ = program_.Main();
  FormWindow window_{model_};
  QTimer answerer_;
  QPushButton* button_ = nullptr;
  QPlainTextEdit* result_ = nullptr;
  std::unique_ptr<PaintCounter> paints_;
  std::string problem_;
};

// Runs posted events until the result box has been painted after `before`
// paints; false if it never is.
bool WaitForRepaint(const Window& window, long before) {
  for (int round = 0; round < 100; ++round) {
    QApplication::processEvents();
    if (window.ResultPaints() > before) return true;
  }
  return false;
}

void PressButton(benchmark::State& state) {
  Window window;
  for (auto _ : state) {
    window.ClearResult();
    window.Button().click();
    if (!window.ShowsSentence()) {
      state.SkipWithError("the result box does not hold the sentence");
      break;
    }
  }
}
BENCHMARK(PressButton);

// Each press, by `press`, until the result box is painted again with the
// sentence.
template <typename Press>
void PressUntilRepainted(benchmark::State& state, const Press& press) {
  Window window;
  QApplication::processEvents();
  for (auto _ : state) {
    const long before = window.ResultPaints();
    window.ClearResult();
    press(window);
    if (!WaitForRepaint(window, before) || !window.ShowsSentence()) {
      state.SkipWithError("the result box was not repainted with the sentence");
      break;
    }
  }
}

void PressButtonAndRepaint(benchmark::State& state) {
  PressUntilRepainted(state, [](Window& window) { window.Button().click(); });
}
BENCHMARK(PressButtonAndRepaint);

void PressModel(benchmark::State& state) {
  PressUntilRepainted(state, [](Window& window) { window.Model().Press(Window::kButton); });
}
BENCHMARK(PressModel);

}  // namespace
