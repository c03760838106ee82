// A random user at the real window. Each seed drives thousands of actions a
// person could take (picks from the lists by pointer and by keyboard, typing
// in ASCII, Chinese, full width and emoji, huge pastes, Tab and Shift+Tab,
// clicks, Enter, Esc, presses of "计算") and after every one of them the
// whole window is checked against what that action may change:
//   - every list still holds its entries, in order;
//   - the model's text of every combo box is what the field shows, and only
//     the field typed into or picked from has a new text;
//   - the rows of the layer table and the load field are shown as the last
//     matching pick left them, whatever was typed since;
//   - Text1 changes only by typing into it or by a press; after a press it
//     holds exactly the sentence the core composes from the fields, or, when
//     the press fails, it is unchanged and one message was shown;
//   - the focus is on a visible field or on the button, where the action
//     must have put it.
// On a failure the seed, the step and the last actions are printed; the same
// seed replays the same actions.
#include <QAbstractItemView>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <map>
#include <numeric>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/negative_friction.h"
#include "tests/qt/window_fixture.h"
#include "tests/support/soak_plan.h"
#include "ui/view_rules.h"

namespace tavrelo::ui {
namespace {

using testing_support::AwaitExposed;
using testing_support::CommitAsInputMethod;
using testing_support::KeyTarget;
using testing_support::SentenceFor;
using testing_support::TypeAsUser;
using testing_support::WindowTest;

constexpr int kDefaultActions = 10'000;
constexpr std::size_t kLogLength = 20;
constexpr qsizetype kHugeLength = 100'000;

constexpr std::string_view kGroundwater = lists::kCauses[0];
constexpr std::string_view kSurfaceLoad = lists::kCauses[1];
constexpr ControlKey kResult = controls::kResult;
constexpr ControlKey kButton = controls::kCompute;

QString ToQ(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Text1 keeps CR LF in the model and shows LF.
QString AsShown(const std::string& text) { return ToQ(ToLf(text)); }

// A text for the log: short, on one line.
std::string Brief(const QString& text) {
  QString shown = text.size() > 40 ? text.left(24) + QStringLiteral("…(%1 chars)").arg(text.size()) : text;
  shown.replace(QLatin1Char('\n'), QStringLiteral("⏎")).replace(QLatin1Char('\r'), QStringLiteral("␍"));
  return "\"" + shown.toStdString() + "\"";
}
std::string Brief(const std::string& text) { return Brief(ToQ(text)); }

// QTest warns of every key a widget ignores (Esc in a field, Up on the
// button); a random user presses thousands of them.
QtMessageHandler previousHandler = nullptr;
void QuietIgnoredKeys(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("Keyboard event not accepted"))) return;
  if (previousHandler != nullptr) previousHandler(type, context, message);
}

enum class Act {
  PointerPick,  // open a visible list with the pointer, click an entry
  PopupKeys,    // open the focused field's list from the keyboard, move in
                // it, then Enter, or close it with Esc, F4 or Alt+Down
  ArrowKey,     // Up, Down, PageUp or PageDown wherever the focus is
  Wheel,        // turn the mouse wheel over a visible list field
  Type,         // type or commit a text into the focused field
  EditKey,      // Backspace, Delete, select-all, cursor keys, clearing,
                // undo, redo, cut, copy, paste
  HugeText,     // 100,000 characters at once: one commit or a paste
  TabKey,       // Tab or Shift+Tab
  ClickField,   // click or double-click into a visible field
  ClickStatic,  // click a label, a frame, a line or the window
  Enter,        // Return or Enter wherever the focus is
  Escape,       // Esc wherever the focus is
  MousePress,   // click "计算"
  Space,        // Space wherever the focus is: a press on the button
  Count
};

constexpr std::array<const char*, static_cast<std::size_t>(Act::Count)> kActNames = {
    "pointer pick", "list keys",   "arrow key",    "wheel", "typing", "edit key",    "huge text",
    "tab",          "field click", "static click", "enter", "escape", "mouse press", "space"};

// How many of every hundred actions are of each kind.
constexpr std::array<int, static_cast<std::size_t>(Act::Count)> kWeights = {21, 4, 11, 3, 22, 9, 0,
                                                                            7,  6, 1,  3, 3,  7, 3};
static_assert(std::accumulate(kWeights.begin(), kWeights.end(), 0) == 100);
// And one in this many is a huge text.
constexpr std::uint64_t kHugeOneIn = 800;

struct Typing {
  enum class Way { Keys, PerCodePoint, Whole, Composed };
  QString text;
  Way way = Way::Keys;
  QString preedit;  // what the input method shows before it commits
};

// What one action may change, and what it must leave.
struct Expectation {
  std::optional<ControlKey> edited;                  // the field whose text may change
  std::optional<QString> editedText;                 // and what it must then show, when known
  std::optional<std::pair<ControlKey, int>> picked;  // a list entry that must have been picked
  std::optional<FrictionInput> press;                // the fields at the moment of a press
  std::optional<ControlKey> focus;                   // where the focus must be afterwards
};

struct Snapshot {
  std::vector<std::string> combos;  // in combos_ order
  std::string result;
  std::size_t messages = 0;
};

class RandomUser : public WindowTest, public ::testing::WithParamInterface<std::uint64_t> {
 protected:
  RandomUser() {
    previousHandler = qInstallMessageHandler(QuietIgnoredKeys);
    for (const ControlSpec& row : model.Inventory()) {
      const ControlKey key{row.name, row.index};
      // A line is pixels its frame draws: watched through the frame.
      if (row.kind != ControlKind::Line) watched_.push_back({key, window.Widget(key), RuleFor(key)});
      if (row.kind == ControlKind::ComboBox) {
        combos_.push_back(key);
        boxes_.push_back(qobject_cast<QComboBox*>(window.Widget(key)));
      }
      if (row.kind == ControlKind::Label || row.kind == ControlKind::Frame || row.kind == ControlKind::Line ||
          row.kind == ControlKind::Form) {
        statics_.push_back(key);
      }
    }
    tabOrder_ = model.TabOrder();
    for (const ControlKey key : tabOrder_) focusables_[window.Widget(key)] = key;
  }
  ~RandomUser() override { qInstallMessageHandler(previousHandler); }

