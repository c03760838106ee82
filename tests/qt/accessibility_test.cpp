// What a screen reader finds in the Qt window, read through Qt's
// accessibility interfaces as the AT-SPI bridge reads them: names that stay
// when a field is filled, the labels' relations, the reference table as a
// table, the window as a frame, the modal alert, and the announcement of a
// new sentence.
#include <gmock/gmock.h>

#include <QAccessible>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <functional>

#include "tests/qt/window_fixture.h"
#include "tests/support/typical_use.h"

namespace tavrelo::ui {
namespace {

using testing_support::AnsweredBox;
using testing_support::kTypicalSentence;
using testing_support::WindowTest;

QAccessibleInterface* Of(QObject* object) { return QAccessible::queryAccessibleInterface(object); }
std::string Text(QAccessibleInterface* node, QAccessible::Text kind) {
  return node != nullptr ? node->text(kind).toStdString() : "(no interface)";
}
std::string Name(QAccessibleInterface* node) { return Text(node, QAccessible::Name); }

// Every node under `root`, depth first, as the bridge walks the tree.
void Walk(QAccessibleInterface* root, const std::function<void(QAccessibleInterface*)>& visit) {
  if (root == nullptr) return;
  visit(root);
  for (int i = 0; i < root->childCount(); ++i) Walk(root->child(i), visit);
}

class Accessibility : public WindowTest {
 protected:
  QAccessibleInterface* Node(ControlKey control) { return Of(window.Widget(control)); }
};

// --- Fields keep their names ---------------------------------------------------

struct FillCase {
  const char* name;
  ControlKey combo;
  const char* typed;   // as the user types it
  const char* picked;  // then picked from the list
};

class FilledField : public Accessibility, public testing::WithParamInterface<FillCase> {};

TEST_P(FilledField, KeepsItsNameAndReportsItsTextAsValue) {
  const FillCase& c = GetParam();
  const std::string name = model.Row(c.combo).accessibleName;
  QComboBox* combo = Combo(c.combo.name, c.combo.index);
  QAccessibleInterface* node = Node(c.combo);
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->role(), QAccessible::ComboBox);
  EXPECT_EQ(Name(node), name) << "empty";
  for (const auto& [how, text] : {std::pair{"typed", c.typed}, std::pair{"picked", c.picked}}) {
    if (std::string_view(how) == "typed") {
      Type(c.combo, QString::fromUtf8(text));
    } else {
      Pick(c.combo, QString::fromUtf8(text));
    }
    SCOPED_TRACE(std::string(how) + " " + text);
    EXPECT_EQ(Name(node), name);
    EXPECT_EQ(Text(node, QAccessible::Value), text);
    // The edit field, which holds the focus for the box, is named alike.
    QAccessibleInterface* field = node->focusChild();
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->object(), combo->lineEdit());
    EXPECT_EQ(Name(field), name);
    EXPECT_EQ(Text(field, QAccessible::Value), text);
    EXPECT_EQ(node->indexOfChild(field), 1);
  }
}

