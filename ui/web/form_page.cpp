#include "ui/web/form_page.h"

#include <emscripten.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "ui/profile_drawing.h"
#include "ui/text_wrap.h"
#include "ui/view_rules.h"

namespace tavrelo::ui::web {
namespace {

// After the inventory's own families (SimSun on a Chinese Windows,
// WenQuanYi Zen Hei Mono on Debian), the Chinese fonts other systems have:
// a Linux desktop's, Windows', macOS's and iOS's, Android's.
constexpr std::string_view kPlatformFamilies =
    "\"WenQuanYi Zen Hei\",\"Microsoft YaHei\",\"PingFang SC\",\"Noto Sans CJK SC\",sans-serif";

std::string CssColour(Rgb rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(rgb & 0xFFFFFFU));
  return text;
}

std::string Px(int pixels) { return std::to_string(pixels) + "px"; }

// "left:…;top:…;width:…;height:…;" for a box in its container.
std::string Placement(const PixelBox& box) {
  return "left:" + Px(box.x) + ";top:" + Px(box.y) + ";width:" + Px(box.width) + ";height:" + Px(box.height) + ";";
}

std::string CssFont(const FontSpec& font) {
  std::string css = Px(FontPixels(font)) + " ";
  for (const std::string_view family : font.families) css.append("\"").append(family).append("\",");
  return css.append(kPlatformFamilies);
}

// The id of the element that takes the focus for `key`, for a label's `for`.
std::string FieldId(ControlKey key) { return "tv-" + DisplayName(key); }

std::string_view EditCommandName(EditCommand command) {
  switch (command) {
    case EditCommand::Undo: return "undo";
    case EditCommand::Cut: return "cut";
    case EditCommand::Copy: return "copy";
    case EditCommand::Paste: return "paste";
    case EditCommand::Delete: return "delete";
    case EditCommand::SelectAll: return "selectAll";
  }
  return {};
}

// A control's number on the page: its page's and its place in the inventory.
constexpr int kControlsPerPage = 4096;

// Every form on the page, by its number (nullptr once taken off); the menu
// open now and the page whose message is open, at most one each.
std::vector<FormPage*> pages_;
struct OpenMenu {
  FormPage* page = nullptr;
  ControlKey box;
  std::vector<std::optional<ResultMenuEntry>> items;  // separators as none
};
OpenMenu menu_;
FormPage* messagePage_ = nullptr;

}  // namespace

// --- Building ------------------------------------------------------------------

FormPage::FormPage(FormModel& model)
    : model_(model),
      id_(static_cast<int>(pages_.size())),
      parts_(model.Inventory().size()),
      tabOrder_(model.TabOrder()) {
  pages_.push_back(this);
  if (BuiltAtStart(model_)) BuildPage();
  model_.SetView(this);
}

// Every control as the model has it now: texts, picks, visibility and
// drawings; a window opened from the main one shown if the model has it
// open.
void FormPage::BuildPage() {
  built_ = true;
  const auto inventory = model_.Inventory();
  for (std::size_t i = 0; i < inventory.size(); ++i) Build(inventory[i], i);
  for (const auto& [frame, table] : tables_) dom::AddStyle(table.element, "background:" + table.lines);
  // Two polite live regions that take turns (dom::Announce).
  for (dom::Handle& region : spoken_) {
    region = dom::Create("div", form_);
    dom::SetAttribute(region, "class", "tv-spoken");
    dom::SetAttribute(region, "aria-live", "polite");
    dom::SetAttribute(region, "aria-atomic", "true");
  }
  if (window_ != dom::kNone && model_.Visible(model_.FormKey())) ShowWindow();
}

FormPage::~FormPage() {
  model_.SetView(nullptr);
  pages_[static_cast<std::size_t>(id_)] = nullptr;
  if (menu_.page == this) menu_ = {};
  if (messagePage_ == this) messagePage_ = nullptr;
  if (built_) dom::Remove(window_ != dom::kNone ? window_ : form_);
}

void FormPage::Show() {
  const dom::Handle first = Field(model_.InitialFocus());
  dom::Ready(form_, first != dom::kNone ? first : form_);
}

