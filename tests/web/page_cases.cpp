// What only the web page can be asked: where every element stands and what
// it is called, the ξn table and the message as Chromium's accessibility tree
// gives them to a screen reader, the labels' lines, a phone's narrow viewport,
// and the keys a browser would otherwise give its own meaning.
#include <emscripten.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "tests/binding_cases/binding_test.h"
#include "tests/web/web_driver.h"
#include "ui/text_wrap.h"
#include "ui/view_rules.h"

// clang-format off
EM_JS(char*, page_case_text, (const char* expression), {
  var found = (function (q) {
    var pick = q.split("|"), e = document.querySelector(pick[0]);
    if (pick[1] === "count") return String(document.querySelectorAll(pick[0]).length);
    if (!e) return "(none)";
    return pick[1] === "box" ? [e.offsetLeft, e.offsetTop, e.offsetWidth, e.offsetHeight].join(" ")
         : pick[1] === "rect" ? (function (r) { return [r.left, r.top, r.width, r.height].join(" "); })(e.getBoundingClientRect())
         : pick[1] === "field" ? (e.matches("input,textarea,button") ? e.tagName : (e.querySelector("input,textarea,button") || {tagName: "-"}).tagName)
         : pick[1] === "parent" ? (e.parentNode.closest("[data-control]") || {dataset: {control: "(page)"}}).dataset.control
         : pick[1] === "scroll" ? document.documentElement.scrollWidth + " " + document.documentElement.clientWidth
         : e.getAttribute(pick[1]) !== null ? e.getAttribute(pick[1]) : e.textContent;
  })(UTF8ToString(expression));
  return tvTest.out(found);
});
EM_ASYNC_JS(void, page_case_wait, (int milliseconds), {
  await new Promise(function (resolve) { setTimeout(resolve, milliseconds); });
});
EM_ASYNC_JS(void, page_case_clipboard, (const char* text), { await navigator.clipboard.writeText(UTF8ToString(text)); });
EM_JS(void, page_case_subject, (const char* selector), { tvTest.subject = document.querySelector(UTF8ToString(selector)); });
// clang-format on

namespace tavrelo::ui {
namespace {

using testing_support::Act;
using testing_support::BindingTest;
using testing_support::DriverKey;
using testing_support::WebFormDriver;

// Reads the page: "SELECTOR|box" (offset box in its container), "|rect", "|count",
// "|field" (the tag of the element that takes the focus), "|parent" (the
// control holding it), "|ATTRIBUTE", or the text.
std::string Read(const std::string& query) {
  char* text = page_case_text(query.c_str());
  std::string read(text);
  std::free(text);
  return read;
}

std::string Selector(ControlKey key) { return "[data-control=\"" + DisplayName(key) + "\"]"; }

// Where an element stands in the viewport, as drawn (its bounding rect).
struct Rect {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
};

Rect ReadRect(const std::string& selector) {
  const std::string read = Read(selector + "|rect");
  Rect rect;
  if (std::sscanf(read.c_str(), "%lf %lf %lf %lf", &rect.left, &rect.top, &rect.width, &rect.height) != 4)
    ADD_FAILURE() << selector << ": no rect in " << read;
  return rect;
}

class Page : public BindingTest {
 protected:
  WebFormDriver& web = static_cast<WebFormDriver&>(*driver);

