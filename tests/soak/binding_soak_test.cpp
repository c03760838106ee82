// A random user at the window of whichever binding the program is linked
// with, through the same FormDriver as the shared window cases. Each seed
// drives a run of the actions a person takes: the typical use filled in;
// picks from the lists by pointer, from the open list by keyboard (F4,
// Alt+Down, the arrows, Enter, Esc) and by arrow key or wheel in the closed
// box; typing in ASCII, Chinese, full width and emoji, key by key or as an
// input method commits it, with or without a composition, over a selection
// or at the caret; huge pastes; the editing keys (Backspace, Delete,
// Ctrl+A, Home, End, the arrows, undo, redo, cut, copy, paste); Tab and
// Shift+Tab; clicks and double clicks into fields, clicks on labels,
// frames, lines and the form; Enter, Esc, Space; clicks on "计算"; the
// result box's copying commands; and, where the binding can, a move to a
// screen of another dpi. After every action the whole window is held to
// what the model says and to what that action may change:
//   - no list is left open, and every list still holds its entries, in order;
//   - every combo box shows the model's text; only the field typed into or
//     picked from has a new text, a pick the entry picked, typing exactly
//     the typed text in place of the selection (when it fits the field);
//   - typing, Enter, Esc, Tab, clicks into fields and on labels never pick;
//   - the rows of the layer table and the load field are shown as the last
//     pick of a layer count or a cause left them, in the model and on
//     screen, whatever was typed since; hidden rows keep their texts;
//   - Text1 shows the model's text, which changes only by typing into it or
//     by a press: to the sentence the core gives for the fields then shown,
//     or not at all, with exactly one message, when the press must fail; a
//     press happens exactly when "计算" is clicked or Space pressed on it,
//     never by Enter or Esc;
//   - the focus is on a shown tab stop, where the action must have put it
//     (Tab and Shift+Tab to the next and the previous shown one, a press on
//     the button or the field at fault);
//   - a copying command puts the press's report on the clipboard.
// A failure prints the seed, the step and the last actions; the same seed
// replays the same actions on the same binding.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <numeric>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "tests/binding_cases/binding_test.h"
#include "tests/support/soak_plan.h"
#include "ui/form_handlers.h"
#include "ui/view_rules.h"

namespace tavrelo::ui {
namespace {

using testing_support::BindingTest;
using testing_support::DriverKey;
using testing_support::OpenedList;
using testing_support::SentenceFor;
using testing_support::TextSelection;

// Short enough for the test suite under Wine and in the browser;
// TAVRELO_SOAK_ACTIONS (bench/soak.sh) for a long run.
constexpr int kDefaultActions = 300;
// From this many actions on, a run must have taken every kind of action.
constexpr int kEveryKindFrom = 5'000;
constexpr std::size_t kLogLength = 16;
// UTF-16 units of a huge paste: more than a Qt or a Windows edit field takes.
constexpr std::size_t kHugeLength = 100'000;

enum class Act {
  Fill,         // the typical use's picks by pointer and a press, one an action
  PointerPick,  // open a shown list with the pointer, click an entry
  ListKeys,     // open the focused field's list from the keyboard, move in
                // it, then Enter, or close it with Esc, F4 or Alt+Down
  ArrowKey,     // Up, Down, PageUp or PageDown wherever the focus is
  Wheel,        // turn the mouse wheel over a shown list field
  Typing,       // type or commit a text into the focused field
  EditKey,      // Backspace, Delete, select-all, cursor keys, clearing,
                // undo, redo, cut, copy, paste
  HugeText,     // 100,000 characters pasted at once
  TabKey,       // Tab or Shift+Tab
  ClickField,   // click or double-click into a shown field
  ClickStatic,  // click a label, a frame, a line or the form
  Enter,        // Return or keypad Enter wherever the focus is
  Escape,       // Esc wherever the focus is
  Click,        // click "计算"
  Space,        // Space wherever the focus is: a press on the button
  Menu,         // a copying command of the result box's menu
  Dpi,          // to a screen of 96 or 144 dpi, where the binding can
  Count
};
// Each kind as the summary names it, and how many of every hundred actions
// are of that kind; huge texts are drawn apart, one in kHugeOneIn.
struct ActKind {
  const char* name;
  int weight;
};
constexpr std::array<ActKind, static_cast<std::size_t>(Act::Count)> kActs = {{{"fill", 1},
                                                                              {"pointer pick", 19},
                                                                              {"list keys", 4},
                                                                              {"arrow key", 10},
                                                                              {"wheel", 3},
                                                                              {"typing", 22},
                                                                              {"edit key", 8},
                                                                              {"huge text", 0},
                                                                              {"tab", 8},
                                                                              {"field click", 5},
                                                                              {"static click", 2},
                                                                              {"enter", 3},
                                                                              {"escape", 3},
                                                                              {"click 计算", 6},
                                                                              {"space", 3},
                                                                              {"result menu", 2},
                                                                              {"dpi", 1}}};
static_assert(std::accumulate(kActs.begin(), kActs.end(), 0,
                              [](int sum, const ActKind& kind) { return sum + kind.weight; }) == 100);
constexpr auto kActNames = [] {
  std::array<const char*, kActs.size()> names{};
  for (std::size_t i = 0; i < kActs.size(); ++i) names[i] = kActs[i].name;
  return names;
}();
constexpr std::uint64_t kHugeOneIn = 400;

// UTF-16 units of a UTF-8 text, as the toolkits count a field's length.
std::size_t Utf16Length(std::string_view text) {
  std::size_t units = 0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte & 0xC0U) != 0x80U) units += byte >= 0xF0U ? 2 : 1;
  }
  return units;
}

