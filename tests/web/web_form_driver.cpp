#include <emscripten.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "tests/support/typed_characters.h"
#include "tests/web/web_driver.h"
#include "ui/view_rules.h"

// The page's half of the driver (no backslash in these bodies: em++ 3.1.6
// copies them into JSON unescaped). tvTest hands requests to the controller
// (next) and takes its answers (finish); the binding's elements are tv.e.
// clang-format off
EM_JS(void, drv_install, (), {
  if (window.tvTest) return;
  window.tvTest = {
    queue: [], waiting: null, done: null, spoken: [], subject: null,
    post: function (request) {
      var waiting = this.waiting;
      this.waiting = null;
      waiting ? waiting(request) : this.queue.push(request);
    },
    next: function () {
      var self = this;
      return self.queue.length ? Promise.resolve(self.queue.shift())
                               : new Promise(function (resolve) { self.waiting = resolve; });
    },
    finish: function (answer) {
      var done = this.done;
      this.done = null;
      done(answer);
    },
    out: function (text) {
      var n = lengthBytesUTF8(text) + 1, p = _malloc(n);
      stringToUTF8(text, p, n);
      return p;
    },
    centre: function (e) {
      var r = e.getBoundingClientRect();
      return tvTest.out((r.left + r.width / 2) + " " + (r.top + r.height / 2));
    }
  };
});
// What reaches the screen reader: every text the live regions take, on
// the page as it is and in any window made later (one watch for every
// driver of the test program).
EM_JS(void, drv_watch, (), {
  if (tvTest.watching) return;
  tvTest.watching = true;
  new MutationObserver(function (changes) {
    changes.forEach(function (change) {
      var node = change.target.closest ? change.target : change.target.parentNode;
      var region = node && node.closest("[aria-live]");
      if (region && region.textContent) tvTest.spoken.push(region.textContent);
    });
  }).observe(document.body, {childList: true, characterData: true, subtree: true});
});
EM_ASYNC_JS(char*, drv_act, (const char* request), {
  var answer = await new Promise(function (resolve) {
    tvTest.done = resolve;
    tvTest.post(JSON.parse(UTF8ToString(request)));
  });
  // Whatever the input set off in later tasks (a focus, a clipboard write).
  await new Promise(function (resolve) { setTimeout(resolve, 0); });
  return tvTest.out(typeof answer === "string" ? answer : JSON.stringify(answer));
});
// Until the page has drawn a frame (and what the frame set off has run).
EM_ASYNC_JS(void, drv_frame, (), {
  await new Promise(function (resolve) { requestAnimationFrame(function () { setTimeout(resolve, 0); }); });
});
EM_JS(char*, drv_label, (int h), { return tvTest.out(tv.e[h].getAttribute("aria-label") || ""); });
EM_ASYNC_JS(char*, drv_clipboard, (), {
  var text = await navigator.clipboard.readText().catch(function () { return "(no clipboard)"; });
  return tvTest.out(text);
});
EM_ASYNC_JS(char*, drv_clipboard_html, (), {
  var html = await navigator.clipboard.read().then(function (items) {
    var item = items.find(function (i) { return i.types.indexOf("text/html") >= 0; });
    return item ? item.getType("text/html").then(function (b) { return b.text(); }) : "";
  }).catch(function () { return ""; });
  return tvTest.out(html);
});
EM_JS(char*, drv_focused, (), {
  var a = document.activeElement, control = a && a.closest("[data-control]");
  return tvTest.out(!a || a === document.body ? "(nothing)" : control ? control.dataset.control : "(not a control)");
});
EM_JS(char*, drv_text, (int h), {
  var e = tv.e[h];
  return tvTest.out("value" in e ? e.value : e.textContent.split(String.fromCharCode(10)).join(""));
});
// The selection as bytes of UTF-8 from the start of the value, each line
// break as two (CR LF) when `crlf` is set.
EM_JS(char*, drv_selection, (int h, int crlf), {
  var e = tv.e[h], bytes = function (at) {
    var t = e.value.substring(0, at);
    return lengthBytesUTF8(t) + (crlf ? t.split(String.fromCharCode(10)).length - 1 : 0);
  };
  return tvTest.out(bytes(e.selectionStart) + " " + bytes(e.selectionEnd));
});
EM_JS(int, drv_limit, (int h), { return tv.e[h].maxLength; });
// The open list: its combo box and its highlighted entry; "" for none.
EM_JS(char*, drv_open_list, (), {
  var list = tv.list;
  if (!list || !list.getClientRects().length) return tvTest.out("");
  return tvTest.out(list.box.dataset.control + " " + list.on);
});
// Where the element's top-left corner is in the viewport, and how many
// viewport pixels its own pixel takes (the form's scale).
EM_JS(char*, drv_origin, (int h), {
  var r = tv.e[h].getBoundingClientRect();
  return tvTest.out(r.left + " " + r.top + " " + tv.scale);
});
EM_ASYNC_JS(void, drv_put_on_clipboard, (const char* text), {
  await navigator.clipboard.writeText(UTF8ToString(text)).catch(function () {});
});
EM_JS(int, drv_shown, (int h), { return tv.e[h].getClientRects().length > 0 ? 1 : 0; });
EM_JS(int, drv_index, (int box), { return tv.e[box].index; });
EM_JS(char*, drv_entries, (int box), { return tvTest.out(tv.e[box].entries.join(String.fromCharCode(10))); });
EM_JS(char*, drv_centre, (int h), { return tvTest.centre(tv.e[h]); });
EM_JS(char*, drv_drop_centre, (int box), { return tvTest.centre(tv.e[box].querySelector(".tv-drop")); });
EM_JS(char*, drv_close_centre, (int form), {
  var frame = tv.e[form].closest(".tv-window");
  return frame ? tvTest.centre(frame.querySelector(".tv-close")) : tvTest.out("");
});
// The entry of the open list, scrolled into view; "" when the list is closed.
EM_JS(char*, drv_entry_centre, (int box, const char* entry), {
  var list = document.getElementById("tv-list"), text = UTF8ToString(entry);
  if (!list || list.box !== tv.e[box]) return tvTest.out("");
  var item = [].find.call(list.children, function (o) { return o.textContent === text; });
  if (!item) return tvTest.out("");
  list.scrollTop = item.offsetTop;
  return tvTest.centre(item);
});
EM_JS(char*, drv_message, (), {
  var box = document.querySelector("[role=alertdialog]");
  return tvTest.out(box ? document.getElementById(box.getAttribute("aria-labelledby")).textContent + String.fromCharCode(31) +
                          document.getElementById(box.getAttribute("aria-describedby")).textContent : "");
});
// The open menu's entries as read: the access key's "(U)" left out, "" for
// a separator, "-" before one that cannot be chosen.
EM_JS(char*, drv_menu, (), {
  var menu = document.querySelector("[role=menu]");
  if (!menu) return tvTest.out("");
  return tvTest.out([].map.call(menu.children, function (item) {
    if (item.getAttribute("role") === "separator") return "";
    var read = item.firstChild.textContent, n = read.length;
    if (read.charAt(n - 1) === ")" && read.charAt(n - 3) === "(") read = read.slice(0, n - 3);
    return (item.getAttribute("aria-disabled") ? "-" : "") + read;
  }).join(String.fromCharCode(10)));
});
EM_JS(char*, drv_menu_centre, (int item), { return tvTest.centre(document.querySelector("[role=menu]").children[item]); });
EM_JS(char*, drv_spoken, (), { return tvTest.out(tvTest.spoken.join(String.fromCharCode(30))); });
EM_JS(void, drv_focus, (int h), { tv.e[h].focus(); });
EM_JS(void, drv_clear_spoken, (), { tvTest.spoken = []; });
// The element's rect in the viewport, "x y width height"; a form's window
// (its frame) where it has one.
EM_JS(char*, drv_rect, (int h), {
  var e = tv.e[h], w = e.closest(".tv-window");
  var r = (e.classList.contains("tv-form") && w ? w : e).getBoundingClientRect();
  return tvTest.out(r.left + " " + r.top + " " + r.width + " " + r.height);
});
// How many CSS pixels a pixel of the element's own layout takes on screen.
EM_JS(double, drv_scale, (int h), { return tv.e[h].getBoundingClientRect().width / tv.e[h].offsetWidth; });
// Where to drag a window's title bar, "x1 y1 x2 y2", so that the element
// can be reached: a window that covers its centre moved below it (or to its
// right where below leaves the bar no room), the element's own window
// brought back to the corner where its centre is out of the viewport; ""
// when it can be reached as it stands.
EM_JS(char*, drv_uncover, (int h), {
  var t = tv.e[h], r = t.getBoundingClientRect(), v = document.documentElement;
  var x = r.left + r.width / 2, y = r.top + r.height / 2;
  var grip = function (w) {
    var b = w.querySelector(".tv-titlebar").getBoundingClientRect();
    return [b.left + 40, b.top + b.height / 2];
  };
  var own = t.closest(".tv-window");
  if (own && (x < 0 || y < 0 || x >= v.clientWidth || y >= v.clientHeight)) {
    var g = grip(own), o = own.getBoundingClientRect();
    return tvTest.out(g[0] + " " + g[1] + " " + (g[0] - o.left) + " " + (g[1] - o.top));
  }
  var e = document.elementFromPoint(x, y), w = e && !t.contains(e) && e.closest(".tv-window");
  if (!w) return tvTest.out("");
  var p = grip(w), wr = w.getBoundingClientRect(), down = r.bottom + 8 - wr.top;
  if (p[1] + down + 12 > v.clientHeight) return tvTest.out(p[0] + " " + p[1] + " " + (p[0] + r.right + 8 - wr.left) + " " + p[1]);
  return tvTest.out(p[0] + " " + p[1] + " " + p[0] + " " + (p[1] + down));
});
EM_JS(void, drv_subject, (int h), { tvTest.subject = tv.e[h]; });
EM_JS(void, drv_exit, (int status), { tvTest.post({exit: status}); });
EM_JS(char*, drv_arguments, (), { return tvTest.out(decodeURIComponent(location.hash.slice(1))); });
// clang-format on