  // --- Drawing -------------------------------------------------------------

  std::size_t Below(std::size_t n) { return static_cast<std::size_t>(rng_() % n); }
  bool OneIn(std::uint64_t n) { return rng_() % n == 0; }
  template <typename T>
  T Any(const std::vector<T>& items) {
    return items[Below(items.size())];
  }
  QString AnyOf(std::initializer_list<const char*> texts) {
    return QString::fromUtf8(*(texts.begin() + static_cast<std::ptrdiff_t>(Below(texts.size()))));
  }

  // --- The window ----------------------------------------------------------

  QComboBox* Box(ControlKey key) const {
    const auto found = std::find(combos_.begin(), combos_.end(), key);
    return found != combos_.end() ? boxes_[static_cast<std::size_t>(found - combos_.begin())] : nullptr;
  }
  QPlainTextEdit* ResultBox() const { return qobject_cast<QPlainTextEdit*>(window.Widget(kResult)); }
  bool IsCombo(ControlKey key) const { return model.Row(key).kind == ControlKind::ComboBox; }
  bool IsField(ControlKey key) const { return IsCombo(key) || key == kResult; }

  // The field or button that has the keyboard focus.
  std::optional<ControlKey> Focused() const {
    for (QWidget* w = QApplication::focusWidget(); w != nullptr; w = w->parentWidget()) {
      if (const auto found = focusables_.find(w); found != focusables_.end()) return found->second;
    }
    return std::nullopt;
  }

  void SendKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    if (QWidget* target = KeyTarget()) {
      QTest::keyClick(target, key, modifiers);
    } else {
      actionProblems_.push_back("no widget has the keyboard focus");
    }
  }

  void Deliver(const Typing& typing) {
    switch (typing.way) {
      case Typing::Way::Keys:
      case Typing::Way::PerCodePoint: TypeAsUser(typing.text); break;
      case Typing::Way::Whole: CommitAsInputMethod(typing.text); break;
      case Typing::Way::Composed: CommitAsInputMethod(typing.text, typing.preedit); break;
    }
  }

  // The text of a field and the stretch of it that typing replaces (the
  // selection, or the empty range at the cursor).
  struct EditState {
    QString text;
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype maxLength = -1;  // -1 for no limit
  };
  EditState StateOf(ControlKey field) const {
    if (field == kResult) {
      const QTextCursor cursor = ResultBox()->textCursor();
      return {ResultBox()->toPlainText(), cursor.selectionStart(), cursor.selectionEnd()};
    }
    const QLineEdit* edit = Box(field)->lineEdit();
    if (edit->hasSelectedText()) {
      return {edit->text(), edit->selectionStart(), edit->selectionEnd(), edit->maxLength()};
    }
    return {edit->text(), edit->cursorPosition(), edit->cursorPosition(), edit->maxLength()};
  }
  // What typing `typed` must give, when it fits the field.
  static std::optional<QString> AfterTyping(const EditState& state, const QString& typed) {
    QString text = state.text.left(state.start) + typed + state.text.mid(state.end);
    if (state.maxLength >= 0 && text.size() > state.maxLength) return std::nullopt;
    return text;
  }

  FrictionInput FieldsShown() const {
    const auto shown = [this](ControlKey key) { return Box(key)->currentText().toStdString(); };
    FrictionInput input;
    input.layerCountText = shown(controls::kLayerCount);
    for (int k = 1; k <= controls::kLayerRows; ++k) {
      input.layers[static_cast<std::size_t>(k - 1)] = {shown(controls::UnitWeight(k)), shown(controls::Thickness(k))};
    }
    input.causeText = shown(controls::kCause);
    input.coefficientText = shown(controls::kCoefficient);
    input.loadText = shown(controls::kLoad);
    return input;
  }

