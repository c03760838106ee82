// The window as it opens: every control in its place, the fonts the label
// boxes are sized for, the colours as they reach the screen, and the note in
// the result box. CTest runs this program twice, the second time at
// QT_SCALE_FACTOR=2, where logical places and font metrics stay as they are
// and only the device pixels double.
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <cmath>

#include "tests/qt/window_fixture.h"
#include "ui/qt/widgets.h"

// Readable failure messages for Qt's geometry.
inline void PrintTo(const QRect& rect, std::ostream* out) {
  *out << "QRect(" << rect.x() << ", " << rect.y() << ", " << rect.width() << ", " << rect.height() << ")";
}
inline void PrintTo(const QPoint& point, std::ostream* out) { *out << "(" << point.x() << ", " << point.y() << ")"; }
inline void PrintTo(const QSize& size, std::ostream* out) { *out << size.width() << " x " << size.height(); }
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace tavrelo::ui {
namespace {

using testing_support::WindowTest;

constexpr QRgb kFormGreen = 0x80FF80;
constexpr QRgb kFrameOrange = 0xFFC080;
constexpr QRgb kButtonOrange = 0xFF8000;
constexpr QRgb kPaleYellow = 0xFFFFC0;
constexpr QRgb kBlue = 0x0000FF;
constexpr QRgb kDarkRed = 0xC00000;

ControlKey KeyOf(const ControlSpec& row) { return {row.name, row.index}; }

// The pixels a frame's table grid draws as lines, in the frame's
// coordinates (the grid covers the whole frame).
QList<QRect> LinesDrawnIn(const QWidget* frame) {
  QList<QRect> lines;
  for (const QObject* child : frame->children()) {
    if (const auto* grid = dynamic_cast<const TableGrid*>(child)) {
      EXPECT_EQ(grid->geometry(), frame->rect());
      for (const TableGrid::Line& line : grid->Lines()) lines.push_back(line.pixels);
    }
  }
  return lines;
}
std::string NameOf(const ControlSpec& row) { return DisplayName(KeyOf(row)); }
bool IsNotes(const ControlSpec& row) { return row.name == "Label6"; }

// Where the ratio comes from in this run: 1, or QT_SCALE_FACTOR when set.
double ExpectedScale() {
  return qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble() : 1.0;
}

std::string RgbName(QRgb rgb) { return QColor(rgb).name().toStdString(); }

// How much of `ink` a pixel laid over `background` holds, from 0 to 1; -1 when
// the pixel is no blend of the two (text in another colour).
double CoverageOf(QRgb pixel, QRgb ink, QRgb background) {
  const int channels[3][3] = {{qRed(pixel), qRed(ink), qRed(background)},
                              {qGreen(pixel), qGreen(ink), qGreen(background)},
                              {qBlue(pixel), qBlue(ink), qBlue(background)}};
  int widest = 0;
  for (int c = 1; c < 3; ++c) {
    if (std::abs(channels[c][1] - channels[c][2]) > std::abs(channels[widest][1] - channels[widest][2])) widest = c;
  }
  const double coverage =
      static_cast<double>(channels[widest][0] - channels[widest][2]) / (channels[widest][1] - channels[widest][2]);
  for (const auto& channel : channels) {
    const double blended = channel[2] + coverage * (channel[1] - channel[2]);
    if (std::abs(blended - channel[0]) > 4.0) return -1.0;
  }
  return coverage;
}

// --- Geometry ------------------------------------------------------------------

using WindowLayout = WindowTest;

TEST_F(WindowLayout, WindowIsTavreloWithA628By316ClientArea) {
  EXPECT_EQ(window.windowTitle(), "Tavrelo");
  EXPECT_EQ(window.size(), QSize(628, 316));
}

// A pointer on a field reaches it, in every window: no table grid or frame
// lies over the controls.
TEST_F(WindowLayout, ThePointerReachesEveryFieldAtItsCentre) {
  for (const FormWindow* each : windows.All()) {
    for (const ControlSpec& row : each->Model().Inventory()) {
      const QWidget* field = each->Widget(row.Key());
      if (!row.TakesFocus() || !field->isVisibleTo(each)) continue;
      const QPoint centre = field->mapTo(each, field->rect().center());
      const QWidget* hit = each->childAt(centre);
      EXPECT_TRUE(hit == field || field->isAncestorOf(hit))
          << NameOf(row) << " under " << hit->objectName().toStdString();
    }
  }
}

// Twips become pixels at 15 to one; for a line both end points are pixels of
// it, so a horizontal line covers x1..x2 on one row.
TEST_F(WindowLayout, EveryControlSitsAtItsTwipsDividedByFifteen) {
  for (const ControlSpec& row : model.Inventory()) {
    if (row.kind == ControlKind::Form) continue;
    SCOPED_TRACE(NameOf(row));
    ASSERT_EQ(row.left % 15 + row.top % 15 + row.width % 15 + row.height % 15, 0) << "not whole pixels";
    const QWidget* container = row.container.empty() ? &window : window.Widget({row.container});
    if (row.kind == ControlKind::Line) {
      // Drawn by the frame: both end points are pixels of the line.
      const QRect expected(QPoint(row.left / 15, row.top / 15),
                           QPoint((row.left + row.width) / 15, (row.top + row.height) / 15));
      EXPECT_TRUE(LinesDrawnIn(container).contains(expected)) << "no line at " << testing::PrintToString(expected);
      EXPECT_EQ(window.Widget(KeyOf(row)), nullptr) << "a line is no widget";
      continue;
    }
    const QWidget* widget = window.Widget(KeyOf(row));
    // The reference table's cells stand in the grid that covers their frame.
    const QWidget* parent = row.cell ? widget->parentWidget()->parentWidget() : widget->parentWidget();
    EXPECT_EQ(parent, container);
    EXPECT_TRUE(widget->isVisible());
    EXPECT_EQ(widget->geometry(), QRect(row.left / 15, row.top / 15, row.width / 15, row.height / 15));
  }
  EXPECT_EQ(LinesDrawnIn(window.Widget({"Frame3"})).size(), 10);
}

// A few places written out in pixels, so that a slip in the inventory's own
// numbers shows here too.
TEST_F(WindowLayout, LandmarksInPixels) {
  EXPECT_EQ(window.Widget({"Frame3"})->geometry(), QRect(320, 8, 297, 177));
  EXPECT_EQ(window.Widget({"Command1"})->geometry(), QRect(288, 224, 25, 81));
  EXPECT_EQ(window.Widget({"Combo4", 7})->geometry(), QRect(224, 120, 57, 20));
  EXPECT_EQ(window.Widget({"Combo7"})->geometry(), QRect(208, 48, 49, 20));
  EXPECT_EQ(window.Widget({"Label6"})->geometry(), QRect(16, 112, 265, 49));
  const QList<QRect> lines = LinesDrawnIn(window.Widget({"Frame3"}));
  EXPECT_TRUE(lines.contains(QRect(280, 24, 1, 81))) << "Line16";
  EXPECT_TRUE(lines.contains(QRect(16, 104, 265, 1))) << "Line21";
}

TEST_F(WindowLayout, DevicePixelsFollowTheScaleWhileLogicalSizesStay) {
  const double scale = ExpectedScale();
  EXPECT_DOUBLE_EQ(window.devicePixelRatioF(), scale);
  const QImage shot = window.grab().toImage();
  EXPECT_EQ(shot.size(), QSize(628, 316) * scale);
  EXPECT_DOUBLE_EQ(shot.devicePixelRatio(), scale);
  EXPECT_EQ(window.Widget({"Frame1"})->geometry(), QRect(16, 8, 297, 209));
}

// --- Fonts ---------------------------------------------------------------------

bool SimSunInstalled() {
  return QFontDatabase::hasFamily(QStringLiteral("SimSun")) || QFontDatabase::hasFamily(QStringLiteral("宋体"));
}

using WindowFonts = WindowTest;

TEST_F(WindowFonts, EveryControlButTheNotesGetsTwelveAndSixPixelCharacters) {
  for (const ControlSpec& row : model.Inventory()) {
    if (row.kind == ControlKind::Line || IsNotes(row)) continue;
    SCOPED_TRACE(NameOf(row));
    const QFont font = window.Widget(KeyOf(row))->font();
    const QFontMetrics metrics(font);
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("土层厚")), 36);
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("0.15-0.25")), 54);
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("kn/m3")), 30);
    if (!SimSunInstalled()) {
      EXPECT_EQ(QFontInfo(font).family(), "WenQuanYi Zen Hei Mono");
    }
  }
}