namespace tavrelo::ui::testing_support {
namespace {

using web::dom::Handle;
using web::dom::kNone;

std::string Take(char* text) {
  std::string taken(text);
  std::free(text);
  return taken;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  if (text.empty()) return parts;
  std::size_t start = 0;
  for (std::size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, start)) {
    parts.push_back(text.substr(start, at - start));
    start = at + 1;
  }
  parts.push_back(text.substr(start));
  return parts;
}

WebFormDriver::Point ParsePoint(const std::string& text) {
  WebFormDriver::Point point;
  if (std::sscanf(text.c_str(), "%lf %lf", &point.x, &point.y) != 2) ADD_FAILURE() << "no place: " << text;
  return point;
}

// A key as DevTools sends it: its DOM key and code, the Windows key code, the
// text it types (none for Tab, the arrows, …), Shift or Ctrl.
struct KeyPress {
  std::string key;
  std::string code;
  int keyCode = 0;
  std::string text;
  int modifiers = 0;  // 1 Alt, 2 Ctrl, 8 Shift
  int location = 0;   // 3 for the numeric keypad
};

constexpr int kAlt = 1;
constexpr int kCtrl = 2;
constexpr int kShift = 8;

// The editing command a shortcut stands for: DevTools' key events carry it,
// as the browser's own key bindings would.
std::string_view EditingCommand(const KeyPress& press) {
  if ((press.modifiers & kCtrl) == 0) return {};
  if (press.code == "KeyA") return "selectAll";
  if (press.code == "KeyC") return "copy";
  if (press.code == "KeyX") return "cut";
  if (press.code == "KeyV") return "paste";
  if (press.code == "KeyZ") return (press.modifiers & kShift) != 0 ? "redo" : "undo";
  if (press.code == "KeyY") return "redo";
  return {};
}

std::string KeyCommands(const KeyPress& press) {
  std::string common = ",\"key\":" + JsonString(press.key) + ",\"code\":" + JsonString(press.code) +
                       ",\"windowsVirtualKeyCode\":" + std::to_string(press.keyCode) +
                       ",\"modifiers\":" + std::to_string(press.modifiers) +
                       ",\"location\":" + std::to_string(press.location);
  std::string down = "{\"type\":\"" + std::string(press.text.empty() ? "rawKeyDown" : "keyDown") + "\"" + common;
  if (!press.text.empty())
    down += ",\"text\":" + JsonString(press.text) + ",\"unmodifiedText\":" + JsonString(press.text);
  if (const std::string_view command = EditingCommand(press); !command.empty()) {
    down += ",\"commands\":[" + JsonString(command) + "]";
  }
  return "[\"Input.dispatchKeyEvent\"," + down + "}],[\"Input.dispatchKeyEvent\",{\"type\":\"keyUp\"" + common + "}]";
}

// An ASCII character typed on a US keyboard.
KeyPress CharacterKey(char c) {
  KeyPress press{std::string(1, c), "", 0, std::string(1, c)};
  if (c >= '0' && c <= '9') {
    press.code = std::string("Digit") + c;
    press.keyCode = c;
  } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
    press.code = std::string("Key") + static_cast<char>(c & ~0x20);
    press.keyCode = c & ~0x20;
  } else if (c == '.') {
    press.code = "Period";
    press.keyCode = 190;
  } else if (c == '-') {
    press.code = "Minus";
    press.keyCode = 189;
  } else if (c == ' ') {
    press.code = "Space";
    press.keyCode = 32;
  }
  return press;
}

