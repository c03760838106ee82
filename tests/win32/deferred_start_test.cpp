// What the Windows window leaves until it is needed, on the real controls:
// the screen reader's annotations until the first WM_GETOBJECT, however
// late it comes (the window shown, typed into and pressed first), and the
// tooltips until the pointer first comes over the window. The annotations
// are read from a recorder put in place of the annotation service (Wine's
// oleacc does not give them back); the tooltips from the tooltip control.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <oleacc.h>

#include <map>
#include <string>
#include <utility>

#include "tests/binding_cases/binding_test.h"
#include "tests/win32/thread_windows.h"
#include "ui/downdrag_form.h"
#include "ui/win32/accessibility.h"
#include "ui/win32/text.h"

namespace tavrelo::ui::win32 {
namespace {

using testing_support::BindingTest;

// Which annotation: a name, a description, a role, a live setting.
std::string PropertyName(const GUID& property) {
  if (IsEqualGUID(property, PROPID_ACC_NAME) != 0) return "name";
  if (IsEqualGUID(property, PROPID_ACC_DESCRIPTION) != 0) return "description";
  if (IsEqualGUID(property, PROPID_ACC_ROLE) != 0) return "role";
  return "live";
}

// The annotations given, by window and property, the last of each.
class Recorder final : public AnnotationSink {
 public:
  Recorder() { SetAnnotationSinkForTesting(this); }
  ~Recorder() override { SetAnnotationSinkForTesting(nullptr); }
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;

  void SetText(HWND window, const GUID& property, std::wstring_view text) override {
    given[{window, PropertyName(property)}] = Narrow(text);
  }
  void SetNumber(HWND window, const GUID& property, LONG number) override {
    given[{window, PropertyName(property)}] = std::to_string(number);
  }
  [[nodiscard]] std::string Of(HWND window, const std::string& property) const {
    const auto found = given.find({window, property});
    return found == given.end() ? "(none)" : found->second;
  }

  std::map<std::pair<HWND, std::string>, std::string> given;
};

// The control of a form's window at inventory position `position` (control
// ids are 1000 + the position), and a combo box's edit field.
HWND ControlAt(HWND form, std::size_t position) {
  struct Search {
    int id;
    HWND found;
  } search{1000 + static_cast<int>(position), nullptr};
  EnumChildWindows(
      form,
      [](HWND child, LPARAM data) -> BOOL {
        auto* wanted = reinterpret_cast<Search*>(data);
        if (GetDlgCtrlID(child) != wanted->id) return TRUE;
        wchar_t kind[32] = {};
        GetClassNameW(GetParent(child), kind, 32);
        if (std::wstring_view(kind) == L"ComboBox") return TRUE;  // a combo box's own part
        wanted->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND EditFieldOf(HWND combo) {
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof(parts);
  return GetComboBoxInfo(combo, &parts) != 0 ? parts.hwndItem : nullptr;
}

HWND FormWindowTitled(std::string_view title) { return FindWindowW(L"TavreloForm", Widen(title).c_str()); }

// What a screen reader does first: asks a window for its accessible object.
void AskAsAScreenReader(HWND window) {
  IAccessible* accessible = nullptr;
  if (SUCCEEDED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                           reinterpret_cast<void**>(&accessible)))) {
    accessible->Release();
  }
}

// The recorder is in place before the driver makes the windows.
struct RecorderFirst {
  Recorder recorder;
};

class LateScreenReader : protected RecorderFirst, public BindingTest {
 protected:
  // Every annotation the inventory gives the window `form`, as the model
  // holds it now: each control's name and description (a combo box's on its
  // edit field too), the result box's live setting (1, polite), a
  // picture's role (graphic) and description (its text).
  void ExpectAnnotated(const FormModel& form) {
    HWND window = FormWindowTitled(form.Text(form.FormKey()));
    ASSERT_NE(window, nullptr);
    const auto inventory = form.Inventory();
    for (std::size_t i = 1; i < inventory.size(); ++i) {
      const ControlSpec& row = inventory[i];
      if (row.kind == ControlKind::Line) continue;
      SCOPED_TRACE(DisplayName(row.Key()));
      HWND control = ControlAt(window, i);
      ASSERT_NE(control, nullptr);
      std::vector<HWND> named = {control};
      if (row.kind == ControlKind::ComboBox) named.push_back(EditFieldOf(control));
      for (HWND part : named) {
        if (!row.accessibleName.empty()) {
          EXPECT_EQ(recorder.Of(part, "name"), row.accessibleName);
        }
        if (!row.accessibleDescription.empty() && row.kind != ControlKind::Picture) {
          EXPECT_EQ(recorder.Of(part, "description"), row.accessibleDescription);
        }
      }
      if (row.role == ControlRole::ResultBox) {
        EXPECT_EQ(recorder.Of(control, "live"), "1");
      }
      if (row.kind == ControlKind::Picture) {
        EXPECT_EQ(recorder.Of(control, "role"), std::to_string(ROLE_SYSTEM_GRAPHIC));
        EXPECT_EQ(recorder.Of(control, "description"), form.Text(row.Key()));
      }
    }
  }
};

TEST_F(LateScreenReader, FindsEveryAnnotationAfterTheWindowWasShownTypedIntoAndPressed) {
  FillTypicalUse();
  driver->Type(controls::kCoefficient, "0.3");
  driver->ClickCompute();
  EXPECT_TRUE(recorder.given.empty()) << "annotated before anyone asked";
  AskAsAScreenReader(ControlAt(FormWindowTitled("Tavrelo"), model.Position(controls::kCompute).value()));
  ExpectAnnotated(model);
}

// A window opened after the first question is annotated as it is made,
// its picture described as it is drawn then.
TEST_F(LateScreenReader, FindsAWindowOpenedAfterTheFirstQuestionAnnotated) {
  FillTypicalUse();
  driver->ClickCompute();
  AskAsAScreenReader(FormWindowTitled("Tavrelo"));
  EXPECT_EQ(FormWindowTitled(program.Downdrag().Text(downdrag::kForm)), nullptr) << "made before it was opened";
  ASSERT_TRUE(driver->ChooseFromResultMenu("下拉荷载计算（JGJ 94-2008）…"));
  ExpectAnnotated(program.Downdrag());
}

// --- Tooltips ---------------------------------------------------------------------

HWND TooltipOfThisThread() { return ThreadWindowOfClass(TOOLTIPS_CLASSW); }

void MovePointerTo(POINT screen) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof(input));
}

// Runs the message loop for `milliseconds`, or until `done` holds.
template <typename Done>
bool PumpUntil(Done done, int milliseconds) {
  for (int waited = 0; waited < milliseconds; waited += 10) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != 0) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (done()) return true;
    Sleep(10);
  }
  return false;
}