TEST_F(WindowFonts, NotesGetTenAndFivePixelCharacters) {
  const QFont font = window.Widget({"Label6"})->font();
  const QFontMetrics metrics(font);
  EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("注：在同一类土中")), 80);
  EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("qsi(n)")), 30);
  EXPECT_FALSE(font.bold());
  if (!SimSunInstalled()) {
    EXPECT_EQ(QFontInfo(font).family(), "AR PL UMing CN");
  }
}

// The label boxes leave no room for a wider font: a caption that did not fit
// would wrap onto a second line that the 17-pixel box cuts off.
TEST_F(WindowFonts, EverySingleLineCaptionFitsItsLabel) {
  for (const ControlSpec& row : model.Inventory()) {
    if (row.kind != ControlKind::Label || IsNotes(row)) continue;
    SCOPED_TRACE(NameOf(row));
    const auto* label = Get<QLabel>(KeyOf(row));
    const QFontMetrics metrics(label->font());
    EXPECT_LE(metrics.horizontalAdvance(label->text()), label->contentsRect().width());
    EXPECT_LE(label->heightForWidth(label->width()), label->height());
  }
}

// The lines of a plain-text caption as a word-wrapping QLabel breaks them.
QStringList WrappedLines(const QLabel& label, qreal* height) {
  QTextLayout layout(label.text(), label.font());
  QTextOption option(label.alignment());
  option.setWrapMode(QTextOption::WordWrap);
  layout.setTextOption(option);
  QStringList lines;
  qreal y = 0;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(label.contentsRect().width());
    line.setPosition(QPointF(0, y));
    y += line.height();
    lines << label.text().mid(line.textStart(), line.textLength());
  }
  layout.endLayout();
  *height = y;
  return lines;
}