KeyPress DriverKeyPress(DriverKey key) {
  switch (key) {
    case DriverKey::Tab: return {"Tab", "Tab", 9};
    case DriverKey::ShiftTab: return {"Tab", "Tab", 9, "", kShift};
    case DriverKey::Enter: return {"Enter", "Enter", 13, "\r"};
    case DriverKey::KeypadEnter: return {"Enter", "NumpadEnter", 13, "\r", 0, 3};
    case DriverKey::Escape: return {"Escape", "Escape", 27};
    case DriverKey::Space: return {" ", "Space", 32, " "};
    case DriverKey::Down: return {"ArrowDown", "ArrowDown", 40};
    case DriverKey::Up: return {"ArrowUp", "ArrowUp", 38};
    case DriverKey::PageDown: return {"PageDown", "PageDown", 34};
    case DriverKey::PageUp: return {"PageUp", "PageUp", 33};
    case DriverKey::Left: return {"ArrowLeft", "ArrowLeft", 37};
    case DriverKey::Right: return {"ArrowRight", "ArrowRight", 39};
    case DriverKey::Home: return {"Home", "Home", 36};
    case DriverKey::End: return {"End", "End", 35};
    case DriverKey::Backspace: return {"Backspace", "Backspace", 8};
    case DriverKey::Delete: return {"Delete", "Delete", 46};
    case DriverKey::F4: return {"F4", "F4", 115};
    case DriverKey::AltDown: return {"ArrowDown", "ArrowDown", 40, "", kAlt};
    case DriverKey::CtrlA: return {"a", "KeyA", 65, "", kCtrl};
    case DriverKey::CtrlC: return {"c", "KeyC", 67, "", kCtrl};
    case DriverKey::CtrlX: return {"x", "KeyX", 88, "", kCtrl};
    case DriverKey::CtrlV: return {"v", "KeyV", 86, "", kCtrl};
    case DriverKey::CtrlZ: return {"z", "KeyZ", 90, "", kCtrl};
    case DriverKey::CtrlY: return {"y", "KeyY", 89, "", kCtrl};
    case DriverKey::CtrlShiftZ: return {"Z", "KeyZ", 90, "", kCtrl | kShift};
  }
  return {};
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string json = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      json += escaped;
    } else {
      json += c;
    }
  }
  return json + "\"";
}

