#pragma once
// The fixture of the binding cases: a fresh window of the linked binding for
// every test, and the readings several cases make of it.

#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "tests/binding_cases/form_driver.h"
#include "tests/support/printers.h"
#include "tests/support/typical_use.h"
#include "ui/program.h"

namespace tavrelo::ui::testing_support {

class BindingTest : public ::testing::Test {
 protected:
  // Picks each entry by pointer, in order.
  void PickAll(std::span<const EntryPick> picks);
  void FillTypicalUse() { PickAll(kTypicalUse); }

  // Where the focus goes with `count` − 1 presses of `key`, starting with
  // where it is.
  std::vector<std::string> Walk(std::size_t count, DriverKey key = DriverKey::Tab);
  // Whether each of the five rows of the layer table is shown, read from
  // its thickness field.
  std::vector<bool> RowsShown();
  // What every combo box and Text1 show, to see that nothing moved.
  std::vector<std::string> FieldsShown();

  TavreloProgram program;
  std::unique_ptr<FormDriver> driver = MakeFormDriver(program);
  FormModel& model = program.Main();
};

}  // namespace tavrelo::ui::testing_support