// The pointer is far from where the window opens before the driver opens it
// (the cases before left it over the window).
struct PointerAwayFirst {
  PointerAwayFirst() {
    MovePointerTo({GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1});
    PumpUntil([] { return false; }, 50);
  }
};

class PointerComing : private PointerAwayFirst, public BindingTest {};

TEST_F(PointerComing, BringsEveryHintAsATooltipAndTheHintShowsOverItsControl) {
  EXPECT_EQ(TooltipOfThisThread(), nullptr) << "made before the pointer came";
  const auto inventory = model.Inventory();
  std::size_t hinted = 0;
  int tools = 0;
  for (std::size_t i = 0; i < inventory.size(); ++i) {
    if (inventory[i].hint.empty()) continue;
    tools += inventory[i].kind == ControlKind::ComboBox ? 2 : 1;
    if (hinted == 0 && inventory[i].kind == ControlKind::Label) hinted = i;
  }
  ASSERT_NE(hinted, 0U) << "no label with a hint";
  HWND label = ControlAt(FormWindowTitled("Tavrelo"), hinted);
  ASSERT_NE(label, nullptr);
  RECT box{};
  GetWindowRect(label, &box);
  const POINT middle{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
  MovePointerTo({middle.x - 2, middle.y});
  PumpUntil([] { return false; }, 50);
  MovePointerTo(middle);
  HWND tooltip = nullptr;
  ASSERT_TRUE(PumpUntil(
      [&tooltip] {
        tooltip = TooltipOfThisThread();
        return tooltip != nullptr && IsWindowVisible(tooltip) != 0;
      },
      3000))
      << "no tooltip shown over " << DisplayName(inventory[hinted].Key());
  EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), tools);
  wchar_t shown[256] = {};
  TTTOOLINFOW current{};
  current.cbSize = sizeof(current);
  current.lpszText = shown;
  ASSERT_NE(SendMessageW(tooltip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&current)), 0);
  EXPECT_EQ(Narrow(shown), inventory[hinted].hint);
}

}  // namespace
}  // namespace tavrelo::ui::win32
