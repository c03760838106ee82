#include "ui/web/form_page.h"

#include <emscripten.h>

#include <algorithm>
#include <cstdio>
#include <utility>

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

std::string_view EditCommandName(ResultMenuCommand command) {
  switch (command) {
    case ResultMenuCommand::Undo: return "undo";
    case ResultMenuCommand::Cut: return "cut";
    case ResultMenuCommand::Copy: return "copy";
    case ResultMenuCommand::Paste: return "paste";
    case ResultMenuCommand::Delete: return "delete";
    case ResultMenuCommand::SelectAll: return "selectAll";
    default: return {};
  }
}

}  // namespace

// --- Building ------------------------------------------------------------------

FormPage::FormPage(FormModel& model) : model_(model), parts_(model.Inventory().size()), tabOrder_(model.TabOrder()) {
  const auto inventory = model_.Inventory();
  for (std::size_t i = 0; i < inventory.size(); ++i) Build(inventory[i], i);
  if (table_ != dom::kNone) dom::AddStyle(table_, "background:" + tableLines_);
  // Two polite live regions that take turns (dom::Announce).
  for (dom::Handle& region : spoken_) {
    region = dom::Create("div", form_);
    dom::SetAttribute(region, "class", "tv-spoken");
    dom::SetAttribute(region, "aria-live", "polite");
    dom::SetAttribute(region, "aria-atomic", "true");
  }
  current_ = this;
  model_.SetView(this);
}

FormPage::~FormPage() {
  model_.SetView(nullptr);
  if (current_ == this) current_ = nullptr;
  dom::Remove(form_);
}