  // --- Texts a user types --------------------------------------------------

  QString Number() {
    const int whole = static_cast<int>(Below(41));
    const int tenths = static_cast<int>(Below(10));
    switch (Below(12)) {
      case 0: return QString::number(whole);
      case 1: return QStringLiteral("%1.%2").arg(whole).arg(tenths);
      case 2: return QStringLiteral("%1.%2%3").arg(whole).arg(tenths).arg(Below(10));
      case 3: return QStringLiteral("-%1.%2").arg(whole).arg(tenths);
      case 4: return QStringLiteral("+%1").arg(whole);
      case 5: return QStringLiteral(".%1").arg(tenths);
      case 6: return QStringLiteral("%1.").arg(whole);
      case 7: return QStringLiteral("%1e%2").arg(tenths).arg(Below(3));
      case 8: return QStringLiteral(" %1 ").arg(whole);
      case 9: return QStringLiteral("0.%1").arg(15 + Below(21));
      case 10: return AnyOf({"0", "0.0", "-0", "00"});
      default: return AnyOf({"1e400", "1.7e308", "1e-400", "-1e308", "3e38", "1e39"});
    }
  }

  static QString FullWidth(const QString& ascii) {
    QString wide;
    for (const QChar c : ascii) {
      if (c == QLatin1Char(' ')) {
        wide += QChar(0x3000);
      } else if (c.unicode() > 0x20 && c.unicode() < 0x7F) {
        wide += QChar(static_cast<char16_t>(c.unicode() - 0x20 + 0xFF00));
      } else {
        wide += c;
      }
    }
    return wide;
  }

  QString Pinyin() {
    QString letters;
    for (std::size_t n = 2 + Below(10); n > 0; --n) letters += QChar(static_cast<char16_t>('a' + Below(26)));
    return letters;
  }

  QString Emoji() { return AnyOf({"😀", "🏗️", "👷‍♀️", "🇨🇳", "𠀀", "🧱", "💧", "⛏", "🪨"}); }

  Typing TextFor(ControlKey field) {
    const std::span<const std::string_view> list =
        IsCombo(field) ? model.Row(field).list : lists::kAll[Below(lists::kAll.size())].entries;
    const auto asTyped = [this](const QString& text) {
      bool ascii = true;
      for (const QChar c : text) ascii = ascii && c.unicode() < 0x80;
      if (ascii) return Typing{text};
      return OneIn(2) ? Typing{text, Typing::Way::Composed, Pinyin()} : Typing{text, Typing::Way::Whole};
    };
    switch (Below(20)) {
      case 0:
      case 1:
      case 2:
      case 3:
      case 4:
      case 5: return asTyped(ToQ(list[Below(list.size())]));
      case 6:
      case 7:
      case 8:
      case 9: return Typing{Number()};
      case 10: return Typing{FullWidth(Number()), Typing::Way::PerCodePoint};
      case 11: return Typing{FullWidth(ToQ(list[Below(list.size())])), Typing::Way::PerCodePoint};
      case 12: return Typing{AnyOf({"1", "2", "3", "4", "5", "2.00", "03", "5.", "+4", " 2 ", "6", "0", "2.5", "-1"})};
      case 13: {
        QString cause = ToQ(OneIn(2) ? kGroundwater : kSurfaceLoad);
        if (OneIn(4)) cause += OneIn(2) ? QStringLiteral(" ") : QStringLiteral("　");
        if (OneIn(4)) cause.chop(1);
        if (OneIn(3)) return Typing{cause, Typing::Way::PerCodePoint};
        return Typing{cause, Typing::Way::Composed, Pinyin()};
      }
      case 14:
        return Typing{AnyOf({"粘土", "层", "米", "千牛", "土层厚", "持力层", "降低", "地下水", "负摩阻力", "计算"}),
                      Typing::Way::Composed, Pinyin()};
      case 15:
      case 16:
        return Typing{AnyOf({"abc", "1,5", "2..0", "e", "-", "x1", "1 2", "0x10", "inf", "nan", "1e", "--1", "3.0.0",
                             "kn/m2", "Tavrelo"})};
      case 17: return Typing{Emoji(), Typing::Way::PerCodePoint};
      case 18: return Typing{Number() + Emoji() + AnyOf({"层", "米", "ξn", "σ"}), Typing::Way::PerCodePoint};
      default: return Typing{AnyOf({"0", "1", "2", "5", "9", ".", "-"})};
    }
  }

  QString HugeText() {
    QString text;
    text.reserve(kHugeLength + 16);
    switch (Below(3)) {
      case 0: text = QStringLiteral("2.") + QString(kHugeLength - 2, QLatin1Char('0')); break;
      case 1: text = QString(kHugeLength - 1, QLatin1Char('0')) + QLatin1Char('3'); break;
      default:
        while (text.size() < kHugeLength) {
          text += AnyOf({"17.5", "降低地下水", "１２．５", "😀", "abc ", "粘土", "𠀀", "0"});
        }
        text.truncate(kHugeLength);
        if (text.back().isHighSurrogate()) text.back() = QLatin1Char('7');
        break;
    }
    return text;
  }

