#include "ui/form_model.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/recording_view.h"

namespace tavrelo::ui {
namespace {

using testing_support::RecordingView;

TEST(StartingState, EveryControlVisibleAndEveryComboEmpty) {
  const FormModel model;
  for (const ControlSpec& row : model.Inventory()) {
    const ControlKey key{row.name, row.index};
    EXPECT_TRUE(model.Visible(key)) << DisplayName(key);
    if (row.kind == ControlKind::ComboBox) {
      EXPECT_EQ(model.Text(key), "") << DisplayName(key);
      EXPECT_EQ(model.Selection(key), std::nullopt) << DisplayName(key);
    }
  }
}

TEST(StartingState, ResultBoxHoldsItsNoteEndingInCrLf) {
  const FormModel model;
  const std::string& note = model.Text({"Text1"});
  EXPECT_EQ(note.rfind("此计算仅供参考！", 0), 0U);
  ASSERT_GE(note.size(), 2U);
  EXPECT_EQ(note.substr(note.size() - 2), "\r\n");
  EXPECT_GT(note.size(), std::string("此计算仅供参考！\r\n").size()) << "a contact line follows the warning";
  EXPECT_EQ(note.find('\n'), note.size() - 1) << "one line break, at the end";
}

TEST(Lookup, FindsControlsByNameAndIndex) {
  const FormModel model;
  EXPECT_EQ(model.Row({"Combo4", 7}).top, 1800);
  EXPECT_EQ(model.Row({"Combo4", 7}).left, 3360);
  EXPECT_EQ(model.Row({"Label3", 22}).caption, "0.25-0.40");
  EXPECT_EQ(model.Row({"Frame3"}).caption, "负摩阻力系数ξn");
  EXPECT_EQ(model.Inventory()[model.Position({"Combo6"}).value()].name, "Combo6");
  EXPECT_TRUE(model.Contains({"Line23"}));
}

TEST(Lookup, RejectsControlsThatDoNotExist) {
  FormModel model;
  EXPECT_FALSE(model.Contains({"Combo4", 10}));
  EXPECT_FALSE(model.Contains({"Combo1", 0}));
  EXPECT_EQ(model.Position({"Combo8"}), std::nullopt);
  EXPECT_THROW((void)model.Row({"Combo8"}), std::out_of_range);
  EXPECT_THROW(model.OnSelect({"Text1"}, [] {}), std::invalid_argument);
  EXPECT_THROW(model.OnPress({"Combo1"}, [] {}), std::invalid_argument);
}

// Events run these; an exception through a toolkit's event loop would end
// the program, so a control that does not exist is read as empty and hidden,
// and changing it does nothing.
TEST(Lookup, UnknownControlsNeverThrowWhereEventsRun) {
  FormModel model;
  RecordingView view;
  model.SetView(&view);
  for (const ControlKey missing : {ControlKey{"Combo8"}, ControlKey{"Label3", 25}, ControlKey{"Combo4", -1}}) {
    EXPECT_NO_THROW({
      EXPECT_EQ(model.Text(missing), "");
      EXPECT_FALSE(model.Visible(missing));
      EXPECT_EQ(model.Selection(missing), std::nullopt);
      model.SetText(missing, "x");
      model.SetVisible(missing, false);
      model.Select(missing, 0);
      model.Press(missing);
      model.RequestFocus(missing);
      model.Announce(missing);
    }) << DisplayName(missing);
  }
  EXPECT_TRUE(view.events.empty());
  model.SetView(nullptr);
}

TEST(Focus, OpensInTheFirstTabStopAndGoesOnlyToVisibleFields) {
  FormModel model;
  RecordingView view;
  model.SetView(&view);
  EXPECT_EQ(model.InitialFocus(), (ControlKey{"Combo1"}));
  model.RequestFocus({"Combo6"});
  model.RequestFocus({"Label7"});  // a label takes no focus
  model.SetVisible({"Combo7"}, false);
  model.RequestFocus({"Combo7"});
  EXPECT_THAT(view.events, testing::ElementsAre("focus Combo6", "hide Combo7"));
  model.SetView(nullptr);
}

TEST(Visibility, HidingKeepsTextSelectionAndList) {
  FormModel model;
  model.Select({"Combo3", 2}, 4);
  model.SetText({"Combo4", 7}, "2.3");
  model.SetVisible({"Combo3", 2}, false);
  model.SetVisible({"Combo4", 7}, false);
  EXPECT_FALSE(model.Visible({"Combo3", 2}));
  model.SetVisible({"Combo3", 2}, true);
  EXPECT_EQ(model.Text({"Combo3", 2}), "19");
  EXPECT_EQ(model.Selection({"Combo3", 2}), 4);
  EXPECT_EQ(model.Row({"Combo3", 2}).list.size(), 7U);
  EXPECT_EQ(model.Text({"Combo4", 7}), "2.3") << "hidden, the text stays";
}

TEST(Selection, SetsTheTextBeforeTheEvent) {
  FormModel model;
  std::vector<std::string> seen;
  model.OnSelect({"Combo1"}, [&] { seen.push_back(model.Text({"Combo1"})); });
  model.Select({"Combo1"}, 1);
  model.Select({"Combo1"}, 1);
  model.Select({"Combo1"}, 4);
  EXPECT_EQ(seen, (std::vector<std::string>{"2.0", "2.0", "5.0"})) << "the entry verbatim, every pick";
  EXPECT_EQ(model.Selection({"Combo1"}), 4);
}

TEST(Selection, EntriesOutsideTheListAreIgnored) {
  FormModel model;
  int events = 0;
  model.OnSelect({"Combo5"}, [&] { ++events; });
  model.Select({"Combo5"}, 2);
  model.Select({"Combo5"}, -1);
  EXPECT_EQ(events, 0);
  EXPECT_EQ(model.Text({"Combo5"}), "");
  EXPECT_EQ(model.Selection({"Combo5"}), std::nullopt);
}

TEST(Selection, OnlyTheHandlerOfThePickedComboRuns) {
  FormModel model;
  std::vector<std::string> ran;
  model.OnSelect({"Combo1"}, [&] { ran.push_back("Combo1"); });
  model.OnSelect({"Combo5"}, [&] { ran.push_back("Combo5"); });
  model.Select({"Combo6"}, 3);
  model.Select({"Combo5"}, 0);
  EXPECT_EQ(ran, std::vector<std::string>{"Combo5"});
}

TEST(Typing, ChangesTheTextWithoutAnEvent) {
  FormModel model;
  int events = 0;
  model.OnSelect({"Combo1"}, [&] { ++events; });
  model.SetText({"Combo1"}, "3");
  model.SetText({"Combo1"}, "2.0");
  EXPECT_EQ(events, 0);
  EXPECT_EQ(model.Text({"Combo1"}), "2.0");
  EXPECT_EQ(model.Selection({"Combo1"}), std::nullopt) << "typing an entry is no selection";
}

TEST(Press, RaisesTheButtonsEvent) {
  FormModel model;
  int presses = 0;
  model.OnPress({"Command1"}, [&] { ++presses; });
  model.Press({"Command1"});
  model.Press({"Command1"});
  model.Press({"Combo1"});
  EXPECT_EQ(presses, 2);
}

TEST(View, IsToldOfEachChangeOnce) {
  FormModel model;
  RecordingView view;
  model.SetView(&view);
  model.SetText({"Text1"}, "a");
  model.SetText({"Text1"}, "a");
  model.SetVisible({"Label7"}, false);
  model.SetVisible({"Label7"}, false);
  model.Select({"Combo6"}, 5);
  model.Select({"Combo6"}, 5);
  EXPECT_THAT(view.events, testing::ElementsAre("text Text1 a", "hide Label7", "text Combo6 0.2", "select Combo6 5"));
  model.SetView(nullptr);
  model.SetText({"Text1"}, "b");
  EXPECT_EQ(view.events.size(), 4U);
}

}  // namespace
}  // namespace tavrelo::ui