// Label6 holds no line break: its width and the blanks before "2、" and
// "3、" put note 1 on two lines and notes 2 and 3 on one each.
TEST_F(WindowFonts, NotesWrapIntoFourLinesOneNotePerLine) {
  const auto* notes = Get<QLabel>({"Label6"});
  qreal height = 0;
  const QStringList lines = WrappedLines(*notes, &height);
  ASSERT_EQ(lines.size(), 4) << lines.join(QLatin1Char('|')).toStdString();
  EXPECT_TRUE(lines[0].startsWith(QStringLiteral("注：1、"))) << lines[0].toStdString();
  EXPECT_TRUE(lines[1].trimmed().endsWith(QStringLiteral("取表中较小值。"))) << lines[1].toStdString();
  EXPECT_TRUE(lines[2].startsWith(QStringLiteral("2、"))) << lines[2].toStdString();
  EXPECT_TRUE(lines[3].startsWith(QStringLiteral("3、"))) << lines[3].toStdString();
  // All four lines stand inside the box, and QLabel asks for that much.
  EXPECT_LE(std::ceil(height), notes->height());
  EXPECT_EQ(notes->heightForWidth(notes->width()), static_cast<int>(std::ceil(height)));
}

// --- Colours, read from the rendered window ------------------------------------

class WindowColours : public WindowTest {
 protected:
  WindowColours() : shot(window.grab().toImage()) {}

  // The rendered colour at `point` of `widget`, in logical pixels.
  QRgb PixelAt(const QWidget* widget, QPoint point) const {
    const QPointF device = QPointF(widget->mapTo(&window, point)) * shot.devicePixelRatio();
    return shot.pixel(device.toPoint()) & 0xFFFFFFu;
  }

  // The pixel of `widget` farthest from `background`: where the text is
  // inked through.
  QRgb InkOf(const QWidget* widget, QRgb background) const {
    QRgb ink = background;
    int farthest = -1;
    for (int y = 0; y < widget->height(); ++y) {
      for (int x = 0; x < widget->width(); ++x) {
        const QRgb pixel = PixelAt(widget, {x, y});
        const int distance = std::abs(qRed(pixel) - qRed(background)) + std::abs(qGreen(pixel) - qGreen(background)) +
                             std::abs(qBlue(pixel) - qBlue(background));
        if (distance > farthest) farthest = distance, ink = pixel;
      }
    }
    return ink;
  }

  const QImage shot;
};

TEST_F(WindowColours, FormIsLightGreenAroundTheFrames) {
  for (const QPoint point : {QPoint(4, 4), QPoint(160, 220), QPoint(316, 100), QPoint(624, 312)}) {
    EXPECT_EQ(RgbName(PixelAt(&window, point)), RgbName(kFormGreen)) << point.x() << "," << point.y();
  }
}

TEST_F(WindowColours, FramesArePaleOrangeInside) {
  const struct {
    const char* frame;
    QPoint point;  // clear of captions, edges and controls
  } samples[] = {{"Frame1", {148, 200}}, {"Frame1", {290, 100}}, {"Frame2", {132, 73}}, {"Frame3", {148, 168}}};
  for (const auto& sample : samples) {
    EXPECT_EQ(RgbName(PixelAt(window.Widget({sample.frame}), sample.point)), RgbName(kFrameOrange)) << sample.frame;
  }
}

TEST_F(WindowColours, ButtonFaceIsOrangeAboveAndBelowItsCaption) {
  const QWidget* button = window.Widget({"Command1"});
  EXPECT_EQ(RgbName(PixelAt(button, {12, 8})), RgbName(kButtonOrange));
  EXPECT_EQ(RgbName(PixelAt(button, {12, 72})), RgbName(kButtonOrange));
}

