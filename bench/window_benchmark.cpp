// The steps of Tavrelo's start-up that are ours to change, timed warm (the
// libraries loaded, the font list read, the glyphs cached) and offscreen:
//   BuildWindow              FormModel and FormWindow, not shown
//   BuildAndPaintWindow      the same, shown and painted once
//   ChooseFonts              ChooseFont for the inventory's two fonts
//   FillCombos/OneByOne      the 23 drop-down lists filled as FormWindow
//                            does, one addItem per entry
//   FillCombos/AtOnce        the same lists, one addItems per combo box
//   MakeCombos/*             ways of making a combo box editable
// A cold start costs more than these (see startup_phases); they show which
// of our steps are worth shortening.
//
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <vector>

#include "paint_counter.h"
#include "ui/control_inventory.h"
#include "ui/form_handlers.h"
#include "ui/form_model.h"
#include "ui/qt/form_window.h"

namespace {

using tavrelo::ui::ControlKind;
using tavrelo::ui::ControlSpec;

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

void BuildWindow(benchmark::State& state) {
  for (auto _ : state) {
    tavrelo::ui::FormModel model;
    tavrelo::ui::FormWindow window(model);
    tavrelo::ui::ConnectHandlers(model, [&window](const auto& problem) { window.ShowProblem(problem); });
    benchmark::DoNotOptimize(&window);
  }
}
BENCHMARK(BuildWindow)->Unit(benchmark::kMillisecond);

void BuildAndPaintWindow(benchmark::State& state) {
  for (auto _ : state) {
    tavrelo::ui::FormModel model;
    tavrelo::ui::FormWindow window(model);
    tavrelo::ui::ConnectHandlers(model, [&window](const auto& problem) { window.ShowProblem(problem); });
    const PaintCounter watch(&window);
    window.show();
    for (int round = 0; round < 1000 && !watch.Painted(); ++round) QApplication::processEvents();
    if (!watch.Painted()) {
      state.SkipWithError("the window was not painted");
      break;
    }
  }
}
BENCHMARK(BuildAndPaintWindow)->Unit(benchmark::kMillisecond);

void ChooseFonts(benchmark::State& state) {
  std::vector<const tavrelo::ui::FontSpec*> fonts;
  for (const ControlSpec& row : tavrelo::ui::ControlInventory()) {
    if (row.font != nullptr) fonts.push_back(row.font);
  }
  for (auto _ : state) {
    for (const auto* font : fonts) benchmark::DoNotOptimize(tavrelo::ui::ChooseFont(*font));
  }
}
BENCHMARK(ChooseFonts)->Unit(benchmark::kMicrosecond);

// Editable combo boxes with the inventory's lists, filled one way or the
// other.
template <bool kAtOnce>
void FillCombos(benchmark::State& state) {
  std::vector<const ControlSpec*> combos;
  std::vector<QStringList> lists;
  for (const ControlSpec& row : tavrelo::ui::ControlInventory()) {
    if (row.kind != ControlKind::ComboBox) continue;
    combos.push_back(&row);
    QStringList list;
    for (const std::string_view entry : row.list) list.append(ToQString(entry));
    lists.push_back(list);
  }
  for (auto _ : state) {
    QWidget parent;
    for (std::size_t i = 0; i < combos.size(); ++i) {
      auto* combo = new QComboBox(&parent);
      combo->setEditable(true);
      if constexpr (kAtOnce) {
        combo->addItems(lists[i]);
      } else {
        for (const std::string_view entry : combos[i]->list) combo->addItem(ToQString(entry));
      }
      combo->setCurrentIndex(-1);
    }
  }
  state.counters["combos"] = static_cast<double>(combos.size());
}
BENCHMARK(FillCombos<false>)->Name("FillCombos/OneByOne")->Unit(benchmark::kMillisecond);
BENCHMARK(FillCombos<true>)->Name("FillCombos/AtOnce")->Unit(benchmark::kMillisecond);

// What an editable combo box costs, by how it becomes editable: 24 combo
// boxes (as many as the window has), each with the 38 depths.
//   NotEditable             for scale
//   SetEditable             QComboBox::setEditable(true), which also builds
//                           the drop-down list's popup at once
//   SetEditableNoCompleter  the same, completer turned off (as ListComboBox)
//   SetLineEdit             QComboBox::setLineEdit(new QLineEdit): editable,
//                           the popup built when first opened
//   SetLineEditNoCompleter  the same, completer turned off
enum class ComboMaking { NotEditable, SetEditable, SetEditableNoCompleter, SetLineEdit, SetLineEditNoCompleter };

template <ComboMaking kMaking>
void MakeCombos(benchmark::State& state) {
  QStringList list;
  for (const std::string_view entry : tavrelo::ui::lists::kDepths) list.append(ToQString(entry));
  for (auto _ : state) {
    QWidget parent;
    for (int i = 0; i < 24; ++i) {
      auto* combo = new QComboBox(&parent);
      if constexpr (kMaking == ComboMaking::SetEditable || kMaking == ComboMaking::SetEditableNoCompleter) {
        combo->setEditable(true);
      } else if constexpr (kMaking != ComboMaking::NotEditable) {
        combo->setLineEdit(new QLineEdit(combo));
      }
      if constexpr (kMaking == ComboMaking::SetEditableNoCompleter || kMaking == ComboMaking::SetLineEditNoCompleter) {
        combo->setCompleter(nullptr);
      }
      combo->addItems(list);
    }
  }
}
BENCHMARK(MakeCombos<ComboMaking::NotEditable>)->Name("MakeCombos/NotEditable")->Unit(benchmark::kMillisecond);
BENCHMARK(MakeCombos<ComboMaking::SetEditable>)->Name("MakeCombos/SetEditable")->Unit(benchmark::kMillisecond);
BENCHMARK(MakeCombos<ComboMaking::SetEditableNoCompleter>)
    ->Name("MakeCombos/SetEditableNoCompleter")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(MakeCombos<ComboMaking::SetLineEdit>)->Name("MakeCombos/SetLineEdit")->Unit(benchmark::kMillisecond);
BENCHMARK(MakeCombos<ComboMaking::SetLineEditNoCompleter>)
    ->Name("MakeCombos/SetLineEditNoCompleter")
    ->Unit(benchmark::kMillisecond);

}  // namespace