std::string Act(const std::string& request) { return Take(drv_act(request.c_str())); }

void ReportExit(int status) {
  drv_install();
  drv_exit(status);
}

std::vector<std::string> PageArguments() {
  drv_install();
  return Split(Take(drv_arguments()), ' ');
}

WebFormDriver::WebFormDriver(Program& program) : FormDriver(program), pages_(program) {
  drv_install();
  pages_.Main().Show();
  drv_clear_spoken();
  drv_watch();
}

web::FormPage& WebFormDriver::PageOf(ControlKey control) const {
  for (const auto& page : pages_.All()) {
    if (page->Model().Contains(control)) return *page;
  }
  return pages_.Main();
}

bool WebFormDriver::IsTextBox(ControlKey control) const {
  const FormModel& model = ModelOf(control);
  return model.Contains(control) && model.Row(control).kind == ControlKind::TextBox;
}

// A key may press a button (Space) and open a message, which is read and
// closed; one that was open already is left to the keys.
void WebFormDriver::PressKey(const std::string& commands) {
  const bool open = MessageOpen();
  Act("{\"cdp\":[" + commands + "]}");
  if (!open) RecordMessage();
}

void WebFormDriver::ClickAt(double x, double y, bool right) {
  const std::string at = ",\"x\":" + std::to_string(x) + ",\"y\":" + std::to_string(y);
  const std::string button = std::string(",\"button\":\"") + (right ? "right" : "left") + "\",\"clickCount\":1";
  Act("{\"cdp\":[[\"Input.dispatchMouseEvent\",{\"type\":\"mouseMoved\"" + at +
      "}],[\"Input.dispatchMouseEvent\",{\"type\":\"mousePressed\"" + at + button +
      "}],[\"Input.dispatchMouseEvent\",{\"type\":\"mouseReleased\"" + at + button + "}]]}");
}