INSTANTIATE_TEST_SUITE_P(EveryKindOfField, FilledField,
                         testing::Values(FillCase{"LayerCount", controls::kLayerCount, "2", "2.0"},
                                         FillCase{"SoilName", controls::SoilName(1), "粘土", "粉土"},
                                         FillCase{"UnitWeight", controls::UnitWeight(1), "18", "19"},
                                         FillCase{"Elevation", controls::Elevation(3), "3", "4.5"},
                                         FillCase{"Thickness", controls::Thickness(2), "3", "3.0"},
                                         FillCase{"Cause", controls::kCause, "降低", "地面有满布荷载"},
                                         FillCase{"Coefficient", controls::kCoefficient, "0.25", "0.3"},
                                         FillCase{"Load", controls::kLoad, "10", "5.0"}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(Accessibility, LayerFieldsAreDescribedByRowNumberAndColumnHeading) {
  EXPECT_EQ(Text(Node(controls::UnitWeight(2)), QAccessible::Description), "编号 2，重度（kn/m3）");
  EXPECT_EQ(Text(Node(controls::SoilName(5)), QAccessible::Description), "编号 5，名称");
  EXPECT_EQ(Text(Node(controls::UnitWeight(2))->focusChild(), QAccessible::Description), "编号 2，重度（kn/m3）");
}

// --- Labels ----------------------------------------------------------------------

TEST_F(Accessibility, FourLabelsAndTheirFieldsPointAtEachOther) {
  const std::vector<std::pair<ControlKey, ControlKey>> pairs = {{{"Label1"}, controls::kLayerCount},
                                                                {{"Label4"}, controls::kCause},
                                                                {{"Label5"}, controls::kCoefficient},
                                                                {controls::kLoadLabel, controls::kLoad}};
  const auto related = [](QAccessibleInterface* node, QAccessible::Relation relation) {
    std::vector<QObject*> objects;
    for (const auto& [other, kind] : node->relations(relation)) objects.push_back(other->object());
    return objects;
  };
  for (const auto& [label, field] : pairs) {
    SCOPED_TRACE(DisplayName(label));
    EXPECT_THAT(related(Node(field), QAccessible::Label), testing::Contains(window.Widget(label)));
    EXPECT_THAT(related(Node(label), QAccessible::Labelled), testing::ElementsAre(window.Widget(field)));
  }
  EXPECT_THAT(related(Node({"Label2"}), QAccessible::Labelled), testing::IsEmpty()) << "层 names nothing";
}

// --- The window, the table, the lines -----------------------------------------

TEST_F(Accessibility, WindowIsAFrameNamedLikeItsCaption) {
  QAccessibleInterface* node = Of(&window);
  EXPECT_EQ(node->role(), QAccessible::Window);
  EXPECT_EQ(Name(node), "Tavrelo");
}

TEST_F(Accessibility, ReferenceTableReadsRowByRowWithItsHeadings) {
  QAccessibleInterface* frame = Node({"Frame3"});
  QAccessibleInterface* table = nullptr;
  for (int i = 0; i < frame->childCount(); ++i) {
    if (frame->child(i)->role() == QAccessible::Table) table = frame->child(i);
  }
  ASSERT_NE(table, nullptr);
  QAccessibleTableInterface* cells = table->tableInterface();
  ASSERT_NE(cells, nullptr);
  EXPECT_EQ(cells->rowCount(), 5);
  EXPECT_EQ(cells->columnCount(), 3);
  std::vector<std::string> read;
  for (int i = 0; i < table->childCount(); ++i) {
    EXPECT_EQ(table->indexOfChild(table->child(i)), i);
    EXPECT_EQ(table->child(i)->parent()->object(), table->object());
    read.push_back(Name(table->child(i)));
  }
  EXPECT_THAT(read, testing::ElementsAre("项次", "土类", "ξn", "1", "饱和软土", "0.15-0.25", "2", "粘性土、粉土",
                                         "0.25-0.40", "3", "砂土", "0.35-0.50", "4", "自重湿陷性黄土", "0.20-0.35"));
  QAccessibleInterface* clay = cells->cellAt(2, 1);
  ASSERT_NE(clay, nullptr);
  EXPECT_EQ(clay->role(), QAccessible::Cell);
  QAccessibleTableCellInterface* cell = clay->tableCellInterface();
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(cell->rowIndex(), 2);
  EXPECT_EQ(cell->columnIndex(), 1);
  ASSERT_EQ(cell->columnHeaderCells().size(), 1);
  EXPECT_EQ(Name(cell->columnHeaderCells()[0]), "土类");
  EXPECT_EQ(cells->cellAt(0, 2)->role(), QAccessible::ColumnHeader);
  EXPECT_EQ(cells->columnDescription(2).toStdString(), "ξn");
}

// The ten grid lines are not in the tree (Qt shows a plain widget as a
// nameless filler): "负摩阻力系数ξn" names the frame and the table in it,
// the label and its field (with the field's edit) only.
TEST_F(Accessibility, OnlyControlsAreInTheTreeAndNoLines) {
  std::vector<QAccessible::Role> named;
  int nodes = 0;
  Walk(Of(&window), [&](QAccessibleInterface* node) {
    ++nodes;
    // (Qt's own scroll-area parts are fillers, and hidden; the lists'
    // entries are objects of no widget.)
    if (node->object() != nullptr && !node->object()->objectName().startsWith(QStringLiteral("qt_"))) {
      EXPECT_NE(node->role(), QAccessible::Client) << node->object()->objectName().toStdString();
    }
    if (Name(node) == "负摩阻力系数ξn") named.push_back(node->role());
  });
  EXPECT_THAT(named, testing::UnorderedElementsAre(QAccessible::Grouping, QAccessible::Table, QAccessible::StaticText,
                                                   QAccessible::ComboBox, QAccessible::EditableText));
  EXPECT_GT(nodes, 70);
}

// --- What is announced -----------------------------------------------------------

TEST_F(Accessibility, SuccessfulPressIsAnnouncedAndTheFocusStaysOnTheButton) {
  std::vector<QAccessibleInterface*> notifications;
  Walk(Of(&window), [&](QAccessibleInterface* node) {
    if (node->role() == QAccessible::Notification) notifications.push_back(node);
  });
  ASSERT_EQ(notifications.size(), 1U);
  QAccessibleInterface* announcer = notifications[0];
  EXPECT_TRUE(announcer->state().invisible) << "nothing announced yet";

  testing_support::ApplyPicks(testing_support::kTypicalUse, [this](ControlKey combo, std::string_view entry) {
    Pick(combo, QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size())));
  });
  auto* button = Get<QPushButton>(controls::kCompute);
  const auto press = [button] {
    QTest::mouseClick(button, Qt::LeftButton);
    QApplication::processEvents();
  };
  press();
  EXPECT_EQ(QApplication::focusWidget(), button);
  EXPECT_EQ(Text(Node(controls::kResult), QAccessible::Value), std::string(kTypicalSentence));
  EXPECT_EQ(announcements.size(), 1U);
  EXPECT_FALSE(announcer->state().invisible);
  EXPECT_EQ(Name(announcer), std::string(kTypicalSentence));
  EXPECT_TRUE(announcer->rect().isValid());  // on screen, if only one pixel

  press();  // the same sentence again: announced again
  EXPECT_EQ(announcements.size(), 2U);
  Type(controls::kCoefficient, "x");  // and a press that fails: its message box speaks
  press();
  EXPECT_EQ(announcements.size(), 2U);
  EXPECT_EQ(messages.size(), 1U);
}

// The message box of a failed press, as it stood on screen before it was
// answered: a modal alert named by its title that holds the message and its
// one button.
TEST_F(Accessibility, ProblemBoxIsAModalAlert) {
  Pick(controls::kLayerCount, QStringLiteral("2.0"));
  QTest::mouseClick(Get<QPushButton>(controls::kCompute), Qt::LeftButton);
  QApplication::processEvents();
  ASSERT_EQ(messages.size(), 1U);
  const AnsweredBox& box = messages.front();
  EXPECT_TRUE(box.alert);
  EXPECT_EQ(box.title, "Tavrelo");
  EXPECT_THAT(box.accessibleTexts, testing::Contains("请从列表中选择负摩阻力产生原因。"));
  EXPECT_THAT(box.accessibleTexts, testing::Contains("确定"));
}

}  // namespace
}  // namespace tavrelo::ui