// The text without its last character.
std::string DropLastCharacter(std::string text) {
  while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0U) == 0x80U) text.pop_back();
  if (!text.empty()) text.pop_back();
  return text;
}

// ASCII as its full-width forms, the blank as the ideographic space.
std::string FullWidth(std::string_view ascii) {
  std::string wide;
  for (const char c : ascii) {
    const auto point = c == ' ' ? 0x3000U : static_cast<unsigned>(c) - 0x20U + 0xFF00U;
    if (c != ' ' && (c <= 0x20 || c >= 0x7F)) {
      wide += c;
      continue;
    }
    wide += static_cast<char>(0xE0U | (point >> 12U));
    wide += static_cast<char>(0x80U | ((point >> 6U) & 0x3FU));
    wide += static_cast<char>(0x80U | (point & 0x3FU));
  }
  return wide;
}

// A text for the log: short, on one line.
std::string Brief(const std::string& text) {
  std::string shown;
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if ((byte & 0xC0U) != 0x80U && ++characters > 24) {
      shown += "…(" + std::to_string(Utf16Length(text)) + " units)";
      break;
    }
    if (text[i] == '\r') {
      shown += "␍";
    } else if (text[i] == '\n') {
      shown += "⏎";
    } else {
      shown += text[i];
    }
  }
  return "\"" + shown + "\"";
}

// A text and how it reaches the field.
struct Typing {
  enum class Way { Keys, Replace, Commit, Composed };
  std::string text;
  Way way = Way::Keys;
  std::string composing;  // what the input method shows before it commits
};

// What one action may change, and what it must leave.
struct Expectation {
  std::optional<ControlKey> pickIn;       // the one combo box a pick may happen in
  bool mustPick = false;                  // and one must
  std::optional<std::string> shows;       // the text a pick there must leave
  std::optional<ControlKey> edited;       // the field whose text may change
  std::optional<std::string> editedText;  // and what it must then show, when known
  bool press = false;                     // 计算 pressed, exactly when set
  std::vector<std::string> focus;         // where the focus may be afterwards; empty for any stop
  std::optional<std::size_t> copied;      // the form's command that copied
};

class RandomUser : public BindingTest, public testing::WithParamInterface<std::uint64_t> {
 protected:
  RandomUser() {
    // The program's handlers, each with a note of what it saw: which combo
    // box raised a pick, how many presses there were.
    for (const ControlSpec& row : model.Inventory()) {
      if (row.kind == ControlKind::ComboBox) {
        combos_.push_back(row.Key());
        model.OnSelect(row.Key(), [this, key = row.Key()] {
          picks_.push_back(key);
          if (key == controls::kLayerCount) Combo1_Click(model);
          if (key == controls::kCause) Combo5_Click(model);
        });
      } else if (row.kind == ControlKind::Label || row.kind == ControlKind::Frame || row.kind == ControlKind::Line ||
                 row.kind == ControlKind::Form) {
        statics_.push_back(row.Key());
      }
    }
    model.OnPress(controls::kCompute, [this] {
      presses_.push_back(ReadFrictionInput(model));
      Command1_Click(model);
    });
    tabOrder_ = model.TabOrder();
  }

  // --- Drawing ---------------------------------------------------------------

  std::size_t Below(std::size_t n) { return static_cast<std::size_t>(rng_() % n); }
  bool OneIn(std::uint64_t n) { return rng_() % n == 0; }
  template <typename T>
  T Any(const std::vector<T>& items) {
    return items[Below(items.size())];
  }
  std::string AnyOf(std::initializer_list<const char*> texts) {
    return *(texts.begin() + static_cast<std::ptrdiff_t>(Below(texts.size())));
  }
  std::string Entry(std::span<const std::string_view> list) { return std::string(list[Below(list.size())]); }

  Act Draw() {
    if (!planned_.empty()) return Act::Fill;
    if (OneIn(kHugeOneIn)) return Act::HugeText;
    int roll = static_cast<int>(Below(100));
    for (std::size_t i = 0; i < kActs.size(); ++i) {
      roll -= kActs[i].weight;
      if (roll < 0) return static_cast<Act>(i);
    }
    return Act::Typing;
  }

  // --- Texts a user types ----------------------------------------------------

