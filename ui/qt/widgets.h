#pragma once
// The kinds of widget the window needs beyond Qt's own.

#include <QColor>
#include <QComboBox>
#include <QGroupBox>
#include <QList>
#include <QPushButton>
#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>

namespace tavrelo::ui {

// An editable drop-down whose list never changes and whose only event is a
// pick: an entry chosen from the open list by pointer or by keyboard, or
// stepped to with the arrow keys. Typing never picks, Enter included, and
// nothing typed is completed inline or added to the list.
class ListComboBox : public QComboBox {
 public:
  explicit ListComboBox(QWidget* parent);

  // Called with the entry's index after the edit text has become that entry.
  void SetPickHandler(std::function<void(int entry)> handler) { onPick_ = std::move(handler); }

 private:
  std::function<void(int)> onPick_;
};

// A push button painted in its own colour whatever the platform style, with
// its caption stacked one character per line for a tall, narrow button.
class ColourButton : public QPushButton {
 public:
  ColourButton(const QString& caption, const QColor& colour, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor colour_;
};

// A frame drawn the classic way whatever the platform style: an etched
// rectangle with the caption, in regular weight, set into its top edge at
// the left.
class FrameBox : public QGroupBox {
 public:
  FrameBox(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// The grid of a table of labels, laid over the whole of its frame: it
// draws the table's one-pixel lines (decoration, which a screen reader
// does not see) and holds the cells, so that they are read as one table.
class TableGrid : public QWidget {
 public:
  struct Line {
    QRect pixels;  // the rectangle of pixels it covers
    QColor colour;
  };

  TableGrid(int rows, int columns, QWidget* frame);

  void AddLine(const QRect& pixels, const QColor& colour) { lines_.push_back({pixels, colour}); }
  [[nodiscard]] const QList<Line>& Lines() const { return lines_; }

  // Makes `cell`, a child of the grid, the cell at (row, column).
  void SetCell(int row, int column, QWidget* cell);
  // The cell at (row, column); nullptr where there is none.
  [[nodiscard]] QWidget* Cell(int row, int column) const;
  // Row by row: row × Columns() + column; −1 for a widget that is no cell.
  [[nodiscard]] int IndexOf(const QWidget* cell) const;
  [[nodiscard]] int Rows() const { return rows_; }
  [[nodiscard]] int Columns() const { return columns_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int rows_;
  int columns_;
  QList<Line> lines_;
  QList<QWidget*> cells_;  // row by row, nullptr for an empty cell
};

// A picture: a drawing of plain shapes (ui/profile_drawing.h) painted in
// the list's order, in Qt's logical pixels, which are 96-dpi pixels.
class PictureView : public QWidget {
 public:
  explicit PictureView(QWidget* parent);
  void SetDrawing(const struct ProfileDrawing* drawing);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const struct ProfileDrawing* drawing_ = nullptr;
};

// Paints `drawing` with `painter`, whose coordinates are 96-dpi pixels; and
// the drawing as a picture on white, `scale` device pixels to one of them.
void PaintDrawing(class QPainter& painter, const struct ProfileDrawing& drawing);
[[nodiscard]] class QImage PictureImage(const struct ProfileDrawing& drawing, int scale);

// Nothing on screen: for a screen reader, a notification that Announce()
// shows anew with the text to speak, without taking the focus.
class Announcer : public QWidget {
 public:
  explicit Announcer(QWidget* parent);
  void Announce(const QString& text);
};

}  // namespace tavrelo::ui
