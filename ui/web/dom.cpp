#include "ui/web/dom.h"

#include <emscripten.h>

#include <cstdlib>

// Texts cross as a pointer and a length in bytes (UTF-8); a text that comes
// back is allocated by the page and freed here. No backslash in these
// bodies: em++ 3.1.6 copies them into JSON unescaped (page.js splits lines). `tv` is the page's script
// (page.js): `tv.e` holds the elements by handle.
// clang-format off
EM_JS(int, tv_create, (const char* tag, int tagLength, int parent, const char* style, int styleLength), {
  var e = document.createElement(UTF8ToString(tag, tagLength));
  if (styleLength) e.style.cssText = UTF8ToString(style, styleLength);
  (parent < 0 ? document.body : tv.e[parent]).appendChild(e);
  return tv.e.push(e) - 1;
});
EM_JS(void, tv_attribute, (int h, const char* name, int nameLength, const char* value, int valueLength), {
  tv.e[h].setAttribute(UTF8ToString(name, nameLength), UTF8ToString(value, valueLength));
});
EM_JS(void, tv_add_style, (int h, const char* style, int length), {
  tv.e[h].style.cssText += UTF8ToString(style, length);
});
EM_JS(void, tv_text, (int h, const char* text, int length), {
  tv.e[h].textContent = UTF8ToString(text, length);
});
EM_JS(void, tv_markup, (int h, const char* markup, int length), {
  tv.e[h].innerHTML = UTF8ToString(markup, length);
});
EM_JS(void, tv_value, (int h, const char* text, int length), {
  var s = UTF8ToString(text, length);
  if (tv.e[h].value !== s) tv.e[h].value = s;
});
EM_JS(char*, tv_get_value, (int h), {
  var s = tv.e[h].value, n = lengthBytesUTF8(s) + 1, p = _malloc(n);
  stringToUTF8(s, p, n);
  return p;
});
EM_JS(void, tv_shown, (int h, int shown), { tv.e[h].style.display = shown ? "" : "none"; });
EM_JS(void, tv_focus, (int h, int selectAll), {
  tv.e[h].focus();
  if (selectAll) tv.e[h].select();
});
EM_JS(void, tv_title, (const char* text, int length), { document.title = UTF8ToString(text, length); });
EM_JS(void, tv_background, (const char* colour, int length), {
  document.documentElement.style.background = UTF8ToString(colour, length);
});
EM_JS(int, tv_width, (const char* font, int fontLength, const char* text, int length), {
  return Math.round(tv.measure(UTF8ToString(font, fontLength)).measureText(UTF8ToString(text, length)).width);
});
EM_JS(int, tv_line_height, (const char* font, int length), {
  var m = tv.measure(UTF8ToString(font, length)).measureText("国");
  return Math.round(m.fontBoundingBoxAscent + m.fontBoundingBoxDescent);
});
EM_JS(void, tv_combo, (int box, int field, int button, int position, const char* entries, int length), {
  tv.combo(tv.e[box], tv.e[field], tv.e[button], position, UTF8ToString(entries, length));
});
EM_JS(void, tv_combo_index, (int box, int entry), { tv.e[box].index = entry; });
EM_JS(void, tv_button, (int h, int position, int isDefault), { tv.button(tv.e[h], position, isDefault); });
EM_JS(void, tv_result_box, (int h, int position), { tv.resultBox(tv.e[h], position); });
EM_JS(void, tv_message, (int form, const char* title, int titleLength, const char* text, int textLength,
                         const char* button, int buttonLength), {
  tv.message(tv.e[form], UTF8ToString(title, titleLength), UTF8ToString(text, textLength),
             UTF8ToString(button, buttonLength));
});
EM_JS(void, tv_menu, (int x, int y, const char* items, int length), {
  tv.menu(x, y, UTF8ToString(items, length));
});
EM_JS(int, tv_edit_state, (int h), {
  var e = tv.e[h];
  return (e.selectionStart != e.selectionEnd ? 1 : 0) | (e.value ? 2 : 0) |
         (document.queryCommandEnabled("undo") ? 4 : 0);
});
EM_JS(void, tv_edit, (int h, const char* command, int length), { tv.edit(tv.e[h], UTF8ToString(command, length)); });
EM_JS(void, tv_copy, (const char* text, int length, const char* html, int htmlLength), {
  tv.copy(UTF8ToString(text, length), UTF8ToString(html, htmlLength));
});
EM_JS(void, tv_announce, (int first, int second, const char* text, int length), {
  var a = tv.e[first], b = tv.e[second], now = a.textContent ? b : a;
  (now === a ? b : a).textContent = "";
  now.textContent = UTF8ToString(text, length);
});
EM_JS(void, tv_ready, (int form, int first), { tv.ready(tv.e[form], tv.e[first]); });
EM_JS(void, tv_window, (int w, int bar, int close, int position), {
  tv.window(tv.e[w], tv.e[bar], tv.e[close], position);
});
EM_JS(int, tv_show, (int w, int first), { return tv.show(tv.e[w], tv.e[first]); });
EM_JS(char*, tv_rects, (int w), {
  var s = tv.rects(tv.e[w]), n = lengthBytesUTF8(s) + 1, p = _malloc(n);
  stringToUTF8(s, p, n);
  return p;
});
EM_JS(void, tv_place, (int w, int x, int y), { tv.place(tv.e[w], x, y); });
EM_JS(void, tv_hide, (int w), { tv.hide(tv.e[w]); });
EM_JS(void, tv_remove, (int form), { tv.remove(tv.e[form]); });
// clang-format on

