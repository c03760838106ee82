// Counts the paint events a widget receives: a benchmark waits on it to know
// that the window (or the result box) has been drawn.
#pragma once

#include <QEvent>
#include <QObject>
#include <QWidget>

class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* watched) { watched->installEventFilter(this); }
  [[nodiscard]] long Count() const { return count_; }
  [[nodiscard]] bool Painted() const { return count_ > 0; }

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count_;
    return false;
  }

 private:
  long count_ = 0;
};