WebFormDriver::Point WebFormDriver::CentreOf(Handle element) { return ParsePoint(Take(drv_centre(element))); }

void WebFormDriver::Type(ControlKey combo, std::string_view text) {
  Focus(combo);
  // The whole text selected and deleted, then each character.
  PressKey(KeyCommands({"a", "KeyA", 65, "", kCtrl}) + "," + KeyCommands({"Delete", "Delete", 46}));
  TypeHere(text);
}

// ASCII from the keyboard, anything else as an input method commits it.
void WebFormDriver::TypeHere(std::string_view text) {
  std::string commands;
  for (const std::string_view character : TypedCharacters(text)) {
    if (!commands.empty()) commands += ",";
    if (character.size() == 1) {
      commands += KeyCommands(CharacterKey(character.front()));
    } else {
      commands += "[\"Input.insertText\",{\"text\":" + JsonString(character) + "}]";
    }
  }
  if (!commands.empty()) PressKey(commands);
}

// The composition (pinyin, ASCII) with the caret at its end, then the
// commit, which ends the composition.
void WebFormDriver::Commit(std::string_view text, std::string_view composing) {
  std::string commands;
  if (!composing.empty()) {
    const std::string end = std::to_string(composing.size());
    commands = "[\"Input.imeSetComposition\",{\"text\":" + JsonString(composing) + ",\"selectionStart\":" + end +
               ",\"selectionEnd\":" + end + "}],";
  }
  PressKey(commands + "[\"Input.insertText\",{\"text\":" + JsonString(text) + "}]");
}