namespace tavrelo::ui::web::dom {
namespace {

int Length(std::string_view text) { return static_cast<int>(text.size()); }

}  // namespace

Handle Create(std::string_view tag, Handle parent, std::string_view style) {
  return tv_create(tag.data(), Length(tag), parent, style.data(), Length(style));
}

void SetAttribute(Handle element, std::string_view name, std::string_view value) {
  tv_attribute(element, name.data(), Length(name), value.data(), Length(value));
}

void AddStyle(Handle element, std::string_view style) { tv_add_style(element, style.data(), Length(style)); }

void SetText(Handle element, std::string_view text) { tv_text(element, text.data(), Length(text)); }

void SetMarkup(Handle element, std::string_view markup) { tv_markup(element, markup.data(), Length(markup)); }

void SetValue(Handle element, std::string_view text) { tv_value(element, text.data(), Length(text)); }

std::string Value(Handle element) {
  char* text = tv_get_value(element);
  std::string value(text);
  std::free(text);
  return value;
}

void SetShown(Handle element, bool shown) { tv_shown(element, shown ? 1 : 0); }

void Focus(Handle element, bool selectAll) { tv_focus(element, selectAll ? 1 : 0); }

void SetTitle(std::string_view title) { tv_title(title.data(), Length(title)); }

void SetPageBackground(std::string_view colour) { tv_background(colour.data(), Length(colour)); }

int TextWidth(std::string_view font, std::string_view text) {
  return tv_width(font.data(), Length(font), text.data(), Length(text));
}

int LineHeight(std::string_view font) { return tv_line_height(font.data(), Length(font)); }

void MakeComboBox(Handle box, Handle field, Handle button, int position, std::string_view entries) {
  tv_combo(box, field, button, position, entries.data(), Length(entries));
}

void SetComboIndex(Handle box, int entry) { tv_combo_index(box, entry); }

void MakeButton(Handle button, int position, bool isDefault) { tv_button(button, position, isDefault ? 1 : 0); }

void MakeResultBox(Handle box, int position) { tv_result_box(box, position); }

void ShowMessage(Handle form, std::string_view title, std::string_view text, std::string_view button) {
  tv_message(form, title.data(), Length(title), text.data(), Length(text), button.data(), Length(button));
}

void ShowMenu(int x, int y, std::string_view items) { tv_menu(x, y, items.data(), Length(items)); }

EditState EditStateOf(Handle box) {
  const int bits = tv_edit_state(box);
  return {.undo = (bits & 4) != 0, .selection = (bits & 1) != 0, .text = (bits & 2) != 0, .paste = true};
}

void Edit(Handle box, std::string_view command) { tv_edit(box, command.data(), Length(command)); }

void Copy(std::string_view text, std::string_view html) {
  tv_copy(text.data(), Length(text), html.data(), Length(html));
}

void Announce(Handle first, Handle second, std::string_view text) {
  tv_announce(first, second, text.data(), Length(text));
}

void Ready(Handle form, Handle first) { tv_ready(form, first); }

void MakeWindow(Handle window, Handle bar, Handle close, int position) { tv_window(window, bar, close, position); }

bool ShowWindow(Handle window, Handle first) { return tv_show(window, first) != 0; }

WindowRects RectsOf(Handle window) {
  // Eight whole numbers, blank-separated (no scanf: it would bring the C
  // library's whole reading machinery into the page).
  char* text = tv_rects(window);
  WindowRects rects;
  int* const fields[] = {&rects.form.x, &rects.form.y, &rects.form.width, &rects.form.height,
                         &rects.width,  &rects.height, &rects.viewportWidth, &rects.viewportHeight};
  char* at = text;
  for (int* field : fields) *field = static_cast<int>(std::strtol(at, &at, 10));
  std::free(text);
  return rects;
}

void PlaceWindow(Handle window, int x, int y) { tv_place(window, x, y); }

void HideWindow(Handle window) { tv_hide(window); }

void Remove(Handle form) { tv_remove(form); }

}  // namespace tavrelo::ui::web::dom
