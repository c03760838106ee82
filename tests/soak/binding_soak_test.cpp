// A random user at the window of whichever binding the program is linked
// with, through the same FormDriver as the shared window cases: picks by
// pointer, arrow keys, typed texts good and bad (numbers, full-width digits,
// junk, very long, empty), Tab and Shift+Tab, Enter, Esc, Space, clicks on
// "计算", the result box's copying commands and, where the binding can, a
// move to a screen of another dpi. After every action the window is held to
// what the model says and to what the actions so far allow:
//   - every combo box shows the model's text and still holds its list;
//   - the rows of the layer table and the load field are shown as the last
//     pick of a layer count or a cause left them, in the model and on screen;
//   - Text1 shows the model's text, which changes only by a press: to the
//     sentence the core gives for the fields at that moment, or not at all
//     with exactly one message when the press must fail;
//   - Enter and Esc never press "计算", and typing never picks;
//   - Tab and Shift+Tab go to the next and the previous shown tab stop;
//   - the focus is on a shown control of the tab order;
//   - a copying command puts the press's text on the clipboard.
// A failure prints the seed, the step and the last actions; the same seed
// replays the same actions.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "tests/binding_cases/binding_test.h"
#include "tests/support/soak_plan.h"
#include "ui/form_handlers.h"
#include "ui/result_menu.h"
#include "ui/view_rules.h"

namespace tavrelo::ui {
namespace {

using testing_support::BindingTest;
using testing_support::DriverKey;
using testing_support::SentenceFor;

// Few enough for the test suite under Wine; TAVRELO_SOAK_ACTIONS for a long run.
constexpr int kDefaultActions = 300;
constexpr std::size_t kLogLength = 12;

enum class Act { Pick, Arrow, Type, Tab, Enter, Escape, Space, Click, Menu, Dpi, Count };
constexpr std::array<const char*, static_cast<std::size_t>(Act::Count)> kActNames = {
    "pointer pick", "arrow key", "typing", "tab", "enter", "escape", "space", "click 计算", "result menu", "dpi"};
// How many of every hundred actions are of each kind.
constexpr std::array<int, static_cast<std::size_t>(Act::Count)> kWeights = {26, 10, 24, 12, 4, 3, 4, 10, 5, 2};

class RandomUser : public BindingTest, public testing::WithParamInterface<std::uint64_t> {
 protected:
  RandomUser() {
    // The program's handlers, each with a note of what it saw: which entry
    // was picked, what a press read.
    for (const ControlSpec& row : model.Inventory()) {
      if (row.kind != ControlKind::ComboBox) continue;
      combos_.push_back(row.Key());
      model.OnSelect(row.Key(), [this, key = row.Key()] {
        picks_.push_back(key);
        if (key == controls::kLayerCount) Combo1_Click(model);
        if (key == controls::kCause) Combo5_Click(model);
      });
    }
    model.OnPress(controls::kCompute, [this] {
      presses_.push_back(ReadFrictionInput(model));
      Command1_Click(model);
    });
    tabOrder_ = model.TabOrder();
  }

  // --- Drawing ---------------------------------------------------------------

  std::size_t Below(std::size_t n) { return static_cast<std::size_t>(rng_() % n); }
  template <typename T>
  const T& Any(const std::vector<T>& items) {
    return items[Below(items.size())];
  }

  std::vector<ControlKey> ShownCombos() {
    std::vector<ControlKey> shown;
    for (const ControlKey key : combos_) {
      if (model.Visible(key)) shown.push_back(key);
    }
    return shown;
  }

  // A text a user might type into a field: mostly numbers, some in full
  // width, some junk, now and then empty or very long.
  std::string Text() {
    static const std::vector<std::string> kJunk = {"abc",   "1,5",  "2..0",     "-",    "+",          "e3",
                                                   "1e400", "0x10", "１７．５", "－３", "降低地下水", "地面有满布荷载 ",
                                                   "nan",   " "};
    switch (Below(10)) {
      case 0: return Any(kJunk);
      case 1: return "";
      case 2: return std::string(40 + Below(80), static_cast<char>('0' + Below(10)));
      default: {
        std::string number = std::to_string(Below(40));
        if (Below(2) == 0) number += "." + std::to_string(Below(100));
        if (Below(12) == 0) number.insert(0, "-");
        return number;
      }
    }
  }

  Act Draw() {
    int roll = static_cast<int>(Below(100));
    for (std::size_t i = 0; i < kWeights.size(); ++i) {
      roll -= kWeights[i];
      if (roll < 0) return static_cast<Act>(i);
    }
    return Act::Type;
  }

  // --- Acting ----------------------------------------------------------------

  // What an action must leave true, beyond what holds after any action.
  struct Expectation {
    bool mayPick = true;         // typing and Enter/Esc never pick
    bool mayPress = true;        // Enter and Esc never press
    bool mayEditResult = false;  // a key typed into Text1
    std::optional<std::string> focus;
    std::optional<std::size_t> copied;  // the form's command that copied
  };