  std::string Number() {
    const std::string whole = std::to_string(Below(41));
    const std::string tenths = std::to_string(Below(10));
    switch (Below(12)) {
      case 0: return whole;
      case 1: return whole + "." + tenths;
      case 2: return whole + "." + tenths + std::to_string(Below(10));
      case 3: return "-" + whole + "." + tenths;
      case 4: return "+" + whole;
      case 5: return "." + tenths;
      case 6: return whole + ".";
      case 7: return tenths + "e" + std::to_string(Below(3));
      case 8: return " " + whole + " ";
      case 9: return "0." + std::to_string(15 + Below(21));
      case 10: return AnyOf({"0", "0.0", "-0", "00"});
      default: return AnyOf({"1e400", "1.7e308", "1e-400", "-1e308", "3e38", "1e39"});
    }
  }

  std::string Pinyin() {
    std::string letters;
    for (std::size_t n = 2 + Below(10); n > 0; --n) letters += static_cast<char>('a' + Below(26));
    return letters;
  }

  std::string Emoji() { return AnyOf({"😀", "🏗️", "👷‍♀️", "🇨🇳", "𠀀", "🧱", "💧", "⛏", "🪨"}); }

  Typing TextFor(ControlKey field) {
    const std::span<const std::string_view> list =
        IsCombo(field) ? model.Row(field).list : lists::kAll[Below(lists::kAll.size())].entries;
    // Chinese through the input method, with its composition or without.
    const auto committed = [this](std::string text) {
      return OneIn(2) ? Typing{std::move(text), Typing::Way::Composed, Pinyin()}
                      : Typing{std::move(text), Typing::Way::Commit};
    };
    switch (Below(20)) {
      case 0:
      case 1:
      case 2:
      case 3:
      case 4:
      case 5: {
        std::string entry = Entry(list);
        return Utf16Length(entry) == entry.size() ? Typing{std::move(entry)} : committed(std::move(entry));
      }
      case 6:
      case 7:
      case 8:
      case 9: return {Number()};
      case 10: return {FullWidth(Number())};
      case 11: return {FullWidth(Entry(list))};
      case 12: return {AnyOf({"1", "2", "3", "4", "5", "2.00", "03", "5.", "+4", " 2 ", "6", "0", "2.5", "-1"})};
      case 13: {
        std::string cause(lists::kCauses[Below(2)]);
        if (OneIn(4)) cause += OneIn(2) ? " " : "　";
        if (OneIn(4)) cause = DropLastCharacter(cause);
        return OneIn(3) ? Typing{cause} : Typing{cause, Typing::Way::Composed, Pinyin()};
      }
      case 14:
        return {AnyOf({"粘土", "层", "米", "千牛", "土层厚", "持力层", "降低", "地下水", "负摩阻力", "计算"}),
                Typing::Way::Composed, Pinyin()};
      case 15:
      case 16:
        return {AnyOf({"abc", "1,5", "2..0", "e", "-", "x1", "1 2", "0x10", "inf", "nan", "1e", "--1", "3.0.0", "kn/m2",
                       "Tavrelo"})};
      case 17: return {Emoji()};
      case 18: return {Number() + Emoji() + AnyOf({"层", "米", "ξn", "σ"})};
      default: return {AnyOf({"0", "1", "2", "5", "9", ".", "-"})};
    }
  }

  std::string HugeText() {
    switch (Below(3)) {
      case 0: return "2." + std::string(kHugeLength - 2, '0');
      case 1: return std::string(kHugeLength - 1, '0') + "3";
      default: {
        std::string text;
        std::size_t units = 0;
        while (units < kHugeLength) {
          const std::string piece = AnyOf({"17.5", "降低地下水", "１２．５", "😀", "abc ", "粘土", "𠀀", "0"});
          text += piece;
          units += Utf16Length(piece);
        }
        return text;
      }
    }
  }

  // --- The window ------------------------------------------------------------

  bool IsCombo(ControlKey key) const { return model.Row(key).kind == ControlKind::ComboBox; }
  bool IsField(ControlKey key) const { return IsCombo(key) || key == controls::kResult; }

  // The control the focus is on, if it is one of the form's tab stops.
  std::optional<ControlKey> FocusedStop() {
    const std::string focused = driver->Focused();
    for (const ControlKey key : tabOrder_) {
      if (DisplayName(key) == focused) return key;
    }
    return std::nullopt;
  }
  std::optional<ControlKey> FocusedField() {
    const auto focused = FocusedStop();
    return focused && IsField(*focused) ? focused : std::nullopt;
  }
  std::optional<ControlKey> FocusedCombo() {
    const auto focused = FocusedStop();
    return focused && IsCombo(*focused) ? focused : std::nullopt;
  }

  std::vector<ControlKey> ShownCombos() const {
    std::vector<ControlKey> shown;
    for (const ControlKey key : combos_) {
      if (model.Visible(key)) shown.push_back(key);
    }
    return shown;
  }