  std::string Tree(const std::string& selector) {
    page_case_subject(selector.c_str());
    return Act("{\"axTree\":true}");
  }
};

TEST_F(Page, EveryControlStandsAtItsPixelsInItsContainerUnderItsName) {
  for (const ControlSpec& row : model.Inventory()) {
    const std::string name = DisplayName(row.Key());
    if (row.kind == ControlKind::Line) {
      EXPECT_EQ(Read(Selector(row.Key()) + "|count"), "0") << name << ": a line is no element";
      continue;
    }
    EXPECT_EQ(Read(Selector(row.Key()) + "|count"), "1") << name;
    const PixelBox box = row.kind == ControlKind::Form ? ClientArea(model) : PixelRect(row);
    const std::string expected = std::to_string(box.x) + " " + std::to_string(box.y) + " " + std::to_string(box.width) +
                                 " " + std::to_string(box.height);
    EXPECT_EQ(Read(Selector(row.Key()) + "|box"), expected) << name;
    const std::string container = row.container.empty() ? "Form1" : std::string(row.container);
    EXPECT_EQ(Read(Selector(row.Key()) + "|parent"), row.kind == ControlKind::Form ? "(page)" : container) << name;
    if (row.TakesFocus()) {
      const char* field = row.kind == ControlKind::ComboBox  ? "INPUT"
                          : row.kind == ControlKind::TextBox ? "TEXTAREA"
                                                             : "BUTTON";
      EXPECT_EQ(Read(Selector(row.Key()) + "|field"), field) << name;
    }
  }
  EXPECT_EQ(Read("title"), "Tavrelo");
  EXPECT_EQ(Read("html|lang"), "zh-CN");
}

// The downdrag window's elements are made when it is first opened, with
// what the main window's press brought it; closed, it stays on the page.
TEST_F(Page, WindowOpenedFromTheMainOneIsMadeWhenFirstOpened) {
  FillTypicalUse();
  driver->ClickCompute();
  EXPECT_EQ(Read(".tv-window|count"), "0");
  ASSERT_TRUE(driver->ChooseFromResultMenu("下拉荷载计算（JGJ 94-2008）…"));
  ASSERT_EQ(Read(".tv-window|count"), "1");
  EXPECT_EQ(Read(".tv-window|aria-label"), "下拉荷载计算（JGJ 94-2008 第5.4.4条）");
  EXPECT_NE(Read(".tv-window .tv-picture|count"), "0");
  EXPECT_NE(Read(".tv-window .tv-picture svg|count"), "0") << "drawn as it opens";
  EXPECT_EQ(Read(".tv-window|style").find("display: none"), std::string::npos);
}

// Read row by row, the first row the column headings; the grid's lines are
// nowhere in the tree.
TEST_F(Page, ReferenceTableIsReadAsATable) {
  std::vector<std::string> cells;
  int rows = 0;
  std::string tree = Tree(Selector({"Frame3"}));
  for (std::size_t start = 0; start < tree.size();) {
    std::size_t end = tree.find('\n', start);
    if (end == std::string::npos) end = tree.size();
    std::string line = tree.substr(start, end - start);
    line.erase(0, line.find_first_not_of(' '));
    if (line.starts_with("row")) ++rows;
    if (line.starts_with("cell ") || line.starts_with("columnheader ")) cells.push_back(line);
    start = end + 1;
  }
  EXPECT_EQ(rows, controls::kReferenceTable.rows) << tree;
  ASSERT_EQ(cells.size(), 15U) << tree;
  EXPECT_EQ(cells[0], "columnheader 项次");
  EXPECT_EQ(cells[2], "columnheader ξn");
  EXPECT_EQ(cells[3], "cell 1");
  EXPECT_EQ(cells[4], "cell 饱和软土");
  EXPECT_EQ(cells[14], "cell 0.20-0.35");
  EXPECT_NE(tree.find("table"), std::string::npos) << tree;
}

TEST_F(Page, FieldsAreNamedLabelledAndDescribedForAScreenReader) {
  EXPECT_EQ(Read("label[for=\"tv-Combo1\"]|data-control"), "Label1");
  EXPECT_EQ(Read("label[for=\"tv-Combo7\"]|data-control"), "Label7");
  const std::string tree = Tree(Selector(controls::UnitWeight(2)));
  EXPECT_EQ(tree.substr(0, tree.find('\n')), "combobox 第2层 重度（kn/m3）") << tree;
  EXPECT_EQ(Read(Selector(controls::UnitWeight(2)) + " input|aria-description"), "编号 2，重度（kn/m3）");
  EXPECT_EQ(Read(Selector(controls::UnitWeight(2)) + " input|title"), "kn/m3");
  EXPECT_EQ(Read("[data-control=\"Form1\"] [aria-live=polite]|count"), "2") << "two to a window";
}

// The message holds the focus until it is closed; then the field at fault
// takes it with its text selected.
TEST_F(Page, FailedPressMessageIsModalUntilClosedThenTheFieldAtFaultHasTheFocus) {
  driver->Type(controls::kLayerCount, "9");
  const auto button = web.CentreOf(web.Page().Element(controls::kCompute));
  web.ClickAt(button.x, button.y);
  ASSERT_TRUE(web.MessageOpen());
  const std::string tree = Tree("[role=alertdialog]");
  EXPECT_EQ(tree.substr(0, tree.find('\n')), "alertdialog Tavrelo") << tree;
  EXPECT_NE(tree.find("button 确定"), std::string::npos) << tree;
  EXPECT_EQ(Read("[role=alertdialog]|aria-modal"), "true");
  for (const DriverKey key : {DriverKey::Tab, DriverKey::ShiftTab, DriverKey::Tab}) {
    driver->Key(key);
    EXPECT_EQ(driver->Focused(), "(not a control)") << KeyName(key);
    EXPECT_TRUE(web.MessageOpen()) << KeyName(key);
  }
  EXPECT_EQ(driver->Focused(), "(not a control)");
  driver->Key(DriverKey::Escape);
  EXPECT_FALSE(web.MessageOpen());
  EXPECT_EQ(driver->Focused(), "Combo1");
  EXPECT_EQ(driver->SelectedText(controls::kLayerCount), "9");
}

TEST_F(Page, EnterOnTheFocusedButtonDoesNotPressIt) {
  int presses = 0;
  model.OnPress(controls::kCompute, [&presses] { ++presses; });
  driver->Focus(controls::kCompute);
  driver->Key(DriverKey::Enter);
  driver->Key(DriverKey::KeypadEnter);
  EXPECT_EQ(presses, 0);
  driver->Key(DriverKey::Space);
  EXPECT_EQ(presses, 1);
}

TEST_F(Page, OpenListIsWalkedWithTheArrowsAndPickedWithEnter) {
  std::vector<std::string> seen;
  model.OnSelect(controls::kCoefficient, [&] { seen.push_back(model.Text(controls::kCoefficient)); });
  driver->Focus(controls::kCoefficient);
  // Alt+Down opens the list; the arrows move in it without picking.
  Act(R"({"cdp":[["Input.dispatchKeyEvent",{"type":"rawKeyDown","key":"ArrowDown","code":"ArrowDown",)"
      R"("windowsVirtualKeyCode":40,"modifiers":1}],["Input.dispatchKeyEvent",{"type":"keyUp","key":"ArrowDown",)"
      R"("code":"ArrowDown","windowsVirtualKeyCode":40,"modifiers":1}]]})");
  ASSERT_EQ(Read("#tv-list|count"), "1");
  for (int i = 0; i < 3; ++i) driver->Key(DriverKey::Down);
  driver->Key(DriverKey::Up);
  EXPECT_TRUE(seen.empty());
  driver->Key(DriverKey::Enter);
  EXPECT_EQ(seen, std::vector<std::string>{"0.16"});
  EXPECT_EQ(Read("#tv-list|count"), "0");
  // The wheel over the focused, closed box steps like the arrows.
  const auto centre = web.CentreOf(web.Page().Element(controls::kCoefficient));
  const std::string at = ",\"x\":" + std::to_string(centre.x) + ",\"y\":" + std::to_string(centre.y);
  Act("{\"cdp\":[[\"Input.dispatchMouseEvent\",{\"type\":\"mouseWheel\",\"deltaX\":0,\"deltaY\":100" + at + "}]]}");
  EXPECT_EQ(seen, (std::vector<std::string>{"0.16", "0.17"}));
}

// The result box's menu by the pointer's right button and by a long touch,
// as well as by the keys (the shared cases): the same entries every way.
TEST_F(Page, ResultMenuOpensOnARightClickAndALongTouch) {
  const std::vector<std::string> byKeys = driver->ResultMenuEntries();
  const auto box = web.CentreOf(web.Page().Element(controls::kResult));
  web.ClickAt(box.x, box.y, true);
  EXPECT_EQ(Read("[role=menu]|count"), "1") << "right click";
  driver->Key(DriverKey::Escape);
  EXPECT_EQ(Read("[role=menu]|count"), "0");
  EXPECT_EQ(driver->Focused(), "Text1");
  const std::string at = "\"touchPoints\":[{\"x\":" + std::to_string(box.x) + ",\"y\":" + std::to_string(box.y) + "}]";
  // A phone's screen: touch events on.
  Act(R"({"cdp":[["Emulation.setTouchEmulationEnabled",{"enabled":true,"maxTouchPoints":1}]]})");
  Act("{\"cdp\":[[\"Input.dispatchTouchEvent\",{\"type\":\"touchStart\"," + at + "}]]}");
  page_case_wait(800);
  Act("{\"cdp\":[[\"Input.dispatchTouchEvent\",{\"type\":\"touchEnd\",\"touchPoints\":[]}]]}");
  EXPECT_EQ(Read("[role=menu]|count"), "1") << "long touch";
  driver->Key(DriverKey::Escape);
  Act(R"({"cdp":[["Emulation.setTouchEmulationEnabled",{"enabled":false}]]})");
  EXPECT_EQ(driver->ResultMenuEntries(), byKeys);
}

// A browser may refuse a page from file:// the asynchronous clipboard: the
// copying commands then copy through a selected text.
TEST_F(Page, CopyingFallsBackWhenTheAsynchronousClipboardIsRefused) {
  FillTypicalUse();
  driver->ClickCompute();
  page_case_clipboard("(before)");
  Act(R"({"cdp":[["Browser.setPermission",{"permission":{"name":"clipboard-write"},"setting":"denied"}]]})");
  ASSERT_TRUE(driver->ChooseFromResultMenu("复制计算过程"));
  const std::string copied = driver->ClipboardText();
  Act(R"({"cdp":[["Browser.grantPermissions",{"permissions":["clipboardReadWrite","clipboardSanitizedWrite"]}]]})");
  EXPECT_EQ(ToCrLf(copied), ToCrLf(model.CommandCopy(controls::kCopySteps).text));
}

// Each label's lines are WrapLines' in the page's font; the notes give four,
// one note a line, as in the Linux window.
TEST_F(Page, LabelsBreakIntoTheLinesOfTheWindow) {
  for (const ControlSpec& row : model.Inventory()) {
    if (row.kind != ControlKind::Label) continue;
    const std::string shown = Read(Selector(row.Key()));
    const std::size_t lines = 1 + static_cast<std::size_t>(std::count(shown.begin(), shown.end(), '\n'));
    EXPECT_EQ(lines, row.name == "Label6" ? 4U : 1U) << DisplayName(row.Key()) << ": " << shown;
  }
  const std::string notes = Read(Selector({"Label6"}));
  EXPECT_TRUE(notes.starts_with("注：1、")) << notes;
  EXPECT_NE(notes.find("\n2、"), std::string::npos) << notes;
  EXPECT_NE(notes.find("\n3、"), std::string::npos) << notes;
}

// A phone: the whole form scaled down to the width, never reflowed.
TEST_F(Page, NarrowViewportScalesTheWholeFormDown) {
  const std::string own = Read("[data-control=Form1]|rect");
  web.SetViewport(314, 600);
  EXPECT_EQ(Read("[data-control=Form1]|rect"), "0 0 314 158");
  EXPECT_EQ(Read(Selector(controls::kCompute) + "|box"), "288 224 25 81") << "laid out as before";
  EXPECT_EQ(Read("html|scroll"), "314 314") << "no sideways scrolling";
  driver->PickByPointer(controls::kLayerCount, "3.0");
  EXPECT_EQ(model.Text(controls::kLayerCount), "3.0");
  web.SetViewport(0, 0);
  EXPECT_EQ(Read("[data-control=Form1]|rect"), own) << "the browser's own viewport again";
}

// How big the form is drawn and where, by viewport: on a desktop scaled up
// by half steps while the whole form fits (at most 2×) and centred; where
// even 1× is wider than the viewport, down to its width at the top. Each
// viewport follows the one before: where it is smaller, the form drawn at the
// last size overflows it at first, and the scrollbars that brings must not
// be taken from the room ("2× exactly", "1× exactly").
TEST_F(Page, FormIsScaledByHalfStepsToTheViewportAndCentredOnADesktop) {
  const struct {
    const char* name;
    int width;
    int height;
    double scale;
  } viewports[] = {
      {"desktop 1600 × 1000", 1600, 1000, 2},
      {"2× exactly", 1256, 632, 2},
      {"a pixel too narrow for 2×", 1255, 1000, 1.5},
      {"too low for 2×", 1600, 631, 1.5},
      {"too low for 1.5×", 1600, 473, 1},
      {"too narrow for 1.5×", 941, 1000, 1},
      {"1× exactly", 628, 316, 1},
      {"phone 390 × 844", 390, 844, 390.0 / 628},
  };
  for (const auto& viewport : viewports) {
    web.SetViewport(viewport.width, viewport.height);
    const Rect form = ReadRect(Selector(controls::kForm));
    EXPECT_NEAR(form.width, 628 * viewport.scale, 0.01) << viewport.name;
    EXPECT_NEAR(form.height, 316 * viewport.scale, 0.01) << viewport.name;
    const bool shrunk = viewport.scale < 1;
    EXPECT_NEAR(form.left, shrunk ? 0 : (viewport.width - form.width) / 2, 1) << viewport.name;
    EXPECT_NEAR(form.top, shrunk ? 0 : (viewport.height - form.height) / 2, 1) << viewport.name;
    EXPECT_EQ(Read("html|scroll"), std::to_string(viewport.width) + " " + std::to_string(viewport.width))
        << viewport.name << ": no sideways scrolling";
  }
  web.SetViewport(0, 0);
}

// Over the form drawn at 2× and centred: the open list under its box and as
// wide, the entry under the pointer the one picked, the message centred on
// the form, the result box's menu at the pointer.
TEST_F(Page, ListMessageAndMenuStandOverTheScaledCentredForm) {
  web.SetViewport(1600, 1000);
  const Rect form = ReadRect(Selector(controls::kForm));
  EXPECT_NEAR(form.width, 1256, 0.01);

  const Rect box = ReadRect(Selector(controls::kLayerCount));
  const Rect drop = ReadRect(Selector(controls::kLayerCount) + " .tv-drop");
  web.ClickAt(drop.left + drop.width / 2, drop.top + drop.height / 2);
  const Rect list = ReadRect("#tv-list");
  EXPECT_NEAR(list.left, box.left, 1);
  EXPECT_NEAR(list.top, box.top + box.height, 1);
  EXPECT_GE(list.width, box.width - 1);
  EXPECT_NEAR(list.height, 2 * (5 * 16 + 2), 1) << "five entries of 16 px and the border, at 2×";
  driver->Key(DriverKey::Escape);
  driver->PickByPointer(controls::kLayerCount, "4.0");
  EXPECT_EQ(model.Text(controls::kLayerCount), "4.0");

  driver->Type(controls::kLayerCount, "9");
  const auto button = web.CentreOf(web.Page().Element(controls::kCompute));
  web.ClickAt(button.x, button.y);
  EXPECT_TRUE(web.MessageOpen());
  const Rect message = ReadRect("[role=alertdialog]");
  EXPECT_NEAR(message.left + message.width / 2, form.left + form.width / 2, 1);
  EXPECT_NEAR(message.top + message.height / 2, form.top + form.height / 2, 1);
  EXPECT_GE(message.width, 2 * 220 - 1) << "at the form's scale, as the window around it";
  driver->Key(DriverKey::Escape);

  const auto result = web.CentreOf(web.Page().Element(controls::kResult));
  web.ClickAt(result.x, result.y, true);
  const Rect menu = ReadRect("[role=menu]");
  EXPECT_NEAR(menu.left, result.x, 1);
  // Below the pointer, or above it where the viewport has no room below.
  EXPECT_TRUE(std::abs(menu.top - result.y) <= 1 || std::abs(menu.top + menu.height - result.y) <= 1)
      << menu.top << " + " << menu.height << " at " << result.y;
  EXPECT_GE(ReadRect("[role=menuitem]").height, 2 * 18 - 1) << "at the form's scale";
  driver->Key(DriverKey::Escape);
  web.SetViewport(0, 0);
}

}  // namespace
}  // namespace tavrelo::ui