int FormPage::ControlNumber(std::size_t position) const { return id_ * kControlsPerPage + static_cast<int>(position); }

FormPage* FormPage::PageOf(int control, std::size_t& position) {
  if (control < 0) return nullptr;
  const auto page = static_cast<std::size_t>(control / kControlsPerPage);
  position = static_cast<std::size_t>(control % kControlsPerPage);
  FormPage* found = page < pages_.size() ? pages_[page] : nullptr;
  return found != nullptr && position < found->parts_.size() ? found : nullptr;
}

void FormPage::Build(const ControlSpec& row, std::size_t position) {
  Parts& parts = parts_[position];
  const ControlKey key = row.Key();
  const dom::Handle container = row.container.empty() ? form_ : Element({row.container});
  const std::string place = Placement(PixelRect(row));
  // Its place in the tab order, counted from 1 (the browser goes through
  // positive tab indexes in their order; page.js keeps Tab going round).
  const auto tabStop = [&](dom::Handle field) {
    const auto at = std::find(tabOrder_.begin(), tabOrder_.end(), key);
    dom::SetAttribute(field, "tabindex", std::to_string(at - tabOrder_.begin() + 1));
  };
  switch (row.kind) {
    case ControlKind::Form: BuildForm(row, position, parts); break;
    case ControlKind::Frame:
      parts.element =
          dom::Create("div", container,
                      place + "background:" + CssColour(*row.background) + ";color:" + CssColour(*row.foreground));
      BuildFrame(row, parts);
      break;
    case ControlKind::Label: {
      parts.element = dom::Create(row.labelFor.name.empty() ? "div" : "label",
                                  row.cell ? TableRow(model_.Row({row.container}), row.cell->row) : container,
                                  place + "color:" + CssColour(*row.foreground));
      BuildLabel(row, parts);
      break;
    }
    case ControlKind::ComboBox:
      parts.element = dom::Create("div", container, place);
      BuildCombo(row, position, parts);
      tabStop(parts.field);
      break;
    case ControlKind::TextBox:
      parts.element = parts.field =
          dom::Create("textarea", container,
                      place + "background:" + CssColour(*row.background) + ";color:" + CssColour(*row.foreground));
      dom::SetAttribute(parts.field, "class", "tv-text");
      dom::SetAttribute(parts.field, "spellcheck", "false");
      if (row.readOnly) dom::SetAttribute(parts.field, "readonly", "");
      dom::SetValue(parts.field, ToLf(model_.Text(key)));
      if (row.role == ControlRole::ResultBox) dom::MakeResultBox(parts.field, ControlNumber(position));
      tabStop(parts.field);
      break;
    case ControlKind::CommandButton:
      parts.element = parts.field =
          dom::Create("button", container, place + "background:" + CssColour(*row.background));
      dom::SetAttribute(parts.field, "type", "button");
      dom::SetAttribute(parts.field, "class", "tv-button");
      dom::SetText(parts.field, StackedCaption(model_.Text(key)));
      dom::MakeButton(parts.field, ControlNumber(position), row.role == ControlRole::DefaultButton);
      tabStop(parts.field);
      break;
    case ControlKind::Picture:
      parts.element = dom::Create("div", container, place);
      dom::SetAttribute(parts.element, "class", "tv-picture");
      dom::SetAttribute(parts.element, "role", "img");
      dom::SetAttribute(parts.element, "aria-description", model_.Text(key));
      ShowDrawing(key);
      break;
    case ControlKind::Line: {
      // A stripe of the table's background: seen, but no element.
      const PixelBox box = PixelRect(row);
      const std::string colour = CssColour(*row.foreground);
      (void)TableRow(model_.Row({row.container}), 0);
      std::string& lines = tables_[*model_.Position({row.container})].lines;
      if (!lines.empty()) lines += ",";
      lines += "linear-gradient(" + colour + "," + colour + ") " + Px(box.x) + " " + Px(box.y) + "/" + Px(box.width) +
               " " + Px(box.height) + " no-repeat";
      return;
    }
  }
  dom::SetAttribute(parts.element, "data-control", DisplayName(key));
  if (row.font != nullptr && row.kind != ControlKind::Form) dom::AddStyle(parts.element, "font:" + CssFont(*row.font));
  Describe(row, parts);
  if (!model_.Visible(key) && row.kind != ControlKind::Form) dom::SetShown(parts.element, false);
}