  // The shown tab stop `steps` away from `from`, round the end.
  std::optional<std::string> TabStopFrom(ControlKey from, int steps) const {
    std::vector<ControlKey> shown;
    for (const ControlKey key : tabOrder_) {
      if (model.Visible(key)) shown.push_back(key);
    }
    const auto at = std::find(shown.begin(), shown.end(), from);
    if (at == shown.end()) return std::nullopt;
    const auto size = static_cast<std::ptrdiff_t>(shown.size());
    const std::ptrdiff_t index = ((at - shown.begin() + steps) % size + size) % size;
    return DisplayName(shown[static_cast<std::size_t>(index)]);
  }

  // What typing `typed` into the focused field must leave there: it in
  // place of the selection, when the result fits the field.
  std::optional<std::string> AfterTyping(ControlKey field, const std::string& typed) {
    const std::string text = driver->Shown(field);
    const TextSelection selection = driver->SelectionOf(field);
    if (selection.start > selection.end || selection.end > text.size()) return std::nullopt;
    std::string after = text.substr(0, selection.start) + typed + text.substr(selection.end);
    const int limit = driver->TextLimit(field);
    if (limit >= 0 && Utf16Length(after) > static_cast<std::size_t>(limit)) return std::nullopt;
    return after;
  }

  // --- Acting ----------------------------------------------------------------

  void Note(const std::string& what) {
    std::string line = "#" + std::to_string(step_) + " [" + driver->Focused() + "] " + what;
    if (testing_support::SoakTrace()) std::printf("%s\n", line.c_str());
    log_.push_back(std::move(line));
    if (log_.size() > kLogLength) log_.pop_front();
  }

  static std::vector<std::string> At(ControlKey key) { return {DisplayName(key)}; }
  static std::vector<std::string> At(const std::optional<ControlKey>& key) {
    return key ? At(*key) : std::vector<std::string>{};
  }

  // An engineer fills the form as in the typical use and presses "计算":
  // the next of those picks, or the press.
  Expectation Fill() {
    if (planned_.empty()) {
      planned_.assign(testing_support::kTypicalUse.begin(), testing_support::kTypicalUse.end());
      planned_.push_back({controls::kCompute, {}});
    }
    const testing_support::EntryPick pick = planned_.front();
    planned_.pop_front();
    if (pick.control == controls::kCompute) return ClickCompute();
    if (!model.Visible(pick.control)) return PointerPick();
    return PointerPick(pick.control, std::string(pick.entry));
  }

  Expectation PointerPick() {
    const ControlKey combo = Any(ShownCombos());
    return PointerPick(combo, Entry(model.Row(combo).list));
  }

  Expectation PointerPick(ControlKey combo, const std::string& entry) {
    Note("pick " + Brief(entry) + " in " + DisplayName(combo) + " by pointer");
    driver->PickByPointer(combo, entry);
    return {.pickIn = combo, .mustPick = true, .shows = entry, .focus = At(combo)};
  }

  // Enter picks the highlighted entry, if any; on the way there the arrows
  // may pick too (Windows picks as the highlight moves), and Esc may leave
  // what they picked.
  Expectation ListKeys() {
    const auto combo = FocusedCombo();
    if (!combo) return ClickField();
    const std::string name = DisplayName(*combo);
    const DriverKey opener = OneIn(2) ? DriverKey::F4 : DriverKey::AltDown;
    std::string keys(KeyName(opener));
    Expectation expect{.pickIn = combo, .focus = At(combo)};
    driver->Key(opener);
    const std::optional<OpenedList> opened = driver->OpenList();
    if (!opened || opened->combo != name) {
      Note(keys + " in " + name);
      actionProblems_.push_back(keys + " did not open the list of " + name);
      return expect;
    }
    constexpr std::array<DriverKey, 4> kMoves = {DriverKey::Down, DriverKey::Up, DriverKey::PageDown,
                                                 DriverKey::PageUp};
    for (std::size_t n = Below(6); n > 0; --n) {
      const DriverKey move = kMoves[Below(kMoves.size())];
      keys += ", " + std::string(KeyName(move));
      driver->Key(move);
    }
    if (!OneIn(4)) {
      const std::optional<OpenedList> list = driver->OpenList();
      const auto entries = model.Row(*combo).list;
      if (list && list->highlighted >= 0 && static_cast<std::size_t>(list->highlighted) < entries.size()) {
        expect.mustPick = true;
        expect.shows = std::string(entries[static_cast<std::size_t>(list->highlighted)]);
      }
      keys += ", Enter";
      driver->Key(DriverKey::Enter);
    }
    if (driver->OpenList()) {
      // Closing the list without a pick.
      constexpr std::array<DriverKey, 3> kClosers = {DriverKey::Escape, DriverKey::F4, DriverKey::AltDown};
      const DriverKey closer = kClosers[Below(kClosers.size())];
      keys += ", " + std::string(KeyName(closer));
      driver->Key(closer);
    }
    Note(keys + " in the list of " + name + (expect.shows ? " (picks " + Brief(*expect.shows) + ")" : ""));
    return expect;
  }

