#pragma once
// The fixture of the Qt-only tests (layout, fonts, colours, accessibility):
// the program's window on a fresh model for every test, with its widgets at
// hand. The behaviour every binding shares is tested through
// FormDriver instead (tests/binding_cases).

#include <gtest/gtest.h>

// What the tests on the widgets reach for.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QTest>
#include <string>
#include <vector>

#include "tests/qt/qt_window.h"
#include "ui/form_handlers.h"
#include "ui/program.h"

namespace tavrelo::ui::testing_support {

// Tavrelo's program, made before the windows that show it.
struct TavreloProgramHolder {
  TavreloProgram tavrelo;
};

class WindowTest : public ::testing::Test, private TavreloProgramHolder, protected QtWindow {
 protected:
  WindowTest() : QtWindow(tavrelo) {}
};

}  // namespace tavrelo::ui::testing_support