// A window in the way dragged by its title bar, as a user moves it.
void WebFormDriver::Uncover(Handle element) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    double from[2] = {0, 0};
    double to[2] = {0, 0};
    if (std::sscanf(Take(drv_uncover(element)).c_str(), "%lf %lf %lf %lf", &from[0], &from[1], &to[0], &to[1]) != 4) {
      return;
    }
    const auto at = [](const double* point) {
      return ",\"x\":" + std::to_string(point[0]) + ",\"y\":" + std::to_string(point[1]);
    };
    Act("{\"cdp\":[[\"Input.dispatchMouseEvent\",{\"type\":\"mouseMoved\"" + at(from) +
        "}],[\"Input.dispatchMouseEvent\",{\"type\":\"mousePressed\",\"button\":\"left\",\"clickCount\":1" + at(from) +
        "}],[\"Input.dispatchMouseEvent\",{\"type\":\"mouseMoved\",\"button\":\"left\"" + at(to) +
        "}],[\"Input.dispatchMouseEvent\",{\"type\":\"mouseReleased\",\"button\":\"left\",\"clickCount\":1" + at(to) +
        "}]]}");
  }
}

void WebFormDriver::PickByPointer(ControlKey combo, std::string_view entry) {
  const Handle box = PageOf(combo).Element(combo);
  ASSERT_NE(box, kNone) << DisplayName(combo);
  Uncover(box);
  const Point arrow = ParsePoint(Take(drv_drop_centre(box)));
  ClickAt(arrow.x, arrow.y);
  const std::string place = Take(drv_entry_centre(box, std::string(entry).c_str()));
  ASSERT_FALSE(place.empty()) << "no open list holding " << entry << " for " << DisplayName(combo);
  const Point item = ParsePoint(place);
  ClickAt(item.x, item.y);
}

void WebFormDriver::Wheel(ControlKey combo, bool up) {
  Focus(combo);
  const Point centre = CentreOf(PageOf(combo).Element(combo));
  const std::string at = ",\"x\":" + std::to_string(centre.x) + ",\"y\":" + std::to_string(centre.y);
  Act("{\"cdp\":[[\"Input.dispatchMouseEvent\",{\"type\":\"mouseMoved\"" + at +
      "}],[\"Input.dispatchMouseEvent\",{\"type\":\"mouseWheel\"" + at +
      ",\"deltaX\":0,\"deltaY\":" + (up ? "-120" : "120") + "}]]}");
  drv_frame();
}

void WebFormDriver::Focus(ControlKey control) {
  if (const Handle field = PageOf(control).Field(control); field != kNone) drv_focus(field);
}

void WebFormDriver::Key(DriverKey key) { PressKey(KeyCommands(DriverKeyPress(key))); }

void WebFormDriver::Close(ControlKey form) {
  const std::string place = Take(drv_close_centre(PageOf(form).Element(form)));
  ASSERT_FALSE(place.empty()) << DisplayName(form) << " has no close button";
  const Point button = ParsePoint(place);
  ClickAt(button.x, button.y);
}

void WebFormDriver::Click(ControlKey control) {
  const Point spot = SpotInViewport(control);
  ClickAt(spot.x, spot.y);
  RecordMessage();
}

void WebFormDriver::DoubleClick(ControlKey control) {
  const Point spot = SpotInViewport(control);
  const std::string at = ",\"x\":" + std::to_string(spot.x) + ",\"y\":" + std::to_string(spot.y);
  std::string commands = "[\"Input.dispatchMouseEvent\",{\"type\":\"mouseMoved\"" + at + "}]";
  for (const char* count : {"1", "2"}) {
    const std::string button = ",\"button\":\"left\",\"clickCount\":" + std::string(count);
    commands += ",[\"Input.dispatchMouseEvent\",{\"type\":\"mousePressed\"" + at + button +
                "}],[\"Input.dispatchMouseEvent\",{\"type\":\"mouseReleased\"" + at + button + "}]";
  }
  Act("{\"cdp\":[" + commands + "]}");
  RecordMessage();
}