  // The shown tab stop `steps` away from the focused one.
  std::optional<std::string> TabStopFrom(const std::string& focused, int steps) {
    std::vector<ControlKey> shown;
    for (const ControlKey key : tabOrder_) {
      if (model.Visible(key)) shown.push_back(key);
    }
    const auto at =
        std::find_if(shown.begin(), shown.end(), [&](ControlKey key) { return DisplayName(key) == focused; });
    if (at == shown.end() || shown.empty()) return std::nullopt;
    const auto size = static_cast<std::ptrdiff_t>(shown.size());
    const std::ptrdiff_t index = ((at - shown.begin() + steps) % size + size) % size;
    return DisplayName(shown[static_cast<std::size_t>(index)]);
  }

  Expectation Perform(Act act) {
    Expectation expect;
    const std::string focused = driver->Focused();
    switch (act) {
      case Act::Pick: {
        const ControlKey combo = Any(ShownCombos());
        const auto list = model.Row(combo).list;
        const std::string entry(list[Below(list.size())]);
        Note("pick " + entry + " in " + DisplayName(combo));
        driver->PickByPointer(combo, entry);
        break;
      }
      case Act::Arrow: {
        const bool down = Below(2) == 0;
        Note(std::string(down ? "Down" : "Up") + " in " + focused);
        driver->Key(down ? DriverKey::Down : DriverKey::Up);
        break;
      }
      case Act::Type: {
        const ControlKey combo = Any(ShownCombos());
        const std::string text = Text();
        Note("type \"" + (text.size() > 24 ? text.substr(0, 16) + "…" : text) + "\" into " + DisplayName(combo));
        driver->Type(combo, text);
        expect.mayPick = false;
        break;
      }
      case Act::Tab: {
        const bool back = Below(3) == 0;
        Note(std::string(back ? "Shift+Tab" : "Tab") + " from " + focused);
        expect.focus = TabStopFrom(focused, back ? -1 : 1);
        driver->Key(back ? DriverKey::ShiftTab : DriverKey::Tab);
        break;
      }
      case Act::Enter:
      case Act::Escape: {
        const bool enter = act == Act::Enter;
        Note(std::string(enter ? "Enter" : "Esc") + " in " + focused);
        driver->Key(enter ? DriverKey::Enter : DriverKey::Escape);
        expect.mayPick = false;
        expect.mayPress = false;
        expect.mayEditResult = enter && focused == DisplayName(controls::kResult);
        break;
      }
      case Act::Space:
        Note("Space in " + focused);
        driver->Key(DriverKey::Space);
        expect.mayEditResult = focused == DisplayName(controls::kResult);
        break;
      case Act::Click:
        Note("click 计算");
        driver->ClickCompute();
        break;
      case Act::Menu: {
        const std::size_t command = Below(model.Commands().size());
        const std::string_view text = model.Commands()[command].text;
        Note("result menu: " + std::string(text));
        if (driver->ChooseFromResultMenu(text)) expect.copied = command;
        expect.mayPick = false;
        expect.mayPress = false;
        break;
      }
      case Act::Dpi: {
        const int dpi = Below(2) == 0 ? 96 : 144;
        Note("move to a screen of " + std::to_string(dpi) + " dpi");
        driver->ChangeDpi(dpi);
        expect.mayPick = false;
        expect.mayPress = false;
        break;
      }
      case Act::Count: break;
    }
    return expect;
  }

  void Note(const std::string& action) {
    if (testing_support::SoakTrace()) std::printf("%d: %s\n", step_, action.c_str());
    log_.push_back(std::to_string(step_) + ": " + action);
    if (log_.size() > kLogLength) log_.pop_front();
  }

  // --- Checking ----------------------------------------------------------------

  // The last picks of a layer count and of a cause decide what is shown.
  void FollowPicks() {
    for (const ControlKey key : picks_) {
      const std::string& text = model.Text(key);
      if (key == controls::kLayerCount) {
        for (std::size_t n = 0; n < lists::kLayerCounts.size(); ++n) {
          if (text == lists::kLayerCounts[n]) rowsShown_ = static_cast<int>(n) + 1;
        }
      } else if (key == controls::kCause) {
        if (text == lists::kCauses[0]) loadShown_ = false;
        if (text == lists::kCauses[1]) loadShown_ = true;
      }
    }
  }

  bool ShouldBeShown(ControlKey key) const {
    for (int k = 1; k <= controls::kLayerRows; ++k) {
      const auto row = controls::LayerRow(k);
      if (std::find(row.begin(), row.end(), key) != row.end()) return k <= rowsShown_;
    }
    if (key == controls::kLoad || key == controls::kLoadLabel) return loadShown_;
    return true;
  }

