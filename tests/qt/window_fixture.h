#pragma once
// The fixture of the Qt-only tests (layout, fonts, colours, the random
// user): the program's window on a fresh model for every test, with its
// widgets at hand. The behaviour every binding shares is tested through
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

namespace tavrelo::ui::testing_support {

class WindowTest : public ::testing::Test, protected QtWindow {};

}  // namespace tavrelo::ui::testing_support