void FormPage::BuildForm(const ControlSpec& row, std::size_t position, Parts& parts) {
  const PixelBox client = ClientArea(model_);
  const std::string colour = CssColour(*row.background);
  const std::string& caption = model_.Text(row.Key());
  dom::Handle container = dom::kBody;
  if (row.role == ControlRole::OwnedWindow) {
    window_ = dom::Create("div", dom::kBody, "font:" + CssFont(*row.font));
    dom::SetAttribute(window_, "class", "tv-window");
    dom::SetAttribute(window_, "role", "dialog");
    dom::SetAttribute(window_, "aria-label", caption);
    const dom::Handle bar = dom::Create("div", window_);
    dom::SetAttribute(bar, "class", "tv-titlebar");
    caption_ = dom::Create("span", bar);
    dom::SetText(caption_, caption);
    const dom::Handle close = dom::Create("button", bar);
    for (const auto& [name, value] : {std::pair<std::string_view, std::string_view>{"type", "button"},
                                      {"class", "tv-close"},
                                      {"aria-label", "关闭"},
                                      {"tabindex", "-1"}}) {
      dom::SetAttribute(close, name, value);
    }
    dom::SetText(close, "×");
    dom::MakeWindow(window_, bar, close, ControlNumber(position));
    dom::SetShown(window_, false);  // until ShowWindow
    container = window_;
  }
  form_ = parts.element = dom::Create("div", container,
                                      "width:" + Px(client.width) + ";height:" + Px(client.height) +
                                          ";background:" + colour + ";font:" + CssFont(*row.font));
  dom::SetAttribute(form_, "class", "tv-form");
  dom::SetAttribute(form_, "role", "form");
  dom::SetAttribute(form_, "aria-label", caption);
  if (row.role != ControlRole::OwnedWindow) {
    dom::SetTitle(caption);
    dom::SetPageBackground(colour);
  }
}

void FormPage::BuildFrame(const ControlSpec& row, Parts& parts) {
  dom::SetAttribute(parts.element, "class", "tv-frame");
  dom::SetAttribute(parts.element, "role", "group");
  const std::string captionId = FieldId(row.Key());
  dom::SetAttribute(parts.element, "aria-labelledby", captionId);
  // The etched edge runs through the middle of the caption's line.
  const PixelBox box = PixelRect(row);
  const int top = dom::LineHeight(FontOfRow(row)) / 2;
  const dom::Handle edge =
      dom::Create("div", parts.element,
                  "left:0;top:" + Px(top) + ";width:" + Px(box.width - 2) + ";height:" + Px(box.height - 2 - top));
  dom::SetAttribute(edge, "class", "tv-edge");
  parts.caption = dom::Create("span", parts.element, "background:inherit");
  dom::SetAttribute(parts.caption, "class", "tv-caption");
  dom::SetAttribute(parts.caption, "id", captionId);
  ShowFrameCaption(row, model_.Text(row.Key()));
  // A table is made with its frame, under the controls the frame holds
  // beside it.
  if (row.table.rows > 0) (void)TableRow(row, 0);
}

void FormPage::ShowFrameCaption(const ControlSpec& row, const std::string& text) {
  const std::string font = FontOfRow(row);
  const FrameCaptionLook look = FrameCaption();
  const int height = dom::LineHeight(font);
  dom::AddStyle(parts_[*model_.Position(row.Key())].caption,
                "left:" + Px(look.indent) + ";width:" + Px(dom::TextWidth(font, text) + 2 * look.padding) +
                    ";height:" + Px(height) + ";line-height:" + Px(height));
  dom::SetText(parts_[*model_.Position(row.Key())].caption, text);
}