WebFormDriver::Point WebFormDriver::SpotInViewport(ControlKey control) {
  const Spot spot = ClickSpot(control);
  Uncover(PageOf(spot.on).Element(spot.on));
  double left = 0;
  double top = 0;
  double scale = 1;
  const std::string origin = Take(drv_origin(PageOf(spot.on).Element(spot.on)));
  if (std::sscanf(origin.c_str(), "%lf %lf %lf", &left, &top, &scale) != 3) ADD_FAILURE() << "no place: " << origin;
  return {left + spot.x * scale, top + spot.y * scale};
}

void WebFormDriver::PutOnClipboard(std::string_view text) { drv_put_on_clipboard(std::string(text).c_str()); }

// A message that opened is read, then closed with Enter as a user would.
void WebFormDriver::RecordMessage() {
  const std::vector<std::string> shown = Split(Take(drv_message()), '\x1f');
  if (shown.size() != 2) return;
  messages_.push_back({shown[0], shown[1]});
  Key(DriverKey::Enter);
  EXPECT_FALSE(MessageOpen()) << "Enter left the message open";
}

bool WebFormDriver::MessageOpen() { return !Take(drv_message()).empty(); }

std::string WebFormDriver::Focused() { return Take(drv_focused()); }

std::string WebFormDriver::Shown(ControlKey control) {
  // A form shows its caption: the page's title, or its window's title bar,
  // both of which the form's name for a screen reader follows.
  if (ModelOf(control).FormKey() == control) return Take(drv_label(PageOf(control).Element(control)));
  const Handle field = PageOf(control).Field(control);
  const Handle shown = field != kNone ? field : PageOf(control).Element(control);
  if (shown == kNone) return {};
  const std::string text = Take(drv_text(shown));
  return IsTextBox(control) ? ToCrLf(text) : text;
}

TextSelection WebFormDriver::SelectionOf(ControlKey control) {
  const Handle field = PageOf(control).Field(control);
  if (field == kNone) return {};
  TextSelection selection;
  const std::string bytes = Take(drv_selection(field, IsTextBox(control) ? 1 : 0));
  if (std::sscanf(bytes.c_str(), "%zu %zu", &selection.start, &selection.end) != 2) ADD_FAILURE() << bytes;
  return selection;
}

int WebFormDriver::TextLimit(ControlKey control) {
  const Handle field = PageOf(control).Field(control);
  return field != kNone ? drv_limit(field) : -1;
}

bool WebFormDriver::IsShown(ControlKey control) {
  const Handle element = PageOf(control).Element(control);
  return element != kNone && drv_shown(element) != 0;
}

int WebFormDriver::ShownIndex(ControlKey combo) {
  const Handle box = PageOf(combo).Element(combo);
  return box != kNone ? drv_index(box) : -1;
}

std::vector<std::string> WebFormDriver::ListEntries(ControlKey combo) {
  const Handle box = PageOf(combo).Element(combo);
  return box != kNone ? Split(Take(drv_entries(box)), '\n') : std::vector<std::string>{};
}

std::optional<OpenedList> WebFormDriver::OpenList() {
  const std::string open = Take(drv_open_list());
  const auto blank = open.rfind(' ');
  if (blank == std::string::npos) return std::nullopt;
  return OpenedList{open.substr(0, blank), std::atoi(open.c_str() + blank + 1)};
}

// As Chromium's accessibility tree gives it to a screen reader, for the
// element that takes the focus. A hidden control is not in that tree at all:
// for one, the name the page gave it (aria-label), which the tree gives it
// once it is shown.
std::string WebFormDriver::AccessibleName(ControlKey control) {
  // The field that takes the focus, or the element itself (a picture).
  const Handle own = PageOf(control).Field(control);
  const Handle field = own != kNone ? own : PageOf(control).Element(control);
  if (field == kNone) return {};
  if (!IsShown(control)) return Take(drv_label(field));
  drv_subject(field);
  return Act("{\"axName\":true}");
}