  // One step from the entry the box shows picked, not past either end: at
  // an end nothing changes, or that entry is picked once more (as Windows
  // does, also when a text typed since stands in the field). A box that
  // shows none picked may pick any entry; PageUp and PageDown may step as
  // Up and Down do, or do nothing.
  void StepFrom(ControlKey combo, int by, bool exact, Expectation& expect) {
    const int current = driver->ShownIndex(combo);
    const auto list = model.Row(combo).list;
    const int next = current + by;
    expect.pickIn = combo;
    if (!exact || current < 0 || static_cast<std::size_t>(current) >= list.size()) return;
    if (next >= 0 && static_cast<std::size_t>(next) < list.size()) {
      expect.mustPick = true;
      expect.shows = std::string(list[static_cast<std::size_t>(next)]);
    } else {
      expect.shows = std::string(list[static_cast<std::size_t>(current)]);
    }
  }

  Expectation ArrowKey() {
    constexpr std::array<DriverKey, 4> kKeys = {DriverKey::Up, DriverKey::Down, DriverKey::PageUp, DriverKey::PageDown};
    const DriverKey key = kKeys[Below(kKeys.size())];
    const auto focused = FocusedStop();
    Expectation expect;
    // On the button the arrows may move the focus, as in a dialog.
    if (focused && *focused != controls::kCompute) expect.focus = At(focused);
    if (focused && IsCombo(*focused)) {
      const bool up = key == DriverKey::Up || key == DriverKey::PageUp;
      StepFrom(*focused, up ? -1 : 1, key == DriverKey::Up || key == DriverKey::Down, expect);
    }
    Note(std::string(KeyName(key)) + (expect.shows ? " (picks " + Brief(*expect.shows) + ")" : ""));
    driver->Key(key);
    return expect;
  }

  // The wheel steps as the arrows do: towards the top of the list when
  // turned away from the user.
  Expectation Wheel() {
    const ControlKey combo = Any(ShownCombos());
    const bool up = OneIn(2);
    Expectation expect{.focus = At(combo)};
    StepFrom(combo, up ? -1 : 1, true, expect);
    Note(std::string("wheel ") + (up ? "up" : "down") + " over " + DisplayName(combo) +
         (expect.shows ? " (picks " + Brief(*expect.shows) + ")" : ""));
    driver->Wheel(combo, up);
    return expect;
  }

  Expectation Type() {
    const auto field = FocusedField();
    if (!field) return ClickField();
    Typing typing = TextFor(*field);
    if (typing.way == Typing::Way::Keys && IsCombo(*field) && OneIn(4)) typing.way = Typing::Way::Replace;
    const bool selectAll = typing.way != Typing::Way::Replace && OneIn(2);
    static constexpr std::array<const char*, 4> kWays = {"keys", "replacing the field's text", "one commit",
                                                         "a composition and its commit"};
    Note("type " + Brief(typing.text) + " by " + kWays[static_cast<std::size_t>(typing.way)] +
         (selectAll ? ", after Ctrl+A" : ""));
    if (selectAll) driver->Key(DriverKey::CtrlA);
    Expectation expect{.edited = field, .focus = At(field)};
    switch (typing.way) {
      case Typing::Way::Keys:
        expect.editedText = AfterTyping(*field, typing.text);
        driver->TypeHere(typing.text);
        break;
      case Typing::Way::Replace: {
        const int limit = driver->TextLimit(*field);
        if (limit < 0 || Utf16Length(typing.text) <= static_cast<std::size_t>(limit)) expect.editedText = typing.text;
        driver->Type(*field, typing.text);
        break;
      }
      case Typing::Way::Commit:
      case Typing::Way::Composed:
        expect.editedText = AfterTyping(*field, typing.text);
        driver->Commit(typing.text, typing.way == Typing::Way::Composed ? typing.composing : "");
        break;
    }
    return expect;
  }

  Expectation EditKey() {
    const auto focused = FocusedStop();
    const auto field = FocusedField();
    Expectation expect{.focus = At(focused)};
    const auto keys = [this](std::initializer_list<DriverKey> pressed, std::size_t times = 1) {
      std::string names;
      for (std::size_t i = 0; i < times; ++i) {
        for (const DriverKey key : pressed) names += (names.empty() ? "" : ", ") + std::string(KeyName(key));
      }
      Note(names);
      for (std::size_t i = 0; i < times; ++i) {
        for (const DriverKey key : pressed) driver->Key(key);
      }
    };
    const std::size_t times = 1 + Below(3);
    switch (Below(11)) {
      case 0:
        expect.edited = field;
        keys({DriverKey::Backspace}, times);
        break;
      case 1:
        expect.edited = field;
        keys({DriverKey::Delete}, times);
        break;
      case 2:
        expect.edited = field;
        if (field) expect.editedText = "";
        keys({DriverKey::CtrlA, DriverKey::Delete});
        break;
      case 3: keys({DriverKey::CtrlA}); break;
      case 4: keys({DriverKey::Home}); break;
      case 5: keys({DriverKey::End}); break;
      case 6:
      case 7:
        if (!field) expect.focus.clear();  // on the button the arrows may move the focus
        keys({OneIn(2) ? DriverKey::Left : DriverKey::Right}, times);
        break;
      case 8:
        expect.edited = field;
        keys({Any(std::vector{DriverKey::CtrlZ, DriverKey::CtrlShiftZ, DriverKey::CtrlY})});
        break;
      case 9: keys({DriverKey::CtrlC}); break;
      default:
        expect.edited = field;
        keys({OneIn(2) ? DriverKey::CtrlX : DriverKey::CtrlV});
        break;
    }
    return expect;
  }

