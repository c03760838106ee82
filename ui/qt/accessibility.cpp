#include "ui/qt/accessibility.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

#include "ui/qt/form_window.h"
#include "ui/qt/widgets.h"

namespace tavrelo::ui {
namespace {

// An editable combo box: named by its accessible name, its text as its
// value; children as Qt gives them (the list, then the edit field, which
// holds the focus for it).
class FieldAccessible : public QAccessibleWidget {
 public:
  explicit FieldAccessible(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Value) return Combo()->currentText();
    return QAccessibleWidget::text(kind);
  }
  int childCount() const override { return 2; }
  QAccessibleInterface* child(int index) const override {
    if (index == 0) return QAccessible::queryAccessibleInterface(Combo()->view());
    if (index == 1) return QAccessible::queryAccessibleInterface(Combo()->lineEdit());
    return nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (child == nullptr) return -1;
    if (child->object() == Combo()->lineEdit()) return 1;
    if (child->object() == Combo()->view()) return 0;
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    QAccessibleInterface* field = child(1);
    return field != nullptr && field->rect().contains(x, y) ? field : nullptr;
  }
  QAccessibleInterface* focusChild() const override { return child(1); }

  QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
  void doAction(const QString& action) override {
    if (action != showMenuAction() && action != pressAction()) return;
    if (Combo()->view()->isVisible()) {
      Combo()->hidePopup();
    } else {
      Combo()->showPopup();
    }
  }
  QStringList keyBindingsForAction(const QString& /*action*/) const override { return {}; }

 private:
  QComboBox* Combo() const { return static_cast<QComboBox*>(widget()); }
};

// The message box of a failed press: an alert that holds the input.
class AlertAccessible : public QAccessibleWidget {
 public:
  explicit AlertAccessible(QWidget* box) : QAccessibleWidget(box, QAccessible::AlertMessage) {}

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.modal = widget()->isModal();
    return state;
  }
};

// A grid of labels, row by row, its first row the column headings.
class TableAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit TableAccessible(TableGrid* grid) : QAccessibleWidget(grid, QAccessible::Table) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  int childCount() const override { return Grid()->Rows() * Grid()->Columns(); }
  QAccessibleInterface* child(int index) const override {
    const int columns = Grid()->Columns();
    return index >= 0 && columns > 0 ? cellAt(index / columns, index % columns) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto* cell = child != nullptr ? qobject_cast<const QWidget*>(child->object()) : nullptr;
    return Grid()->IndexOf(cell);
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    for (int i = 0; i < childCount(); ++i) {
      QAccessibleInterface* cell = child(i);
      if (cell != nullptr && cell->rect().contains(x, y)) return cell;
    }
    return nullptr;
  }

  QAccessibleInterface* cellAt(int row, int column) const override {
    QWidget* cell = Grid()->Cell(row, column);
    return cell != nullptr ? QAccessible::queryAccessibleInterface(cell) : nullptr;
  }
  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QString columnDescription(int column) const override {
    QAccessibleInterface* heading = cellAt(0, column);
    return heading != nullptr ? heading->text(QAccessible::Name) : QString();
  }
  QString rowDescription(int /*row*/) const override { return {}; }
  int columnCount() const override { return Grid()->Columns(); }
  int rowCount() const override { return Grid()->Rows(); }
  // For reading only: nothing is ever selected.
  int selectedCellCount() const override { return 0; }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  QList<QAccessibleInterface*> selectedCells() const override { return {}; }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int /*column*/) const override { return false; }
  bool isRowSelected(int /*row*/) const override { return false; }
  bool selectRow(int /*row*/) override { return false; }
  bool selectColumn(int /*column*/) override { return false; }
  bool unselectRow(int /*row*/) override { return false; }
  bool unselectColumn(int /*column*/) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent* /*event*/) override {}

 private:
  TableGrid* Grid() const { return static_cast<TableGrid*>(widget()); }
};

// A label in a TableGrid: a column heading in the first row, else a cell.
class CellAccessible : public QAccessibleWidget, public QAccessibleTableCellInterface {
 public:
  explicit CellAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::Cell) {}

  QAccessible::Role role() const override { return rowIndex() == 0 ? QAccessible::ColumnHeader : QAccessible::Cell; }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableCellInterface) return static_cast<QAccessibleTableCellInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
      return static_cast<QLabel*>(widget())->text();
    }
    return QAccessibleWidget::text(kind);
  }

  bool isSelected() const override { return false; }
  QList<QAccessibleInterface*> columnHeaderCells() const override {
    if (rowIndex() == 0) return {};
    QWidget* heading = Grid()->Cell(0, columnIndex());
    if (heading == nullptr) return {};
    return {QAccessible::queryAccessibleInterface(heading)};
  }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override {
    const int at = Grid()->IndexOf(widget());
    return at < 0 ? -1 : at % Grid()->Columns();
  }
  int rowIndex() const override {
    const int at = Grid()->IndexOf(widget());
    return at < 0 ? -1 : at / Grid()->Columns();
  }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return QAccessible::queryAccessibleInterface(Grid()); }

 private:
  TableGrid* Grid() const { return static_cast<TableGrid*>(widget()->parentWidget()); }
};

// Asked for every object a screen reader meets, once per class of its
// ancestry, most derived first; nullptr leaves the object to Qt.
QAccessibleInterface* MakeInterface(const QString& className, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr) return nullptr;
  if (className == QLatin1String("QComboBox")) {
    auto* combo = qobject_cast<QComboBox*>(widget);
    if (combo != nullptr && combo->isEditable()) return new FieldAccessible(combo);
  } else if (className == QLatin1String("QMessageBox")) {
    return new AlertAccessible(widget);
  } else if (className == QLatin1String("QLabel")) {
    // Asked for while the label is made, before the grid knows its place.
    if (dynamic_cast<TableGrid*>(widget->parentWidget()) != nullptr) {
      return new CellAccessible(static_cast<QLabel*>(widget));
    }
  } else if (className == QLatin1String("QWidget")) {
    // Our own widget classes have no meta-object of their own.
    if (auto* grid = dynamic_cast<TableGrid*>(widget)) return new TableAccessible(grid);
    if (dynamic_cast<Announcer*>(widget) != nullptr) return new QAccessibleWidget(widget, QAccessible::Notification);
    if (dynamic_cast<PictureView*>(widget) != nullptr) return new QAccessibleWidget(widget, QAccessible::Graphic);
    if (dynamic_cast<FormWindow*>(widget) != nullptr) return new QAccessibleWidget(widget, QAccessible::Window);
  }
  return nullptr;
}

}  // namespace

void InstallAccessibleInterfaces() {
  // Factories installed later are asked first: this one before Qt's own.
  QAccessible::installFactory(&MakeInterface);
}

}  // namespace tavrelo::ui
