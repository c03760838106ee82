#pragma once
// The kinds of widget the window needs beyond Qt's own.

#include <QColor>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
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

  [[nodiscard]] QColor Colour() const { return colour_; }

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

}  // namespace tavrelo::ui
