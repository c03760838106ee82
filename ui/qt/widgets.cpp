#include "ui/qt/widgets.h"

#include <qdrawutil.h>

#include <QLineEdit>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <cmath>
#include <variant>

#include "ui/profile_drawing.h"
#include "ui/qt/form_window.h"
#include "ui/view_rules.h"

namespace tavrelo::ui {

ListComboBox::ListComboBox(QWidget* parent) : QComboBox(parent) {
  // Editable through a line edit of its own: setEditable(true) would also
  // build the drop-down list's popup now, for every box, long before anyone
  // opens one (a third of the window's building time).
  setLineEdit(new QLineEdit(this));
  // Qt would add a typed text to the list on Enter, and complete "3" to
  // "3.0" while typing.
  setInsertPolicy(QComboBox::NoInsert);
  setCompleter(nullptr);
  // On Enter or on leaving the field, Qt selects the entry equal to the
  // typed text and reports it as activated: that is typing, not a pick.
  QObject::disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
  QObject::disconnect(lineEdit(), &QLineEdit::returnPressed, this, nullptr);
  // What is left of activated: a pick from the open list, or a step with
  // the arrow keys (or the wheel). The edit text is the entry by then.
  connect(this, &QComboBox::activated, this, [this](int entry) {
    if (onPick_) onPick_(entry);
  });
}

ColourButton::ColourButton(const QString& caption, const QColor& colour, QWidget* parent)
    : QPushButton(caption, parent), colour_(colour) {
  // Never the window's default or cancel button: Enter and Esc in a field
  // leave it alone.
  setAutoDefault(false);
  setDefault(false);
}

void ColourButton::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  QPalette bevel = palette();
  bevel.setColor(QPalette::Button, colour_);
  qDrawWinButton(&painter, rect(), bevel, isDown(), &bevel.brush(QPalette::Button));

  // Qt's logical pixels are 96-dpi pixels.
  const ButtonLook look = CommandButtonLook();
  const QString stacked = QString::fromStdString(StackedCaption(text().toStdString()));
  const int offset = isDown() ? look.pressedOffset : 0;
  const QRect textArea = rect().translated(offset, offset);
  painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
  painter.drawText(textArea, Qt::AlignCenter, stacked);

  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = rect().adjusted(look.focusInset, look.focusInset, -look.focusInset, -look.focusInset);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
}

void FrameBox::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QFontMetrics metrics(font());
  const int captionHeight = metrics.height();
  // The etched edge: a dark line with a light one beside it.
  const QRect edge = rect().adjusted(0, captionHeight / 2, -1, -1);
  qDrawShadeRect(&painter, edge, palette(), true, 1, 0);
  const QString caption = title();
  if (caption.isEmpty()) return;
  const FrameCaptionLook look = FrameCaption();
  const QRect captionArea(look.indent, 0, metrics.horizontalAdvance(caption) + 2 * look.padding, captionHeight);
  painter.fillRect(captionArea, palette().brush(QPalette::Window));
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(captionArea, Qt::AlignCenter | Qt::TextSingleLine, caption);
}

TableGrid::TableGrid(int rows, int columns, QWidget* frame)
    : QWidget(frame), rows_(rows), columns_(columns), cells_(rows * columns, nullptr) {
  setGeometry(frame->rect());
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TableGrid::SetCell(int row, int column, QWidget* cell) {
  if (row < 0 || row >= rows_ || column < 0 || column >= columns_) return;
  cells_[row * columns_ + column] = cell;
}

QWidget* TableGrid::Cell(int row, int column) const {
  if (row < 0 || row >= rows_ || column < 0 || column >= columns_) return nullptr;
  return cells_[row * columns_ + column];
}

int TableGrid::IndexOf(const QWidget* cell) const {
  for (qsizetype i = 0; i < cells_.size(); ++i) {
    if (cell != nullptr && cells_[i] == cell) return static_cast<int>(i);
  }
  return -1;
}

void TableGrid::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  for (const Line& line : lines_) painter.fillRect(line.pixels, line.colour);
}