std::string WebFormDriver::AccessibilityTree(Handle element) {
  drv_subject(element);
  return Act("{\"axTree\":true}");
}

std::vector<std::string> WebFormDriver::Announcements() { return Split(Take(drv_spoken()), '\x1e'); }

std::vector<ShownMessage> WebFormDriver::Messages() { return messages_; }

std::vector<std::string> WebFormDriver::OpenResultMenu(ControlKey box) {
  Focus(box);
  PressKey(KeyCommands({"F10", "F10", 121, "", kShift}));
  const std::vector<std::string> entries = Split(Take(drv_menu()), '\n');
  EXPECT_FALSE(entries.empty()) << "Shift+F10 opened no menu";
  return entries;
}

std::vector<std::string> WebFormDriver::MenuEntriesOf(ControlKey box) {
  const std::vector<std::string> entries = OpenResultMenu(box);
  Key(DriverKey::Escape);
  return entries;
}

// The last entry from the keyboard (Up goes round to it, Enter chooses), the
// others with the pointer.
bool WebFormDriver::ChooseFromMenuOf(ControlKey box, std::string_view entry) {
  const std::vector<std::string> entries = OpenResultMenu(box);
  const auto found = std::find(entries.begin(), entries.end(), entry);
  if (found == entries.end()) {
    Key(DriverKey::Escape);
    return false;
  }
  if (found + 1 == entries.end()) {
    Key(DriverKey::Up);
    Key(DriverKey::Enter);
  } else {
    const Point item = ParsePoint(Take(drv_menu_centre(static_cast<int>(found - entries.begin()))));
    ClickAt(item.x, item.y);
  }
  return true;
}

std::string WebFormDriver::ClipboardText() { return Take(drv_clipboard()); }

std::string WebFormDriver::ClipboardHtml() { return Take(drv_clipboard_html()); }

void WebFormDriver::SetViewport(int width, int height) {
  if (width == 0) {
    Act("{\"cdp\":[[\"Emulation.clearDeviceMetricsOverride\",{}]]}");
  } else {
    Act("{\"cdp\":[[\"Emulation.setDeviceMetricsOverride\",{\"width\":" + std::to_string(width) +
        ",\"height\":" + std::to_string(height) + ",\"deviceScaleFactor\":1,\"mobile\":false}]]}");
  }
  drv_frame();
}

Capture WebFormDriver::CaptureOf(ControlKey control) {
  drv_frame();
  const Handle element = PageOf(control).Element(control);
  if (element == kNone) return {};
  const std::string rect = Take(drv_rect(element));
  const std::string answer = Act("{\"capture\":\"" + rect + "\"}");
  // "width height scale" and then six hex digits a pixel.
  Capture capture;
  int read = 0;
  if (std::sscanf(answer.c_str(), "%d %d %lf %n", &capture.width, &capture.height, &capture.scale, &read) != 3) {
    return {};
  }
  capture.scale = drv_scale(element);
  const std::size_t count = static_cast<std::size_t>(capture.width) * static_cast<std::size_t>(capture.height);
  capture.pixels.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = static_cast<std::size_t>(read) + 6 * i;
    if (at + 6 > answer.size()) return {};
    capture.pixels.push_back(static_cast<Rgb>(std::stoul(answer.substr(at, 6), nullptr, 16)));
  }
  return capture;
}

bool WebFormDriver::SavePicture(ControlKey control, const std::string& path) {
  drv_frame();
  const Handle element = PageOf(control).Element(control);
  if (element == kNone) return false;
  return Act("{\"screenshot\":" + JsonString(path) + ",\"clip\":\"" + Take(drv_rect(element)) + "\"}") != "null";
}

void WebFormDriver::Screenshot(const std::string& path) { Act("{\"screenshot\":" + JsonString(path) + "}"); }

std::unique_ptr<FormDriver> MakeFormDriver(Program& program) { return std::make_unique<WebFormDriver>(program); }

}  // namespace tavrelo::ui::testing_support