  std::vector<std::string> Check(const Expectation& expect, const std::string& resultBefore,
                                 std::size_t messagesBefore) {
    std::vector<std::string> problems;
    if (!expect.mayPick && !picks_.empty()) problems.push_back("picked " + DisplayName(picks_.front()));
    if (!expect.mayPress && !presses_.empty()) problems.push_back("pressed 计算");

    for (const ControlKey key : combos_) {
      const std::string shown = driver->Shown(key);
      if (shown != model.Text(key)) {
        problems.push_back(DisplayName(key) + " shows \"" + shown + "\", the model holds \"" + model.Text(key) + "\"");
      }
      const auto list = model.Row(key).list;
      if (driver->ListEntries(key) != std::vector<std::string>(list.begin(), list.end())) {
        problems.push_back(DisplayName(key) + ": its list changed");
      }
    }
    for (const ControlSpec& row : model.Inventory()) {
      if (row.kind == ControlKind::Line || row.kind == ControlKind::Form) continue;
      const bool expected = ShouldBeShown(row.Key());
      if (model.Visible(row.Key()) != expected || driver->IsShown(row.Key()) != expected) {
        problems.push_back(DisplayName(row.Key()) + (expected ? " should be shown" : " should be hidden"));
      }
    }

    std::optional<std::string> focus = expect.focus;
    const std::string result = model.Text(controls::kResult);
    if (ToCrLf(driver->Shown(controls::kResult)) != result) problems.push_back("Text1 does not show the model's text");
    const std::size_t newMessages = driver->Messages().size() - messagesBefore;
    if (presses_.empty()) {
      if (result != resultBefore && !expect.mayEditResult) problems.push_back("Text1 changed without a press");
      if (newMessages != 0) problems.push_back("a message without a press");
    } else {
      const std::optional<std::string> sentence = SentenceFor(presses_.back());
      ++(sentence ? sentences_ : refusals_);
      if (sentence && result != *sentence) problems.push_back("the press should show \"" + *sentence + "\"");
      if (!sentence && result != resultBefore) problems.push_back("a press that must fail changed Text1");
      // The focus stays on the button, or goes to the shown field at fault.
      const FrictionInput& input = presses_.back();
      const auto problem = FindInputProblem(input, ComputeNegativeFriction(input));
      focus = DisplayName(problem && model.Visible(problem->field) ? problem->field : controls::kCompute);
      if (newMessages != (sentence ? 0U : 1U)) {
        problems.push_back(std::to_string(newMessages) + " messages after a press");
      }
    }

    const std::string focused = driver->Focused();
    const bool onStop = std::any_of(tabOrder_.begin(), tabOrder_.end(), [&](ControlKey key) {
      return DisplayName(key) == focused && driver->IsShown(key);
    });
    if (!onStop) problems.push_back("the focus is on " + focused);
    if (focus && focused != *focus) problems.push_back("the focus should be on " + *focus + ", it is on " + focused);
    if (expect.copied && ToCrLf(driver->ClipboardText()) != ToCrLf(model.CommandCopy(*expect.copied).text)) {
      problems.push_back("the clipboard does not hold what the menu copied");
    }
    return problems;
  }

  std::mt19937_64 rng_;
  std::vector<ControlKey> combos_;
  std::vector<ControlKey> tabOrder_;
  std::vector<ControlKey> picks_;       // during the current action
  std::vector<FrictionInput> presses_;  // during the current action
  int rowsShown_ = controls::kLayerRows;
  bool loadShown_ = true;
  std::deque<std::string> log_;
  int step_ = 0;
  std::array<int, static_cast<std::size_t>(Act::Count)> performed_{};
  int sentences_ = 0;
  int refusals_ = 0;
};

TEST_P(RandomUser, KeepsTheWindowConsistent) {
  rng_.seed(GetParam());
  const int actions = testing_support::SoakActions(kDefaultActions);
  for (step_ = 1; step_ <= actions; ++step_) {
    const std::string resultBefore = model.Text(controls::kResult);
    const std::size_t messagesBefore = driver->Messages().size();
    picks_.clear();
    presses_.clear();
    const Act act = Draw();
    ++performed_[static_cast<std::size_t>(act)];
    const Expectation expect = Perform(act);
    FollowPicks();
    const std::vector<std::string> problems = Check(expect, resultBefore, messagesBefore);
    if (!problems.empty()) FAIL() << testing_support::SoakFailure(GetParam(), step_, problems, log_);
  }

  testing_support::PrintSoakSummary(GetParam(), actions, kActNames, performed_, sentences_, refusals_);
  // A run that never reached a sentence, or never a refusal, proves little.
  EXPECT_GT(sentences_, 0);
  EXPECT_GT(refusals_, 0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomUser, testing::ValuesIn(testing_support::SoakSeeds({20261208})),
                         [](const auto& row) { return "Seed" + std::to_string(row.param); });

}  // namespace
}  // namespace tavrelo::ui