Announcer::Announcer(QWidget* parent) : QWidget(parent) {
  // One transparent pixel in the corner: a widget needs a size to be shown.
  setGeometry(0, 0, 1, 1);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  hide();
}

void Announcer::Announce(const QString& text) {
  // A screen reader speaks a notification when it appears.
  hide();
  setAccessibleName(text);
  show();
}

PictureView::PictureView(QWidget* parent) : QWidget(parent) {}

void PictureView::SetDrawing(const ProfileDrawing* drawing) {
  drawing_ = drawing;
  update();
}

void PictureView::paintEvent(QPaintEvent* /*event*/) {
  if (drawing_ == nullptr) return;
  QPainter painter(this);
  PaintDrawing(painter, *drawing_);
}

namespace {

QColor ColourOf(Rgb rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb)); }

QPen PenOf(const Stroke& stroke) {
  QPen pen(ColourOf(stroke.colour), stroke.width);
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  return pen;
}

}  // namespace

QImage PictureImage(const ProfileDrawing& drawing, int scale) {
  QImage image(drawing.box.width * scale, drawing.box.height * scale, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.scale(scale, scale);
  PaintDrawing(painter, drawing);
  return image;
}

void PaintDrawing(QPainter& painter, const ProfileDrawing& drawing) {
  for (const ProfileShape& shape : drawing.shapes) {
    if (const auto* rect = std::get_if<RectShape>(&shape.geometry)) {
      const QRectF area(rect->x, rect->y, rect->width, rect->height);
      if (rect->fill) painter.fillRect(area, ColourOf(*rect->fill));
      if (rect->stroke) {
        painter.setPen(PenOf(*rect->stroke));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(area);
      }
    } else if (const auto* line = std::get_if<LineShape>(&shape.geometry)) {
      painter.setPen(PenOf(line->stroke));
      painter.drawLine(QPointF(line->from.x, line->from.y), QPointF(line->to.x, line->to.y));
    } else if (const auto* dashed = std::get_if<DashedLineShape>(&shape.geometry)) {
      QPen pen = PenOf(dashed->stroke);
      // Qt counts a dash pattern in pen widths.
      pen.setDashPattern({dashed->dash / dashed->stroke.width, dashed->gap / dashed->stroke.width});
      painter.setPen(pen);
      painter.drawLine(QPointF(dashed->from.x, dashed->from.y), QPointF(dashed->to.x, dashed->to.y));
    } else if (const auto* polyline = std::get_if<PolylineShape>(&shape.geometry)) {
      QPolygonF points;
      for (const PixelPoint& point : polyline->points) points << QPointF(point.x, point.y);
      // A slanted line wants its edges smoothed; nothing else here does.
      painter.setRenderHint(QPainter::Antialiasing, true);
      if (polyline->fill) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(ColourOf(*polyline->fill));
        painter.drawPolygon(points);
      }
      painter.setPen(PenOf(polyline->stroke));
      painter.setBrush(Qt::NoBrush);
      painter.drawPolyline(points);
      painter.setRenderHint(QPainter::Antialiasing, false);
    } else if (const auto* text = std::get_if<TextShape>(&shape.geometry)) {
      QFont font = ChooseFont(text->font != nullptr ? *text->font : look::WindowFont());
      font.setPixelSize(static_cast<int>(std::lround(text->size)));
      painter.setFont(font);
      painter.setPen(ColourOf(text->colour));
      const QString shown = QString::fromStdString(text->text);
      const double width = QFontMetricsF(font).horizontalAdvance(shown);
      const double x = text->horizontal == HorizontalAnchor::Start    ? text->anchor.x
                       : text->horizontal == HorizontalAnchor::Middle ? text->anchor.x - width / 2
                                                                      : text->anchor.x - width;
      painter.drawText(QPointF(x, BaselineOf(*text)), shown);
    }
  }
}

}  // namespace tavrelo::ui
