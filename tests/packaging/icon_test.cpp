// The icon from SVG to window: the committed PNGs are what
// packaging/render-icons.sh makes of the SVG today, and the window wears the
// small ones.
#include <gtest/gtest.h>

#include <QDir>
#include <QIcon>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "ui/form_model.h"
#include "ui/qt/form_window.h"

namespace {

const QString kSource = QStringLiteral(TAVRELO_SOURCE_DIR);
const QString kCommitted = kSource + QStringLiteral("/packaging/icons");
const QString kPng = QStringLiteral("/org.example.Tavrelo.png");

// The NxN folders below `root`, in name order.
QStringList SizeFolders(const QString& root) {
  return QDir(root).entryList({QStringLiteral("*x*")}, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

// Premultiplied, so that an image that went through a QPixmap compares
// equal to the file it came from.
QImage Pixels(const QImage& image) { return image.convertToFormat(QImage::Format_ARGB32_Premultiplied); }

TEST(IconFiles, RegeneratingFromTheSvgGivesTheCommittedPngs) {
  QTemporaryDir regenerated;
  ASSERT_TRUE(regenerated.isValid());
  QProcess script;
  script.start(QStringLiteral("bash"), {kSource + QStringLiteral("/packaging/render-icons.sh"), regenerated.path()});
  ASSERT_TRUE(script.waitForFinished(60000)) << "render-icons.sh did not finish";
  const QString errors = QString::fromLocal8Bit(script.readAllStandardError());
  ASSERT_EQ(script.exitStatus(), QProcess::NormalExit);
  ASSERT_EQ(script.exitCode(), 0) << errors.toStdString();
  EXPECT_TRUE(errors.isEmpty()) << errors.toStdString();

  const QStringList sizes = SizeFolders(kCommitted);
  ASSERT_EQ(SizeFolders(regenerated.path()), sizes);
  EXPECT_TRUE(sizes.contains(QStringLiteral("16x16")));
  EXPECT_TRUE(sizes.contains(QStringLiteral("256x256")));
  for (const QString& size : sizes) {
    SCOPED_TRACE(size.toStdString());
    const QImage committed(kCommitted + QLatin1Char('/') + size + kPng);
    const QImage fresh(regenerated.path() + QLatin1Char('/') + size + kPng);
    ASSERT_FALSE(committed.isNull());
    ASSERT_FALSE(fresh.isNull());
    const int side = size.section(QLatin1Char('x'), 0, 0).toInt();
    EXPECT_EQ(committed.size(), QSize(side, side));
    EXPECT_TRUE(Pixels(fresh) == Pixels(committed))
        << "the committed PNG is out of date: run packaging/render-icons.sh";
  }
}

TEST(WindowIcon, CarriesTheCommittedPngsOfTheSmallSizes) {
  tavrelo::ui::FormModel model;
  tavrelo::ui::FormWindow window(model);
  const QIcon icon = window.windowIcon();
  ASSERT_FALSE(icon.isNull()) << "the icon resource is not linked into the program";
  const QList<QSize> sizes{{16, 16}, {32, 32}, {48, 48}, {64, 64}};
  EXPECT_EQ(icon.availableSizes(), sizes);
  for (const QSize& size : sizes) {
    SCOPED_TRACE(size.width());
    const QImage committed(kCommitted + QStringLiteral("/%1x%1").arg(size.width()) + kPng);
    ASSERT_FALSE(committed.isNull());
    EXPECT_TRUE(Pixels(icon.pixmap(size).toImage()) == Pixels(committed));
  }
}

}  // namespace