  // --- Actions -------------------------------------------------------------

  void Note(const std::string& what) {
    const auto focused = Focused();
    std::string line =
        "#" + std::to_string(step_) + " [" + (focused ? DisplayName(*focused) : "no focus") + "] " + what;
    if (trace_) std::fprintf(stderr, "%s\n", line.c_str());
    log_.push_back(std::move(line));
    if (log_.size() > kLogLength) log_.pop_front();
  }

  std::vector<ControlKey> VisibleFields() const {
    std::vector<ControlKey> fields;
    for (const ControlKey key : combos_) {
      if (window.Widget(key)->isVisible()) fields.push_back(key);
    }
    fields.push_back(kResult);
    return fields;
  }

  Expectation PointerPick() {
    std::vector<ControlKey> visible = VisibleFields();
    visible.pop_back();  // Text1 has no list
    const ControlKey key = Any(visible);
    const int entry = static_cast<int>(Below(model.Row(key).list.size()));
    Note("pick " + Brief(std::string(model.Row(key).list[static_cast<std::size_t>(entry)])) + " in " +
         DisplayName(key) + " by pointer");
    PickRow(key, entry);
    return {.picked = std::pair{key, entry}, .focus = key};
  }

  Expectation PopupKeys() {
    const auto focused = Focused();
    if (!focused || !IsCombo(*focused)) return ClickField();
    const bool f4 = OneIn(2);
    std::string keys = f4 ? "F4" : "Alt+Down";
    SendKey(f4 ? Qt::Key_F4 : Qt::Key_Down, f4 ? Qt::NoModifier : Qt::AltModifier);
    Expectation expect{.focus = focused};
    QWidget* popup = QApplication::activePopupWidget();
    if (popup == nullptr) {
      Note(keys + " in " + DisplayName(*focused));
      actionProblems_.push_back(keys + " did not open the list of " + DisplayName(*focused));
      return expect;
    }
    if (!AwaitExposed(popup)) actionProblems_.push_back("the list of " + DisplayName(*focused) + " did not show");
    static constexpr std::array<std::pair<Qt::Key, const char*>, 4> kMoves = {
        {{Qt::Key_Down, "Down"}, {Qt::Key_Up, "Up"}, {Qt::Key_PageDown, "PageDown"}, {Qt::Key_PageUp, "PageUp"}}};
    for (std::size_t n = Below(6); n > 0; --n) {
      const auto& arrow = kMoves[Below(kMoves.size())];
      keys += std::string(", ") + arrow.second;
      SendKey(arrow.first);
    }
    if (!OneIn(4)) {
      // Enter picks the highlighted entry, if any.
      const QModelIndex highlighted = Box(*focused)->view()->currentIndex();
      keys += ", Enter";
      if (highlighted.isValid()) expect.picked = std::pair{*focused, highlighted.row()};
      SendKey(Qt::Key_Return);
    }
    if (QApplication::activePopupWidget() != nullptr) {
      // Closing the list without a pick.
      static constexpr std::array<std::pair<Qt::Key, const char*>, 3> kClosers = {
          {{Qt::Key_Escape, "Esc"}, {Qt::Key_F4, "F4"}, {Qt::Key_Down, "Alt+Down"}}};
      const auto& [closer, closerName] = kClosers[Below(kClosers.size())];
      keys += std::string(", ") + closerName;
      SendKey(closer, closer == Qt::Key_Down ? Qt::AltModifier : Qt::NoModifier);
    }
    Note(keys + " in the list of " + DisplayName(*focused) +
         (expect.picked ? " (picks entry " + std::to_string(expect.picked->second) + ")" : ""));
    return expect;
  }

  Expectation ArrowKey() {
    static constexpr std::array<std::pair<Qt::Key, const char*>, 4> kKeys = {
        {{Qt::Key_Up, "Up"}, {Qt::Key_Down, "Down"}, {Qt::Key_PageUp, "PageUp"}, {Qt::Key_PageDown, "PageDown"}}};
    const auto& [key, name] = kKeys[Below(kKeys.size())];
    const auto focused = Focused();
    Expectation expect;
    if (focused != kButton) expect.focus = focused;  // on the button, arrows move the focus
    if (focused && IsCombo(*focused)) {
      // In an editable list field each of them steps one entry from the
      // current one (PageUp as Up, PageDown as Down), and not past either end.
      const QComboBox* box = Box(*focused);
      const int current = box->currentIndex();
      const int next = key == Qt::Key_Up || key == Qt::Key_PageUp ? current - 1 : current + 1;
      if (next >= 0 && next < box->count()) expect.picked = std::pair{*focused, next};
    }
    Note(std::string(name) + (expect.picked ? " (picks entry " + std::to_string(expect.picked->second) + ")" : ""));
    SendKey(key);
    return expect;
  }