void FormPage::BuildLabel(const ControlSpec& row, Parts& parts) {
  dom::SetAttribute(parts.element, "class", "tv-label");
  if (!row.labelFor.name.empty()) dom::SetAttribute(parts.element, "for", FieldId(row.labelFor));
  if (row.cell) dom::SetAttribute(parts.element, "role", row.cell->row == 0 ? "columnheader" : "cell");
  ShowLabel(row, model_.Text(row.Key()));
}

void FormPage::ShowLabel(const ControlSpec& row, const std::string& text) {
  const std::string font = FontOfRow(row);
  const auto measure = [&font](std::string_view piece) { return dom::TextWidth(font, piece); };
  std::string shown;
  for (const std::string& line : WrapLines(text, PixelRect(row).width, measure)) {
    if (!shown.empty()) shown += '\n';
    shown += line;
  }
  dom::SetText(parts_[*model_.Position(row.Key())].element, shown);
}

void FormPage::BuildCombo(const ControlSpec& row, std::size_t position, Parts& parts) {
  dom::SetAttribute(parts.element, "class", "tv-combo");
  parts.field = dom::Create("input", parts.element, "background:" + CssColour(*row.background));
  for (const auto& [name, value] : {std::pair<std::string_view, std::string_view>{"type", "text"},
                                    {"role", "combobox"},
                                    {"aria-expanded", "false"},
                                    {"aria-autocomplete", "none"},
                                    {"autocomplete", "off"},
                                    {"autocapitalize", "off"},
                                    {"spellcheck", "false"}}) {
    dom::SetAttribute(parts.field, name, value);
  }
  dom::SetAttribute(parts.field, "id", FieldId(row.Key()));
  dom::SetValue(parts.field, model_.Text(row.Key()));
  const dom::Handle button = dom::Create("div", parts.element);
  dom::SetAttribute(button, "class", "tv-drop");
  dom::SetAttribute(button, "aria-hidden", "true");
  std::string entries;
  for (const std::string_view entry : row.list) {
    if (!entries.empty()) entries += '\n';
    entries += entry;
  }
  dom::MakeComboBox(parts.element, parts.field, button, ControlNumber(position), entries);
  if (const auto entry = model_.Selection(row.Key())) dom::SetComboIndex(parts.element, *entry);
}

dom::Handle FormPage::TableRow(const ControlSpec& frame, int row) {
  Table& table = tables_[*model_.Position(frame.Key())];
  if (table.element == dom::kNone) {
    table.element = dom::Create("div", Element(frame.Key()));
    dom::SetAttribute(table.element, "class", "tv-table");
    dom::SetAttribute(table.element, "role", "table");
    for (int k = 0; k < frame.table.rows; ++k) {
      table.rows.push_back(dom::Create("div", table.element));
      dom::SetAttribute(table.rows.back(), "role", "row");
    }
  }
  return row >= 0 && static_cast<std::size_t>(row) < table.rows.size() ? table.rows[static_cast<std::size_t>(row)]
                                                                       : table.element;
}

void FormPage::Describe(const ControlSpec& row, const Parts& parts) {
  const dom::Handle named = parts.field != dom::kNone ? parts.field : parts.element;
  if (!row.accessibleName.empty()) dom::SetAttribute(named, "aria-label", row.accessibleName);
  if (!row.accessibleDescription.empty()) dom::SetAttribute(named, "aria-description", row.accessibleDescription);
  if (!row.hint.empty()) dom::SetAttribute(named, "title", row.hint);
}

std::string FormPage::FontOfRow(const ControlSpec& row) const { return CssFont(FontOf(model_, row)); }

// --- Looking controls up --------------------------------------------------------

dom::Handle FormPage::Element(ControlKey control) const {
  const auto position = model_.Position(control);
  return position ? parts_[*position].element : dom::kNone;
}

dom::Handle FormPage::Field(ControlKey control) const {
  const auto position = model_.Position(control);
  return position ? parts_[*position].field : dom::kNone;
}

// --- What the user does --------------------------------------------------------

void FormPage::Typed(int control) {
  std::size_t position = 0;
  FormPage* page = PageOf(control, position);
  if (page == nullptr || page->parts_[position].field == dom::kNone) return;
  const ControlSpec& row = page->model_.Inventory()[position];
  const std::string shown = dom::Value(page->parts_[position].field);
  page->model_.SetText(row.Key(), row.kind == ControlKind::TextBox ? ToCrLf(shown) : shown);
}