  Expectation Huge() {
    const auto field = FocusedField();
    if (!field) return ClickField();
    const std::string text = HugeText();
    const bool selectAll = OneIn(2);
    Note("paste " + Brief(text) + (selectAll ? ", after Ctrl+A" : ""));
    if (selectAll) driver->Key(DriverKey::CtrlA);
    Expectation expect{.edited = field, .editedText = AfterTyping(*field, text), .focus = At(field)};
    driver->PutOnClipboard(text);
    driver->Key(DriverKey::CtrlV);
    driver->PutOnClipboard("17.5");  // the user copies something else
    return expect;
  }

  Expectation TabKey() {
    const bool back = OneIn(3);
    const auto focused = FocusedStop();
    Expectation expect;
    if (focused) {
      if (const auto next = TabStopFrom(*focused, back ? -1 : 1)) expect.focus = {*next};
    }
    Note(back ? "Shift+Tab" : "Tab");
    driver->Key(back ? DriverKey::ShiftTab : DriverKey::Tab);
    return expect;
  }

  Expectation ClickField() {
    std::vector<ControlKey> fields = ShownCombos();
    fields.push_back(controls::kResult);
    const ControlKey field = Any(fields);
    const bool twice = OneIn(4);
    Note(std::string(twice ? "double-click" : "click") + " into " + DisplayName(field));
    if (twice) {
      driver->DoubleClick(field);
    } else {
      driver->Click(field);
    }
    return {.focus = At(field)};
  }

  // The focus stays where it is; a click on a field's label may put it into
  // that field, as a web page's label does.
  Expectation ClickStatic() {
    std::vector<ControlKey> shown;
    for (const ControlKey key : statics_) {
      const ControlSpec& row = model.Row(key);
      if (model.Visible(key) && (row.container.empty() || model.Visible({row.container}))) shown.push_back(key);
    }
    const ControlKey key = Any(shown);
    Expectation expect{.focus = At(FocusedStop())};
    const ControlKey labelled = model.Row(key).labelFor;
    if (!expect.focus.empty() && !labelled.name.empty() && model.Visible(labelled)) {
      expect.focus.push_back(DisplayName(labelled));
    }
    Note("click " + DisplayName(key));
    driver->Click(key);
    return expect;
  }

  // A new line in the result box; anywhere else Enter does nothing.
  Expectation EnterKey() {
    const auto focused = FocusedStop();
    const bool keypad = OneIn(3);
    Note(keypad ? "keypad Enter" : "Enter");
    Expectation expect{.focus = At(focused)};
    if (focused == controls::kResult) {
      expect.edited = focused;
      expect.editedText = AfterTyping(controls::kResult, "\r\n");
    }
    driver->Key(keypad ? DriverKey::KeypadEnter : DriverKey::Enter);
    return expect;
  }

  Expectation EscapeKey() {
    Note("Esc");
    Expectation expect{.focus = At(FocusedStop())};
    driver->Key(DriverKey::Escape);
    return expect;
  }

  Expectation ClickCompute() {
    Note("click 计算");
    driver->ClickCompute();
    return {.press = true};
  }

  Expectation SpaceKey() {
    const auto focused = FocusedStop();
    Expectation expect{.focus = At(focused)};
    if (focused == controls::kCompute) {
      Note("Space on 计算");
      expect.press = true;
      expect.focus.clear();
    } else {
      Note("Space");
      if (focused && IsField(*focused)) {
        expect.edited = focused;
        expect.editedText = AfterTyping(*focused, " ");
      }
    }
    driver->Key(DriverKey::Space);
    return expect;
  }

  Expectation Menu() {
    const std::size_t command = Below(model.Commands().size());
    const std::string_view text = model.Commands()[command].text;
    Note("result menu: " + std::string(text));
    Expectation expect;
    if (!driver->ChooseFromResultMenu(text)) return expect;
    if (!model.CommandCopy(command).text.empty()) {
      expect.copied = command;
      return expect;
    }
    // An item that copies nothing opens a window of its own: the user sees
    // it come up, then closes it with its frame's close button.
    for (FormModel* form : program.Forms().subspan(1)) {
      const ControlKey window = form->FormKey();
      if (!form->Visible(window)) continue;
      if (!driver->IsShown(window)) actionProblems_.push_back("the menu did not bring up " + DisplayName(window));
      driver->Close(window);
      if (driver->IsShown(window)) actionProblems_.push_back(DisplayName(window) + " did not close");
    }
    return expect;
  }

  Expectation Dpi() {
    const int dpi = OneIn(2) ? 96 : 144;
    Note("move to a screen of " + std::to_string(dpi) + " dpi");
    Expectation expect{.focus = At(FocusedStop())};
    driver->ChangeDpi(dpi);
    return expect;
  }