TEST_F(WindowColours, EveryComboEditFieldIsPaleYellow) {
  for (const ControlSpec& row : model.Inventory()) {
    if (row.kind != ControlKind::ComboBox) continue;
    const QLineEdit* field = Combo(row.name, row.index)->lineEdit();
    // The right end of the field, away from the text cursor.
    EXPECT_EQ(RgbName(PixelAt(field, {field->width() - 4, field->height() / 2})), RgbName(kPaleYellow)) << NameOf(row);
  }
}

TEST_F(WindowColours, ResultBoxIsPaleYellowWithBlueText) {
  const QWidget* page = Get<QPlainTextEdit>({"Text1"})->viewport();
  EXPECT_EQ(RgbName(PixelAt(page, {page->width() - 8, page->height() - 8})), RgbName(kPaleYellow));
  EXPECT_GT(CoverageOf(InkOf(page, kPaleYellow), kBlue, kPaleYellow), 0.75) << RgbName(InkOf(page, kPaleYellow));
}

TEST_F(WindowColours, GridOfTheReferenceTableIsBlueAndOnePixelThick) {
  const QWidget* table = window.Widget({"Frame3"});
  EXPECT_EQ(RgbName(PixelAt(table, {148, 24})), RgbName(kBlue));   // Line14, the top rule
  EXPECT_EQ(RgbName(PixelAt(table, {64, 60})), RgbName(kBlue));    // Line22, left of the soil classes
  EXPECT_EQ(RgbName(PixelAt(table, {280, 104})), RgbName(kBlue));  // Line16 meets Line21
  EXPECT_EQ(RgbName(PixelAt(table, {148, 25})), RgbName(kFrameOrange));
  EXPECT_EQ(RgbName(PixelAt(table, {65, 60})), RgbName(kFrameOrange));
}

TEST_F(WindowColours, CaptionsAndLabelsAreBlueAndTheNotesDarkRed) {
  for (const ControlSpec& row : model.Inventory()) {
    if (row.kind != ControlKind::Label && row.kind != ControlKind::Frame) continue;
    const QColor expected(IsNotes(row) ? kDarkRed : kBlue);
    EXPECT_EQ(window.Widget(KeyOf(row))->palette().color(QPalette::WindowText), expected) << NameOf(row);
  }
  // And so they are drawn onto the frames' orange; the small notes font
  // covers few pixels fully.
  const QRgb caption = InkOf(window.Widget({"Label1"}), kFrameOrange);
  EXPECT_GT(CoverageOf(caption, kBlue, kFrameOrange), 0.75) << RgbName(caption);
  const QRgb notes = InkOf(window.Widget({"Label6"}), kFrameOrange);
  EXPECT_GT(CoverageOf(notes, kDarkRed, kFrameOrange), 0.75) << RgbName(notes);
}

// --- The result box's opening note ---------------------------------------------

using ResultBox = WindowTest;

TEST_F(ResultBox, OpensWithTheNoteAndAContactLineEndingInCrLf) {
  const QString text = QString::fromStdString(model.Text({"Text1"}));
  const QString note = QStringLiteral("此计算仅供参考！");
  EXPECT_TRUE(text.startsWith(note)) << text.toStdString();
  EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n"))) << text.toStdString();
  EXPECT_GT(text.trimmed().size(), note.size()) << "no contact line";
  EXPECT_EQ(text.count(QLatin1Char('\n')), text.count(QStringLiteral("\r\n"))) << "a line break without CR";
  // The widget shows each CR LF as one line break.
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  EXPECT_EQ(Get<QPlainTextEdit>({"Text1"})->toPlainText(), shown);
  EXPECT_FALSE(shown.contains(QLatin1Char('\r')));
}

TEST_F(ResultBox, WrapsAtItsWidthWithoutScrollBars) {
  auto* box = Get<QPlainTextEdit>({"Text1"});
  EXPECT_EQ(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  // Far more text than the box holds, one long line and many short ones.
  std::string lines = std::string(60, 'x') + " " + std::string(60, 'y');
  for (int i = 0; i < 40; ++i) lines += "\r\n第" + std::to_string(i) + "行";
  model.SetText({"Text1"}, lines);
  QApplication::processEvents();
  EXPECT_GT(box->document()->firstBlock().layout()->lineCount(), 1);
  EXPECT_FALSE(box->horizontalScrollBar()->isVisible());
  EXPECT_FALSE(box->verticalScrollBar()->isVisible());
}

}  // namespace
}  // namespace tavrelo::ui