  // The wheel steps like the arrows: towards the top of the list when turned
  // away from the user. A real wheel also puts the focus into the field.
  Expectation Wheel() {
    std::vector<ControlKey> visible = VisibleFields();
    visible.pop_back();  // Text1 has no list
    const ControlKey key = Any(visible);
    QComboBox* box = Box(key);
    const bool up = OneIn(2);
    const int next = box->currentIndex() + (up ? -1 : 1);
    Expectation expect{.focus = key};
    if (next >= 0 && next < box->count()) expect.picked = std::pair{key, next};
    Note(std::string("wheel ") + (up ? "up" : "down") + " over " + DisplayName(key) +
         (expect.picked ? " (picks entry " + std::to_string(next) + ")" : ""));
    box->setFocus(Qt::MouseFocusReason);
    const QPointF at = box->rect().center();
    QWheelEvent turn(at, box->mapToGlobal(at), QPoint(), QPoint(0, up ? 120 : -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(box, &turn);
    return expect;
  }

  Expectation Type() {
    const auto focused = Focused();
    if (!focused || !IsField(*focused)) return ClickField();
    const Typing typing = TextFor(*focused);
    const bool replace = OneIn(2);
    static constexpr std::array<const char*, 4> kWays = {"keys", "one commit per character", "one commit",
                                                         "a composition and its commit"};
    Note("type " + Brief(typing.text) + " by " + kWays[static_cast<std::size_t>(typing.way)] +
         (replace ? ", after select-all" : ""));
    if (replace) SendKey(Qt::Key_A, Qt::ControlModifier);
    const std::optional<QString> after = AfterTyping(StateOf(*focused), typing.text);
    Deliver(typing);
    return {.edited = focused, .editedText = after, .focus = focused};
  }

  Expectation EditKey() {
    const auto focused = Focused();
    Expectation expect{.focus = focused};
    const bool field = focused && IsField(*focused);
    const std::size_t times = 1 + Below(3);
    switch (Below(11)) {
      case 8: {
        static constexpr std::array<std::pair<QKeyCombination, const char*>, 3> kUndo = {
            {{Qt::ControlModifier | Qt::Key_Z, "Ctrl+Z"},
             {Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z, "Ctrl+Shift+Z"},
             {Qt::ControlModifier | Qt::Key_Y, "Ctrl+Y"}}};
        const auto& [combination, name] = kUndo[Below(kUndo.size())];
        Note(name);
        SendKey(combination.key(), combination.keyboardModifiers());
        if (field) expect.edited = focused;
        break;
      }
      case 9:
        Note("Ctrl+C");
        SendKey(Qt::Key_C, Qt::ControlModifier);
        break;
      case 10: {
        const bool cut = OneIn(2);
        Note(cut ? "Ctrl+X" : "Ctrl+V (clipboard " + Brief(QGuiApplication::clipboard()->text()) + ")");
        SendKey(cut ? Qt::Key_X : Qt::Key_V, Qt::ControlModifier);
        if (field) expect.edited = focused;
        break;
      }
      case 0:
        Note("Backspace ×" + std::to_string(times));
        for (std::size_t i = 0; i < times; ++i) SendKey(Qt::Key_Backspace);
        if (field) expect.edited = focused;
        break;
      case 1:
        Note("Delete ×" + std::to_string(times));
        for (std::size_t i = 0; i < times; ++i) SendKey(Qt::Key_Delete);
        if (field) expect.edited = focused;
        break;
      case 2:
        Note("Ctrl+A, Delete");
        SendKey(Qt::Key_A, Qt::ControlModifier);
        SendKey(Qt::Key_Delete);
        if (field) {
          expect.edited = focused;
          expect.editedText = QString();
        }
        break;
      case 3:
        Note("Ctrl+A");
        SendKey(Qt::Key_A, Qt::ControlModifier);
        break;
      case 4:
        Note("Home");
        SendKey(Qt::Key_Home);
        break;
      case 5:
        Note("End");
        SendKey(Qt::Key_End);
        break;
      default: {
        const bool left = OneIn(2);
        Note(std::string(left ? "Left" : "Right") + " ×" + std::to_string(times));
        for (std::size_t i = 0; i < times; ++i) SendKey(left ? Qt::Key_Left : Qt::Key_Right);
        if (!field) expect.focus.reset();  // on the button, arrows move the focus
        break;
      }
    }
    return expect;
  }

  Expectation Huge() {
    const auto focused = Focused();
    if (!focused || !IsField(*focused)) return ClickField();
    const QString text = HugeText();
    const bool replace = OneIn(2);
    const bool paste = OneIn(2);
    Note((paste ? "paste " : "commit ") + Brief(text) + (replace ? ", after select-all" : ""));
    if (replace) SendKey(Qt::Key_A, Qt::ControlModifier);
    const std::optional<QString> after = AfterTyping(StateOf(*focused), text);
    if (paste) {
      QGuiApplication::clipboard()->setText(text);
      SendKey(Qt::Key_V, Qt::ControlModifier);
      QGuiApplication::clipboard()->setText(QStringLiteral("17.5"));  // the user copies something else
    } else {
      CommitAsInputMethod(text);
    }
    return {.edited = focused, .editedText = after, .focus = focused};
  }

  // The next (or previous) visible control in tab order, round the end.
  std::optional<ControlKey> TabFrom(ControlKey from, bool backwards) const {
    const auto n = static_cast<std::ptrdiff_t>(tabOrder_.size());
    std::ptrdiff_t i = std::find(tabOrder_.begin(), tabOrder_.end(), from) - tabOrder_.begin();
    for (std::ptrdiff_t step = 0; step < n; ++step) {
      i = (i + (backwards ? n - 1 : 1)) % n;
      const ControlKey key = tabOrder_[static_cast<std::size_t>(i)];
      if (window.Widget(key)->isVisible()) return key;
    }
    return std::nullopt;
  }

  Expectation TabKey() {
    const bool backwards = OneIn(3);
    const auto focused = Focused();
    Expectation expect;
    if (focused) expect.focus = TabFrom(*focused, backwards);
    Note(backwards ? "Shift+Tab" : "Tab");
    SendKey(backwards ? Qt::Key_Backtab : Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
    return expect;
  }

  QPoint Inside(const QWidget* widget) {
    const QRect area = widget->rect().adjusted(1, 1, -1, -1);
    if (area.width() <= 0 || area.height() <= 0) return widget->rect().center();
    return {area.left() + static_cast<int>(Below(static_cast<std::size_t>(area.width()))),
            area.top() + static_cast<int>(Below(static_cast<std::size_t>(area.height())))};
  }

  Expectation ClickField() {
    const ControlKey key = Any(VisibleFields());
    QWidget* target = key == kResult ? ResultBox()->viewport() : static_cast<QWidget*>(Box(key)->lineEdit());
    const QPoint at = Inside(target);
    const bool twice = OneIn(4);
    Note(std::string(twice ? "double-click" : "click") + " into " + DisplayName(key));
    if (twice) {
      QTest::mouseDClick(target, Qt::LeftButton, {}, at);
    } else {
      QTest::mouseClick(target, Qt::LeftButton, {}, at);
    }
    return {.focus = key};
  }

  // What shows a static control: its own widget, or a line's frame.
  QWidget* StaticWidget(ControlKey key) const {
    const ControlSpec& row = model.Row(key);
    return window.Widget(row.kind == ControlKind::Line ? ControlKey{row.container} : key);
  }

  Expectation ClickStatic() {
    std::vector<ControlKey> visible;
    for (const ControlKey key : statics_) {
      if (StaticWidget(key)->isVisible()) visible.push_back(key);
    }
    const ControlKey key = Any(visible);
    QWidget* target = StaticWidget(key);
    const ControlSpec& row = model.Row(key);
    // A line is clicked at its first pixel in its frame.
    const QPoint at = row.kind == ControlKind::Line ? QPoint(row.left / 15, row.top / 15) : Inside(target);
    Note("click " + DisplayName(key));
    const auto focused = Focused();
    QTest::mouseClick(target, Qt::LeftButton, {}, at);
    return {.focus = focused};
  }

  Expectation EnterKey() {
    const auto focused = Focused();
    const bool keypad = OneIn(3);
    Note(keypad ? "Enter (keypad)" : "Return");
    Expectation expect{.focus = focused};
    if (focused == kResult) {
      // A new line in the result box; anywhere else, Enter does nothing.
      expect.edited = focused;
      expect.editedText = AfterTyping(StateOf(kResult), QStringLiteral("\n"));
    }
    SendKey(keypad ? Qt::Key_Enter : Qt::Key_Return);
    return expect;
  }

  Expectation EscapeKey() {
    Note("Esc");
    const auto focused = Focused();
    SendKey(Qt::Key_Escape);
    return {.focus = focused};
  }

  Expectation MousePress() {
    QWidget* button = window.Widget(kButton);
    Note("click 计算");
    Expectation expect{.press = FieldsShown()};
    QTest::mouseClick(button, Qt::LeftButton, {}, Inside(button));
    return expect;
  }

  Expectation SpaceKey() {
    const auto focused = Focused();
    Expectation expect{.focus = focused};
    if (focused == kButton) {
      Note("Space on 计算");
      expect.press = FieldsShown();
      expect.focus.reset();
    } else {
      Note("Space");
      if (focused && IsField(*focused)) {
        expect.edited = focused;
        expect.editedText = AfterTyping(StateOf(*focused), QStringLiteral(" "));
      }
    }
    SendKey(Qt::Key_Space);
    return expect;
  }

  Expectation Perform(Act act) {
    switch (act) {
      case Act::PointerPick: return PointerPick();
      case Act::PopupKeys: return PopupKeys();
      case Act::ArrowKey: return ArrowKey();
      case Act::Wheel: return Wheel();
      case Act::Type: return Type();
      case Act::EditKey: return EditKey();
      case Act::HugeText: return Huge();
      case Act::TabKey: return TabKey();
      case Act::ClickField: return ClickField();
      case Act::ClickStatic: return ClickStatic();
      case Act::Enter: return EnterKey();
      case Act::Escape: return EscapeKey();
      case Act::MousePress: return MousePress();
      case Act::Space: return SpaceKey();
      case Act::Count: break;
    }
    return {};
  }

  Act Draw() {
    if (OneIn(kHugeOneIn)) return Act::HugeText;
    int roll = static_cast<int>(Below(100));
    for (std::size_t i = 0; i < kWeights.size(); ++i) {
      roll -= kWeights[i];
      if (roll < 0) return static_cast<Act>(i);
    }
    return Act::Type;
  }

  // --- What the window must show -------------------------------------------

  // A pick in the layer count or the cause list decides what is shown.
  void Follow(const Expectation& expect) {
    if (!expect.picked) return;
    const auto [key, entry] = *expect.picked;
    const std::string_view text = model.Row(key).list[static_cast<std::size_t>(entry)];
    if (key == controls::kLayerCount) {
      for (std::size_t n = 0; n < lists::kLayerCounts.size(); ++n) {
        if (text != lists::kLayerCounts[n]) continue;
        for (std::size_t row = 0; row < rows_.size(); ++row) rows_[row] = row <= n;
      }
    } else if (key == controls::kCause) {
      if (text == kGroundwater) loadShown_ = false;
      if (text == kSurfaceLoad) loadShown_ = true;
    }
  }

  // Which pick decides whether a control is shown: 1 to 5 for the five
  // controls of that row of the layer table, kLoadRule for the load field,
  // kAlwaysShown for everything else.
  static constexpr int kAlwaysShown = 0;
  static constexpr int kLoadRule = -1;
  static int RuleFor(ControlKey key) {
    for (int k = 1; k <= controls::kLayerRows; ++k) {
      for (const ControlKey member : controls::LayerRow(k)) {
        if (key == member) return k;
      }
    }
    if (key == controls::kLoadLabel || key == controls::kLoad) return kLoadRule;
    return kAlwaysShown;
  }
  bool ShouldBeVisible(int rule) const {
    if (rule == kLoadRule) return loadShown_;
    return rule == kAlwaysShown || rows_[static_cast<std::size_t>(rule - 1)];
  }

  Snapshot Take() const {
    Snapshot snapshot{.result = model.Text(kResult), .messages = messages.size()};
    for (const ControlKey key : combos_) snapshot.combos.push_back(model.Text(key));
    return snapshot;
  }

  std::vector<std::string> Check(const Snapshot& before, const Expectation& expect) {
    std::vector<std::string> problems = std::move(actionProblems_);
    actionProblems_.clear();
    if (QWidget* popup = QApplication::activePopupWidget()) {
      problems.push_back("a list is still open");
      popup->close();
    }

    for (std::size_t i = 0; i < combos_.size(); ++i) {
      const ControlKey key = combos_[i];
      const std::string name = DisplayName(key);
      const QComboBox* box = boxes_[i];
      const auto list = model.Row(key).list;
      bool sameList = box->count() == static_cast<int>(list.size());
      for (int row = 0; sameList && row < box->count(); ++row) {
        sameList = box->itemText(row) == ToQ(list[static_cast<std::size_t>(row)]);
      }
      if (!sameList) problems.push_back(name + ": the list changed, " + std::to_string(box->count()) + " entries");

      const std::string& text = model.Text(key);
      if (ToQ(text) != box->currentText()) {
        problems.push_back(name + ": the model holds " + Brief(text) + ", the field shows " +
                           Brief(box->currentText()));
      }
      const bool picked = expect.picked && expect.picked->first == key;
      const bool edited = expect.edited && *expect.edited == key;
      if (picked) {
        const std::string entry(list[static_cast<std::size_t>(expect.picked->second)]);
        if (text != entry) problems.push_back(name + ": picking " + Brief(entry) + " left " + Brief(text));
      } else if (!edited && text != before.combos[i]) {
        problems.push_back(name + ": changed from " + Brief(before.combos[i]) + " to " + Brief(text) +
                           " though neither typed into nor picked");
      }
      if (edited && expect.editedText && box->currentText() != *expect.editedText) {
        problems.push_back(name + ": typing should give " + Brief(*expect.editedText) + ", the field shows " +
                           Brief(box->currentText()));
      }
    }

    for (const Watched& control : watched_) {
      const ControlKey key = control.key;
      const bool expected = ShouldBeVisible(control.rule);
      // Only the rows and the load field are ever hidden; the model of the
      // others is looked at through their widgets.
      const bool onScreen = control.widget->isVisible();
      const bool inModel = control.rule == kAlwaysShown ? onScreen : model.Visible(key);
      if (inModel != expected || onScreen != expected) {
        problems.push_back(DisplayName(key) + (expected ? " should be shown" : " should be hidden") + ", model " +
                           (inModel ? "shown" : "hidden") + ", screen " + (onScreen ? "shown" : "hidden"));
      }
    }

    const std::string& result = model.Text(kResult);
    const QString resultShown = ResultBox()->toPlainText();
    if (AsShown(result) != resultShown) {
      problems.push_back("Text1: the model holds " + Brief(result) + ", the box shows " + Brief(resultShown));
    }
    const std::size_t newMessages = messages.size() - before.messages;
    const auto focused = Focused();
    if (expect.press) {
      const std::optional<std::string> sentence = SentenceFor(*expect.press);
      if (sentence) {
        ++sentences_;
        if (result != *sentence) {
          problems.push_back("the press should show " + Brief(*sentence) + ", Text1 holds " + Brief(result));
        }
        if (newMessages != 0) problems.push_back("a press with a sentence also showed: " + messages.back().text);
        if (focused != kButton) problems.push_back("after the press the focus left 计算");
      } else {
        ++refusals_;
        if (result != before.result) {
          problems.push_back("a press that must fail changed Text1 from " + Brief(before.result) + " to " +
                             Brief(result));
        }
        if (newMessages != 1) {
          problems.push_back("a press that must fail showed " + std::to_string(newMessages) + " messages");
        }
      }
    } else {
      if (newMessages != 0) problems.push_back("a message without a press: " + messages.back().text);
      const bool typedIntoResult = expect.edited == kResult;
      if (!typedIntoResult && result != before.result) {
        problems.push_back("Text1 changed from " + Brief(before.result) + " to " + Brief(result) +
                           " without typing or a press");
      }
      if (typedIntoResult && expect.editedText && resultShown != *expect.editedText) {
        problems.push_back("Text1: typing should give " + Brief(*expect.editedText) + ", the box shows " +
                           Brief(resultShown));
      }
    }

    if (QApplication::focusWidget() == nullptr) {
      problems.push_back("no widget has the focus");
    } else if (!focused) {
      problems.push_back(std::string("the focus is on ") + QApplication::focusWidget()->metaObject()->className() +
                         ", neither a field nor the button");
    } else if (!window.Widget(*focused)->isVisible()) {
      problems.push_back("the focus is on " + DisplayName(*focused) + ", which is hidden");
    }
    if (expect.focus && focused != expect.focus) {
      problems.push_back("the focus should be on " + DisplayName(*expect.focus) + ", it is on " +
                         (focused ? DisplayName(*focused) : "nothing"));
    }
    return problems;
  }

  // The last actions are "[focus before] action".
  std::string Report(const std::vector<std::string>& problems) const {
    std::string report = testing_support::SoakFailure(GetParam(), step_, problems, log_);
    report += "fields now:";
    for (const ControlKey key : combos_)
      report.append(" ").append(DisplayName(key)).append("=").append(Brief(model.Text(key)));
    report += "\nText1 now: " + Brief(model.Text(kResult)) + "\n";
    return report;
  }

  struct Watched {
    ControlKey key;
    QWidget* widget = nullptr;
    int rule = kAlwaysShown;
  };

  std::mt19937_64 rng_;
  std::vector<Watched> watched_;  // every control
  std::vector<ControlKey> combos_;
  std::vector<QComboBox*> boxes_;  // in combos_ order
  std::vector<ControlKey> statics_;
  std::vector<ControlKey> tabOrder_;
  std::map<const QWidget*, ControlKey> focusables_;
  // What the last matching picks have shown: rows 1 to 5, the load field.
  std::array<bool, 5> rows_{true, true, true, true, true};
  bool loadShown_ = true;
  std::vector<std::string> actionProblems_;
  std::deque<std::string> log_;
  int step_ = 0;
  bool trace_ = testing_support::SoakTrace();
  std::array<int, static_cast<std::size_t>(Act::Count)> performed_{};
  int sentences_ = 0;
  int refusals_ = 0;
};

TEST_P(RandomUser, KeepsTheWindowConsistent) {
  rng_.seed(GetParam());
  const int actions = testing_support::SoakActions(kDefaultActions);
  for (step_ = 1; step_ <= actions; ++step_) {
    const Snapshot before = Take();
    const Act act = Draw();
    ++performed_[static_cast<std::size_t>(act)];
    const Expectation expect = Perform(act);
    QApplication::processEvents();
    Follow(expect);
    const std::vector<std::string> problems = Check(before, expect);
    if (!problems.empty()) FAIL() << Report(problems);
  }

  testing_support::PrintSoakSummary(GetParam(), actions, kActNames, performed_, sentences_, refusals_);
  // A run that never reached a sentence, or never a refusal, or skipped a
  // kind of action, proves little.
  if (actions >= kDefaultActions) {
    for (std::size_t i = 0; i < performed_.size(); ++i) EXPECT_GT(performed_[i], 0) << kActNames[i];
    EXPECT_GT(sentences_, 0);
    EXPECT_GT(refusals_, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(FixedSeeds, RandomUser, ::testing::ValuesIn(testing_support::SoakSeeds({1, 2024, 31337})),
                         [](const auto& row) { return "Seed" + std::to_string(row.param); });

}  // namespace
}  // namespace tavrelo::ui