  Expectation Perform(Act act) {
    switch (act) {
      case Act::Fill: return Fill();
      case Act::PointerPick: return PointerPick();
      case Act::ListKeys: return ListKeys();
      case Act::ArrowKey: return ArrowKey();
      case Act::Wheel: return Wheel();
      case Act::Typing: return Type();
      case Act::EditKey: return EditKey();
      case Act::HugeText: return Huge();
      case Act::TabKey: return TabKey();
      case Act::ClickField: return ClickField();
      case Act::ClickStatic: return ClickStatic();
      case Act::Enter: return EnterKey();
      case Act::Escape: return EscapeKey();
      case Act::Click: return ClickCompute();
      case Act::Space: return SpaceKey();
      case Act::Menu: return Menu();
      case Act::Dpi: return Dpi();
      case Act::Count: break;
    }
    return {};
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

  struct Snapshot {
    std::vector<std::string> combos;  // the model's texts, in combos_ order
    std::string result;
    std::size_t messages = 0;
  };

  Snapshot Take() const {
    Snapshot snapshot{.result = model.Text(controls::kResult), .messages = driver->Messages().size()};
    for (const ControlKey key : combos_) snapshot.combos.push_back(model.Text(key));
    return snapshot;
  }

  void CheckPicks(const Expectation& expect, std::vector<std::string>& problems) const {
    for (const ControlKey key : picks_) {
      if (key != expect.pickIn) {
        problems.push_back("picked in " + DisplayName(key) + ", which this action cannot pick in");
        break;
      }
    }
    if (expect.mustPick && picks_.empty()) problems.push_back("no pick in " + DisplayName(*expect.pickIn));
    if (expect.shows && !picks_.empty() && model.Text(*expect.pickIn) != *expect.shows) {
      problems.push_back(DisplayName(*expect.pickIn) + ": picking " + Brief(*expect.shows) + " left " +
                         Brief(model.Text(*expect.pickIn)));
    }
  }

  void CheckCombos(const Snapshot& before, const Expectation& expect, std::vector<std::string>& problems) {
    for (std::size_t i = 0; i < combos_.size(); ++i) {
      const ControlKey key = combos_[i];
      const std::string name = DisplayName(key);
      const auto list = model.Row(key).list;
      if (driver->ListEntries(key) != std::vector<std::string>(list.begin(), list.end())) {
        problems.push_back(name + ": its list changed");
      }
      const std::string& text = model.Text(key);
      const std::string shown = driver->Shown(key);
      if (shown != text) problems.push_back(name + ": the model holds " + Brief(text) + ", it shows " + Brief(shown));
      const bool edited = expect.edited == key;
      if (text != before.combos[i] && !edited && !(expect.pickIn == key && !picks_.empty())) {
        problems.push_back(name + ": changed from " + Brief(before.combos[i]) + " to " + Brief(text) +
                           " though neither typed into nor picked");
      }
      if (edited && expect.editedText && shown != *expect.editedText) {
        problems.push_back(name + ": typing should give " + Brief(*expect.editedText) + ", it shows " + Brief(shown));
      }
    }
  }

  void CheckVisibility(std::vector<std::string>& problems) {
    for (const ControlSpec& row : model.Inventory()) {
      if (row.kind == ControlKind::Line) continue;  // pixels of its frame
      const bool expected = ShouldBeShown(row.Key());
      const bool inModel = model.Visible(row.Key());
      const bool onScreen = driver->IsShown(row.Key());
      if (inModel != expected || onScreen != expected) {
        problems.push_back(DisplayName(row.Key()) + (expected ? " should be shown" : " should be hidden") + ", model " +
                           (inModel ? "shown" : "hidden") + ", screen " + (onScreen ? "shown" : "hidden"));
      }
    }
  }

  // Text1 and the presses; returns where a press left the focus, if one did.
  std::optional<std::string> CheckResult(const Snapshot& before, const Expectation& expect,
                                         std::vector<std::string>& problems) {
    const std::string& result = model.Text(controls::kResult);
    const std::string shown = driver->Shown(controls::kResult);
    if (shown != result) {
      problems.push_back("Text1: the model holds " + Brief(result) + ", the box shows " + Brief(shown));
    }
    const std::size_t newMessages = driver->Messages().size() - before.messages;
    if (!expect.press && !presses_.empty()) problems.push_back("pressed 计算");
    if (expect.press && presses_.empty()) problems.push_back("计算 was not pressed");
    if (presses_.empty()) {
      if (newMessages != 0) problems.push_back("a message without a press: " + driver->Messages().back().text);
      const bool typedInto = expect.edited == controls::kResult;
      if (!typedInto && result != before.result) {
        problems.push_back("Text1 changed from " + Brief(before.result) + " to " + Brief(result) +
                           " without typing or a press");
      }
      if (typedInto && expect.editedText && shown != *expect.editedText) {
        problems.push_back("Text1: typing should give " + Brief(*expect.editedText) + ", it shows " + Brief(shown));
      }
      return std::nullopt;
    }
    std::size_t refused = 0;
    for (const FrictionInput& input : presses_) {
      const std::optional<std::string> sentence = SentenceFor(input);
      ++(sentence ? sentences_ : refusals_);
      if (!sentence) ++refused;
    }
    const FrictionInput& last = presses_.back();
    const std::optional<std::string> sentence = SentenceFor(last);
    if (sentence && result != *sentence) {
      problems.push_back("the press should show " + Brief(*sentence) + ", Text1 holds " + Brief(result));
    }
    if (!sentence && result != before.result) {
      problems.push_back("a press that must fail changed Text1 from " + Brief(before.result) + " to " + Brief(result));
    }
    if (newMessages != refused) {
      problems.push_back(std::to_string(newMessages) + " messages after " + std::to_string(presses_.size()) +
                         " presses, " + std::to_string(refused) + " of which must fail");
    }
    // The focus stays on the button, or goes to the shown field at fault.
    const auto problem = FindInputProblem(last, ComputeNegativeFriction(last));
    return DisplayName(problem && model.Visible(problem->field) ? problem->field : controls::kCompute);
  }

  void CheckFocus(const Expectation& expect, const std::optional<std::string>& afterPress,
                  std::vector<std::string>& problems) {
    const std::string focused = driver->Focused();
    const bool onStop = std::any_of(tabOrder_.begin(), tabOrder_.end(), [&](ControlKey key) {
      return DisplayName(key) == focused && driver->IsShown(key);
    });
    if (!onStop) problems.push_back("the focus is on " + focused + ", not on a shown field or the button");
    const std::vector<std::string> allowed = afterPress ? std::vector{*afterPress} : expect.focus;
    if (!allowed.empty() && std::find(allowed.begin(), allowed.end(), focused) == allowed.end()) {
      std::string where;
      for (const std::string& each : allowed) where += (where.empty() ? "" : " or ") + each;
      problems.push_back("the focus should be on " + where + ", it is on " + focused);
    }
  }

  std::vector<std::string> Check(const Snapshot& before, const Expectation& expect) {
    std::vector<std::string> problems = std::move(actionProblems_);
    actionProblems_.clear();
    if (const std::optional<OpenedList> open = driver->OpenList()) {
      problems.push_back("the list of " + open->combo + " is still open");
    }
    CheckPicks(expect, problems);
    CheckCombos(before, expect, problems);
    CheckVisibility(problems);
    const std::optional<std::string> afterPress = CheckResult(before, expect, problems);
    CheckFocus(expect, afterPress, problems);
    if (expect.copied && ToCrLf(driver->ClipboardText()) != ToCrLf(model.CommandCopy(*expect.copied).text)) {
      problems.push_back("the clipboard does not hold what the menu copied");
    }
    return problems;
  }

  std::string Report(const std::vector<std::string>& problems) const {
    std::string report = testing_support::SoakFailure(GetParam(), step_, problems, log_);
    report += "fields now:";
    for (const ControlKey key : combos_)
      report.append(" ").append(DisplayName(key)).append("=").append(Brief(model.Text(key)));
    return report.append("\nText1 now: ").append(Brief(model.Text(controls::kResult))).append("\n");
  }

  std::mt19937_64 rng_;
  std::vector<ControlKey> combos_;
  std::vector<ControlKey> statics_;
  std::vector<ControlKey> tabOrder_;
  std::vector<ControlKey> picks_;       // during the current action
  std::vector<FrictionInput> presses_;  // during the current action
  std::vector<std::string> actionProblems_;
  std::deque<testing_support::EntryPick> planned_;  // the rest of a fill (计算 for its press)
  // What the last matching picks have shown: rows 1 to rowsShown_, the load field.
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
  int done = 0;
  for (step_ = 1; step_ <= actions; ++step_) {
    const Snapshot before = Take();
    picks_.clear();
    presses_.clear();
    const Act act = Draw();
    ++performed_[static_cast<std::size_t>(act)];
    const Expectation expect = Perform(act);
    FollowPicks();
    const std::vector<std::string> problems = Check(before, expect);
    if (!problems.empty() || HasFailure()) {
      ADD_FAILURE() << Report(problems);
      break;
    }
    done = step_;
  }

  const bool failed = HasFailure();
  testing_support::PrintSoakSummary(GetParam(), done, kActNames, performed_, sentences_, refusals_, failed ? 1 : 0);
  if (failed) return;
  // A run that never reached a sentence, or never a refusal, or skipped a
  // kind of action, proves little.
  EXPECT_GT(sentences_, 0);
  EXPECT_GT(refusals_, 0);
  if (actions >= kEveryKindFrom) {
    for (std::size_t i = 0; i < performed_.size(); ++i) EXPECT_GT(performed_[i], 0) << kActNames[i];
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomUser, testing::ValuesIn(testing_support::SoakSeeds({20261208})),
                         [](const auto& row) { return "Seed" + std::to_string(row.param); });

}  // namespace
}  // namespace tavrelo::ui