void FormPage::Show() {
  const dom::Handle first = Field(model_.InitialFocus());
  dom::Ready(form_, first != dom::kNone ? first : form_);
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
    case ControlKind::Form: {
      const PixelBox client = ClientArea(model_);
      const std::string colour = CssColour(*row.background);
      form_ = parts.element = dom::Create("div", dom::kBody,
                                          "width:" + Px(client.width) + ";height:" + Px(client.height) +
                                              ";background:" + colour + ";font:" + CssFont(*row.font));
      dom::SetAttribute(form_, "class", "tv-form");
      dom::SetAttribute(form_, "role", "form");
      dom::SetAttribute(form_, "aria-label", model_.Text(key));
      dom::SetTitle(model_.Text(key));
      dom::SetPageBackground(colour);
      break;
    }
    case ControlKind::Frame:
      parts.element =
          dom::Create("div", container,
                      place + "background:" + CssColour(*row.background) + ";color:" + CssColour(*row.foreground));
      BuildFrame(row, parts);
      break;
    case ControlKind::Label: {
      const auto cell = controls::ReferenceCellOf(key);
      parts.element = dom::Create(row.labelFor.name.empty() ? "div" : "label",
                                  cell ? TableRow(model_.Row({row.container}), cell->row) : container,
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
      dom::SetValue(parts.field, ToLf(model_.Text(key)));
      dom::MakeResultBox(parts.field, static_cast<int>(position));
      tabStop(parts.field);
      break;
    case ControlKind::CommandButton:
      parts.element = parts.field =
          dom::Create("button", container, place + "background:" + CssColour(*row.background));
      dom::SetAttribute(parts.field, "type", "button");
      dom::SetAttribute(parts.field, "class", "tv-button");
      dom::SetText(parts.field, StackedCaption(model_.Text(key)));
      dom::MakeButton(parts.field, static_cast<int>(position));
      tabStop(parts.field);
      break;
    case ControlKind::Line: {
      // A stripe of the table's background: seen, but no element.
      const PixelBox box = PixelRect(row);
      const std::string colour = CssColour(*row.foreground);
      (void)TableRow(model_.Row({row.container}), 0);
      if (!tableLines_.empty()) tableLines_ += ",";
      tableLines_ += "linear-gradient(" + colour + "," + colour + ") " + Px(box.x) + " " + Px(box.y) + "/" +
                     Px(box.width) + " " + Px(box.height) + " no-repeat";
      return;
    }
  }
  dom::SetAttribute(parts.element, "data-control", DisplayName(key));
  if (row.font != nullptr && row.kind != ControlKind::Form) dom::AddStyle(parts.element, "font:" + CssFont(*row.font));
  Describe(row, parts);
  if (!model_.Visible(key)) dom::SetShown(parts.element, false);
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
  if (const auto cell = controls::ReferenceCellOf(row.Key())) {
    dom::SetAttribute(parts.element, "role", cell->row == 0 ? "columnheader" : "cell");
  }
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
  dom::MakeComboBox(parts.element, parts.field, button, static_cast<int>(position), entries);
}

dom::Handle FormPage::TableRow(const ControlSpec& frame, int row) {
  if (table_ != dom::kNone) return tableRows_[static_cast<std::size_t>(row)];
  table_ = dom::Create("div", Element(frame.Key()));
  dom::SetAttribute(table_, "class", "tv-table");
  dom::SetAttribute(table_, "role", "table");
  for (int k = 0; k < controls::kReferenceRows; ++k) {
    tableRows_.push_back(dom::Create("div", table_));
    dom::SetAttribute(tableRows_.back(), "role", "row");
  }
  return tableRows_[static_cast<std::size_t>(row)];
}

void FormPage::Describe(const ControlSpec& row, const Parts& parts) {
  const dom::Handle named = parts.field != dom::kNone ? parts.field : parts.element;
  if (!row.accessibleName.empty()) dom::SetAttribute(named, "aria-label", row.accessibleName);
  if (!row.accessibleDescription.empty()) dom::SetAttribute(named, "aria-description", row.accessibleDescription);
  if (!row.hint.empty()) dom::SetAttribute(named, "title", row.hint);
}

std::string FormPage::FontOfRow(const ControlSpec& row) const { return CssFont(FontOf(model_, row)); }

// --- Looking controls up --------------------------------------------------------

const ControlSpec* FormPage::RowAt(std::size_t position) const {
  const auto inventory = model_.Inventory();
  return position < inventory.size() ? &inventory[position] : nullptr;
}

dom::Handle FormPage::Element(ControlKey control) const {
  const auto position = model_.Position(control);
  return position ? parts_[*position].element : dom::kNone;
}

dom::Handle FormPage::Field(ControlKey control) const {
  const auto position = model_.Position(control);
  return position ? parts_[*position].field : dom::kNone;
}

// --- What the user does --------------------------------------------------------

void FormPage::Typed(std::size_t position) {
  const ControlSpec* row = RowAt(position);
  if (row == nullptr || parts_[position].field == dom::kNone) return;
  const std::string shown = dom::Value(parts_[position].field);
  model_.SetText(row->Key(), row->kind == ControlKind::TextBox ? ToCrLf(shown) : shown);
}

void FormPage::Picked(std::size_t position, int entry) {
  if (const ControlSpec* row = RowAt(position); row != nullptr && row->kind == ControlKind::ComboBox) {
    model_.Select(row->Key(), entry);
  }
}

void FormPage::Pressed(std::size_t position) {
  if (const ControlSpec* row = RowAt(position); row != nullptr && row->kind == ControlKind::CommandButton) {
    model_.Press(row->Key());
  }
}

void FormPage::MenuRequested(int x, int y) {
  const dom::EditState edit = dom::EditStateOf(Field(controls::kResult));
  std::string items;
  menuItems_.clear();
  for (const ResultMenuItem& item : kResultMenu) {
    if (item.separatorBefore) {
      items += "\n";
      menuItems_.emplace_back();
    }
    bool enabled = true;
    switch (item.command) {
      case ResultMenuCommand::Undo: enabled = edit.undo; break;
      case ResultMenuCommand::Cut:
      case ResultMenuCommand::Copy:
      case ResultMenuCommand::Delete: enabled = edit.selection; break;
      case ResultMenuCommand::Paste: break;
      case ResultMenuCommand::SelectAll: enabled = edit.text; break;
      case ResultMenuCommand::CopySteps:
      case ResultMenuCommand::CopyLayered: enabled = CanCopy(model_, item.command); break;
    }
    items.append(item.text).append("\t").append(item.shortcut).append(enabled ? "\t1\n" : "\t\n");
    menuItems_.emplace_back(item.command);
  }
  items.pop_back();
  dom::ShowMenu(x, y, items);
}

void FormPage::MenuChosen(int item) {
  if (item < 0 || static_cast<std::size_t>(item) >= menuItems_.size()) return;
  const std::optional<ResultMenuCommand> chosen = menuItems_[static_cast<std::size_t>(item)];
  if (!chosen) return;
  const ResultMenuCommand command = *chosen;
  if (command == ResultMenuCommand::CopySteps || command == ResultMenuCommand::CopyLayered) {
    if (CanCopy(model_, command)) dom::Copy(ToLf(TextToCopy(model_, command)));
  } else {
    dom::Edit(Field(controls::kResult), EditCommandName(command));
  }
}

bool FormPage::MessageClosed() {
  messageOpen_ = false;
  const std::optional<ControlKey> pending = pendingFocus_;
  pendingFocus_.reset();
  if (!pending) return false;
  FocusRequested(*pending);
  return true;
}

// --- The model's changes on the page -------------------------------------------

void FormPage::TextChanged(ControlKey control, const std::string& text) {
  const auto position = model_.Position(control);
  if (!position) return;
  const ControlSpec& row = model_.Inventory()[*position];
  const Parts& parts = parts_[*position];
  switch (row.kind) {
    case ControlKind::Form:
      dom::SetTitle(text);
      dom::SetAttribute(form_, "aria-label", text);
      break;
    case ControlKind::Frame: ShowFrameCaption(row, text); break;
    case ControlKind::Label: ShowLabel(row, text); break;
    case ControlKind::ComboBox: dom::SetValue(parts.field, text); break;
    case ControlKind::TextBox: dom::SetValue(parts.field, ToLf(text)); break;
    case ControlKind::CommandButton: dom::SetText(parts.field, StackedCaption(text)); break;
    case ControlKind::Line: break;
  }
}

void FormPage::VisibilityChanged(ControlKey control, bool visible) {
  if (const dom::Handle element = Element(control); element != dom::kNone) dom::SetShown(element, visible);
}

void FormPage::SelectionChanged(ControlKey control, std::optional<int> entry) {
  const auto position = model_.Position(control);
  if (position && model_.Inventory()[*position].kind == ControlKind::ComboBox) {
    dom::SetComboIndex(parts_[*position].element, entry.value_or(-1));
  }
}

void FormPage::ProblemReported(const InputProblem& problem) {
  // The page cannot wait for the message to close: the focus the model asks
  // for next waits for it instead (MessageClosed).
  messageOpen_ = true;
  pendingFocus_.reset();
  dom::ShowMessage(kProblemTitle, problem.message, kProblemButton);
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

}  // namespace tavrelo::ui::web

// --- The page's calls ------------------------------------------------------------
// What the page's script reports, as numbers: an inventory position, a list
// entry, a menu item, a point in the viewport.

using tavrelo::ui::web::FormPage;

extern "C" {

EMSCRIPTEN_KEEPALIVE void tavrelo_typed(int position) {
  if (FormPage* page = FormPage::Current(); page != nullptr && position >= 0) {
    page->Typed(static_cast<std::size_t>(position));
  }
}

EMSCRIPTEN_KEEPALIVE void tavrelo_picked(int position, int entry) {
  if (FormPage* page = FormPage::Current(); page != nullptr && position >= 0) {
    page->Picked(static_cast<std::size_t>(position), entry);
  }
}

EMSCRIPTEN_KEEPALIVE void tavrelo_pressed(int position) {
  if (FormPage* page = FormPage::Current(); page != nullptr && position >= 0) {
    page->Pressed(static_cast<std::size_t>(position));
  }
}

EMSCRIPTEN_KEEPALIVE void tavrelo_menu(int x, int y) {
  if (FormPage* page = FormPage::Current()) page->MenuRequested(x, y);
}

EMSCRIPTEN_KEEPALIVE void tavrelo_menu_chosen(int item) {
  if (FormPage* page = FormPage::Current()) page->MenuChosen(item);
}

EMSCRIPTEN_KEEPALIVE int tavrelo_message_closed() {
  FormPage* page = FormPage::Current();
  return page != nullptr && page->MessageClosed() ? 1 : 0;
}

}  // extern "C"