void FormPage::Picked(int control, int entry) {
  std::size_t position = 0;
  if (FormPage* page = PageOf(control, position)) {
    const ControlSpec& row = page->model_.Inventory()[position];
    if (row.kind == ControlKind::ComboBox) page->model_.Select(row.Key(), entry);
  }
}

void FormPage::Pressed(int control) {
  std::size_t position = 0;
  if (FormPage* page = PageOf(control, position)) {
    const ControlSpec& row = page->model_.Inventory()[position];
    if (row.kind == ControlKind::CommandButton) page->model_.Press(row.Key());
  }
}

void FormPage::MenuRequested(int control, int x, int y) {
  std::size_t position = 0;
  FormPage* page = PageOf(control, position);
  if (page == nullptr) return;
  const ControlSpec& box = page->model_.Inventory()[position];
  if (box.role != ControlRole::ResultBox) return;
  menu_ = {page, box.Key(), {}};
  std::string items;
  for (const ResultMenuEntry& entry :
       ResultMenuEntries(page->model_, box, dom::EditStateOf(page->parts_[position].field))) {
    if (entry.separatorBefore) {
      items += "\n";
      menu_.items.emplace_back();
    }
    items.append(entry.text).append("\t").append(entry.shortcut).append(entry.enabled ? "\t1\n" : "\t\n");
    menu_.items.emplace_back(entry);
  }
  items.pop_back();
  dom::ShowMenu(x, y, items);
}

void FormPage::MenuChosen(int item) {
  const OpenMenu menu = menu_;
  if (menu.page == nullptr || item < 0 || static_cast<std::size_t>(item) >= menu.items.size()) return;
  const std::optional<ResultMenuEntry>& chosen = menu.items[static_cast<std::size_t>(item)];
  if (!chosen) return;
  if (const std::optional<EditCommand> edit = ChooseResultMenuEntry(menu.page->model_, *chosen)) {
    dom::Edit(menu.page->Field(menu.box), EditCommandName(*edit));
  }
}

void FormPage::Closed(int control) {
  std::size_t position = 0;
  if (FormPage* page = PageOf(control, position)) page->model_.SetVisible(page->model_.FormKey(), false);
}

bool FormPage::MessageClosed() {
  FormPage* page = messagePage_;
  messagePage_ = nullptr;
  if (page == nullptr) return false;
  page->messageOpen_ = false;
  const std::optional<ControlKey> pending = page->pendingFocus_;
  page->pendingFocus_.reset();
  if (!pending) return false;
  page->FocusRequested(*pending);
  return true;
}

// --- The model's changes on the page -------------------------------------------

// A page not yet built takes the model as it is when it is (BuildPage).
void FormPage::TextChanged(ControlKey control, const std::string& text) {
  const auto position = model_.Position(control);
  if (!built_ || !position) return;
  const ControlSpec& row = model_.Inventory()[*position];
  const Parts& parts = parts_[*position];
  switch (row.kind) {
    case ControlKind::Form:
      dom::SetAttribute(form_, "aria-label", text);
      if (window_ == dom::kNone) {
        dom::SetTitle(text);
      } else {
        dom::SetAttribute(window_, "aria-label", text);
        dom::SetText(caption_, text);
      }
      break;
    case ControlKind::Frame: ShowFrameCaption(row, text); break;
    case ControlKind::Label: ShowLabel(row, text); break;
    case ControlKind::ComboBox: dom::SetValue(parts.field, text); break;
    case ControlKind::TextBox: dom::SetValue(parts.field, ToLf(text)); break;
    case ControlKind::CommandButton: dom::SetText(parts.field, StackedCaption(text)); break;
    case ControlKind::Picture: dom::SetAttribute(parts.element, "aria-description", text); break;
    case ControlKind::Line: break;
  }
}

void FormPage::DrawingChanged(ControlKey control) {
  if (built_) ShowDrawing(control);
}

