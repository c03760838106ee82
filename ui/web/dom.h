#pragma once
// The page's side of the binding, as C++ calls: elements made and changed by
// handle, text measured in the page's own fonts, and the few behaviours the
// browser has no element for (the drop-down list of an editable combo box,
// the modal message, the context menu, the clipboard, the live region), which
// the page's script (page.js) keeps. Each call is one small JavaScript
// function (dom.cpp); the page calls back only with numbers, through the
// functions form_page.cpp exports.

#include <string>
#include <string_view>

#include "ui/result_menu.h"
#include "ui/view_rules.h"

namespace tavrelo::ui::web::dom {

// An element of the page; kBody is the document's body.
using Handle = int;
inline constexpr Handle kBody = -1;
inline constexpr Handle kNone = -2;

// --- Elements ------------------------------------------------------------------

// A new element `tag` at the end of `parent`, with its inline style.
[[nodiscard]] Handle Create(std::string_view tag, Handle parent, std::string_view style = {});
void SetAttribute(Handle element, std::string_view name, std::string_view value);
// Appends to the inline style.
void AddStyle(Handle element, std::string_view style);
void SetText(Handle element, std::string_view text);
// Replaces the element's content with markup the program wrote (a drawing's
// <svg>; never a field's text).
void SetMarkup(Handle element, std::string_view markup);
// An input's or a textarea's text, replaced only when it differs (so that
// the caret stays where the user left it).
void SetValue(Handle element, std::string_view text);
[[nodiscard]] std::string Value(Handle element);
void SetShown(Handle element, bool shown);
// Focuses the element, its whole text selected when `selectAll`.
void Focus(Handle element, bool selectAll);
void SetTitle(std::string_view title);
void SetPageBackground(std::string_view colour);

// --- Fonts ---------------------------------------------------------------------

// The width of `text` in `font` (a CSS font), rounded to whole pixels, and
// the font's line height (ascent and descent).
[[nodiscard]] int TextWidth(std::string_view font, std::string_view text);
[[nodiscard]] int LineHeight(std::string_view font);

// --- Behaviours ------------------------------------------------------------------

// An editable combo box: `field` the input, `button` the drop-down arrow,
// `entries` its list, one per line. Typing reports `position` (the control,
// as the program numbers it) to tavrelo_typed, a pick the entry to
// tavrelo_picked.
void MakeComboBox(Handle box, Handle field, Handle button, int position, std::string_view entries);
// The entry the box shows as picked (its list opens there); -1 for none.
void SetComboIndex(Handle box, int entry);
// A push button that a click or Space presses, never Esc; Enter only a
// default button, from anywhere in its form but a text box or an open list.
void MakeButton(Handle button, int position, bool isDefault);
// Text1: typing reported, and its context menu opened by the right button,
// the menu key, Shift+F10 or a long touch (tavrelo_menu).
void MakeResultBox(Handle box, int position);
// The modal message over `form` (every form inert while it is open);
// tavrelo_message_closed once the user closes it.
void ShowMessage(Handle form, std::string_view title, std::string_view text, std::string_view button);
// The context menu at (x, y) in the viewport: one item a line, as
// "text\tshortcut\tenabled" ("" for a separator); tavrelo_menu_chosen with
// the item's line number.
void ShowMenu(int x, int y, std::string_view items);
// What the result box's editing commands can do now (paste always: the page
// cannot know the clipboard before it asks for it).
[[nodiscard]] EditState EditStateOf(Handle box);
// Undo, cut, copy, paste, delete or select all ("undo" … "selectAll") in the
// result box.
void Edit(Handle box, std::string_view command);
// Plain text, and an HTML fragment beside it ("" for none), to the clipboard.
void Copy(std::string_view text, std::string_view html = {});
// Has the text read out through one of the two polite live regions, taking
// turns so that the same sentence twice is read twice.
void Announce(Handle first, Handle second, std::string_view text);
// The form built: fits it to narrow viewports, keeps Tab inside it, focuses
// `first`, and marks the first paint.
void Ready(Handle form, Handle first);
// A window opened from the main one: `window` the frame around its form,
// `bar` its title bar, `close` the bar's close button, which reports
// `position` (the form's own control) to tavrelo_closed.
void MakeWindow(Handle window, Handle bar, Handle close, int position);
// Shows such a window over the page, the focus into `first`: true when it
// was placed before. Hides it, the focus given back where it was when it
// opened.
bool ShowWindow(Handle window, Handle first);
void HideWindow(Handle window);
// Where it can stand: the main form's rect, its own size as shown, and the
// viewport's size, in CSS pixels; and its place in the viewport.
struct WindowRects {
  PixelBox form;
  int width = 0;
  int height = 0;
  int viewportWidth = 0;
  int viewportHeight = 0;
};
[[nodiscard]] WindowRects RectsOf(Handle window);
void PlaceWindow(Handle window, int x, int y);
// Takes the form and whatever it has open off the page.
void Remove(Handle form);

}  // namespace tavrelo::ui::web::dom
