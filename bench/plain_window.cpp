// A window with the same widgets as Tavrelo's — the same Qt classes, number,
// places, texts, lists and two fonts — built straight from the control
// inventory with nothing of ours around it: no FormModel, no handlers, no
// palettes but the form's, no tooltips, accessible names or tab order, stock
// group boxes and buttons. startup_memory.sh -p runs it in Tavrelo's place:
// what Tavrelo costs beyond it is the cost of our own layers.
//
//   plain_window [--has-family] [--one-font] [--line-edit] [--icon PNG]...
//     --has-family  choose the fonts as Tavrelo does, the first installed
//                   family of each list by QFontDatabase::hasFamily
//     --one-font    the notes in the UI font (7.5 pt) instead of a second font
//     --line-edit   combo boxes made editable by giving them a line edit
//                   (QComboBox::setLineEdit) instead of setEditable(true),
//                   which also builds each drop-down list's popup at once
//     --icon PNG    add PNG to the window icon (repeatable: one file a size)
#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QFont>
#include <QFontDatabase>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <cstring>
#include <map>
#include <string>

#include "ui/control_inventory.h"

namespace {

using tavrelo::ui::ControlKind;
using tavrelo::ui::ControlSpec;
using tavrelo::ui::FontSpec;

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

int Pixels(int twips) { return (twips + (twips >= 0 ? 7 : -7)) / 15; }

QFont Font(const FontSpec& row, bool hasFamily) {
  QString family = ToQString(row.families.back());
  if (hasFamily) {
    for (const std::string_view name : row.families) {
      if (QFontDatabase::hasFamily(ToQString(name))) {
        family = ToQString(name);
        break;
      }
    }
  }
  QFont font(family);
  font.setPointSizeF(row.pointSize);
  return font;
}

}  // namespace

int main(int argc, char* argv[]) {
  bool hasFamily = false;
  bool oneFont = false;
  bool lineEdit = false;
  QStringList icons;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--icon") == 0 && i + 1 < argc) icons.append(QString::fromLocal8Bit(argv[++i]));
    hasFamily = hasFamily || std::strcmp(argv[i], "--has-family") == 0;
    oneFont = oneFont || std::strcmp(argv[i], "--one-font") == 0;
    lineEdit = lineEdit || std::strcmp(argv[i], "--line-edit") == 0;
  }
  QApplication app(argc, argv);

  QWidget window;
  std::map<std::string_view, QWidget*> containers;
  const FontSpec* uiFont = nullptr;
  for (const ControlSpec& row : tavrelo::ui::ControlInventory()) {
    QWidget* parent = row.container.empty() ? &window : containers.at(row.container);
    const QString text = ToQString(row.caption);
    QWidget* widget = nullptr;
    switch (row.kind) {
      case ControlKind::Form: {
        window.setWindowTitle(text);
        window.resize(Pixels(row.width), Pixels(row.height));
        window.setAutoFillBackground(true);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, QColor::fromRgb(static_cast<QRgb>(*row.background)));
        window.setPalette(palette);
        uiFont = row.font;
        window.setFont(Font(*row.font, hasFamily));
        continue;
      }
      case ControlKind::Frame: widget = containers[row.name] = new QGroupBox(text, parent); break;
      case ControlKind::Label: {
        auto* label = new QLabel(text, parent);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget = label;
        break;
      }
      case ControlKind::ComboBox: {
        auto* combo = new QComboBox(parent);
        if (lineEdit) {
          combo->setLineEdit(new QLineEdit(combo));
        } else {
          combo->setEditable(true);
        }
        for (const std::string_view entry : row.list) combo->addItem(ToQString(entry));
        combo->setCurrentIndex(-1);
        widget = combo;
        break;
      }
      case ControlKind::TextBox: {
        auto* box = new QPlainTextEdit(text, parent);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        widget = box;
        break;
      }
      case ControlKind::CommandButton: widget = new QPushButton(text, parent); break;
      case ControlKind::Line: widget = new QWidget(parent); break;
    }
    if (row.font != nullptr && row.font != uiFont) widget->setFont(Font(oneFont ? *uiFont : *row.font, hasFamily));
    if (oneFont && row.font != nullptr && row.font != uiFont) {
      QFont font = widget->font();
      font.setPointSizeF(row.font->pointSize);
      widget->setFont(font);
    }
    if (row.kind == ControlKind::Line) {
      widget->setGeometry(QRect(QPoint(Pixels(row.left), Pixels(row.top)),
                                QPoint(Pixels(row.left + row.width), Pixels(row.top + row.height))));
    } else {
      widget->setGeometry(Pixels(row.left), Pixels(row.top), Pixels(row.width), Pixels(row.height));
    }
  }
  if (!icons.isEmpty()) {
    QIcon icon;
    for (const QString& file : icons) icon.addFile(file);
    window.setWindowIcon(icon);
  }
  window.show();
  return QApplication::exec();
}