void FormPage::ShowDrawing(ControlKey control) {
  const ProfileDrawing* drawing = model_.Drawing(control);
  dom::SetMarkup(Element(control), drawing != nullptr ? ProfileSvg(*drawing) : std::string());
}

void FormPage::VisibilityChanged(ControlKey control, bool visible) {
  if (!built_) {
    if (visible && control == model_.FormKey()) BuildPage();  // and shown
    return;
  }
  const dom::Handle element = Element(control);
  if (element == dom::kNone) return;
  if (element != form_) {
    dom::SetShown(element, visible);
  } else if (window_ != dom::kNone && visible) {
    ShowWindow();
  } else if (window_ != dom::kNone) {
    dom::HideWindow(window_);
  }
}

// A window opened from the main one, the focus in its first field; the
// first time, placed beside the main form where the viewport has room, so
// that both are in sight.
void FormPage::ShowWindow() {
  const dom::Handle first = Field(model_.InitialFocus());
  if (!dom::ShowWindow(window_, first != dom::kNone ? first : form_)) {
    const dom::WindowRects rects = dom::RectsOf(window_);
    const PixelBox at =
        PlaceOwnedWindow(rects.form, rects.width, rects.height, {0, 0, rects.viewportWidth, rects.viewportHeight}, 8);
    dom::PlaceWindow(window_, at.x, at.y);
  }
}

void FormPage::SelectionChanged(ControlKey control, std::optional<int> entry) {
  const auto position = model_.Position(control);
  if (built_ && position && model_.Inventory()[*position].kind == ControlKind::ComboBox) {
    dom::SetComboIndex(parts_[*position].element, entry.value_or(-1));
  }
}

void FormPage::ProblemReported(const InputProblem& problem) {
  // The page cannot wait for the message to close: the focus the model asks
  // for next waits for it instead (MessageClosed).
  messageOpen_ = true;
  messagePage_ = this;
  pendingFocus_.reset();
  dom::ShowMessage(form_, kProblemTitle, problem.message, kProblemButton);
}

void FormPage::FocusRequested(ControlKey control) {
  if (messageOpen_) {
    pendingFocus_ = control;
    return;
  }
  const dom::Handle field = Field(control);
  const auto position = model_.Position(control);
  if (field == dom::kNone || !position) return;
  const std::string_view container = model_.Inventory()[*position].container;
  if (!model_.Visible(control) || (!container.empty() && !model_.Visible({container}))) return;
  dom::Focus(field, true);
}

void FormPage::AnnouncementRequested(ControlKey control) {
  if (Element(control) != dom::kNone) dom::Announce(spoken_[0], spoken_[1], ToLf(model_.Text(control)));
}

void FormPage::ClipboardRequested(const ClipboardContent& content) { dom::Copy(ToLf(content.text), content.html); }

// --- The program's forms ---------------------------------------------------------

ProgramPages::ProgramPages(Program& program) {
  for (FormModel* form : program.Forms()) pages_.push_back(std::make_unique<FormPage>(*form));
}

}  // namespace tavrelo::ui::web

// --- The page's calls ------------------------------------------------------------
// What the page's script reports, as numbers: a control (as ControlNumber
// gave it), a list entry, a menu item, a point in the viewport.

using tavrelo::ui::web::FormPage;

extern "C" {

EMSCRIPTEN_KEEPALIVE void tavrelo_typed(int control) { FormPage::Typed(control); }

EMSCRIPTEN_KEEPALIVE void tavrelo_picked(int control, int entry) { FormPage::Picked(control, entry); }

EMSCRIPTEN_KEEPALIVE void tavrelo_pressed(int control) { FormPage::Pressed(control); }

EMSCRIPTEN_KEEPALIVE void tavrelo_menu(int control, int x, int y) { FormPage::MenuRequested(control, x, y); }

EMSCRIPTEN_KEEPALIVE void tavrelo_menu_chosen(int item) { FormPage::MenuChosen(item); }

EMSCRIPTEN_KEEPALIVE int tavrelo_message_closed() { return FormPage::MessageClosed() ? 1 : 0; }

EMSCRIPTEN_KEEPALIVE void tavrelo_closed(int control) { FormPage::Closed(control); }

}  // extern "C"
