// The main window as it opens: title, frame, controls, fonts and keyboard focus.
#include "tests/gui/window_fixture.h"

#include "app/default_password.h"
#include "host/qt/qt_text.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPixmap>
#include <QTest>

namespace filecrypter::testing {
namespace {

TEST_F(WindowTest, OpensAtItsPlaceWithAFixedFrameAndNoMaximiseButton) {
  EXPECT_EQ(window_->windowTitle(), QStringLiteral("文件加密 - 砚舟"));
  EXPECT_EQ(window_->pos(), QPoint(50, 50));
  EXPECT_EQ(window_->size(), QSize(320, 245));
  EXPECT_EQ(window_->minimumSize(), window_->maximumSize());

  const Qt::WindowFlags flags = window_->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowTitleHint);
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(window_->windowIcon().pixmap(32).isNull()) << "icon resource not linked in";
}

TEST_F(WindowTest, ControlsSitAtTheirPlacesWithTheirStartingState) {
  struct Expected {
    const char *name;
    QRect geometry;
    QString text;
  };
  const QString none;
  const Expected controls[] = {
      {"编辑框1", {7, 7, 305, 121}, none},
      {"编辑框2", {7, 191, 305, 45}, FromText(kDefaultPassword)},
      {"选择框1", {7, 138, 63, 20}, QStringLiteral("文件夹")},
      {"按钮1", {145, 142, 80, 40}, QStringLiteral("加密")},
      {"按钮2", {231, 142, 80, 40}, QStringLiteral("解密")},
      {"透明标签3", {8, 160, 128, 20}, none},
  };
  for (const Expected &expected : controls) {
    SCOPED_TRACE(expected.name);
    QWidget *control = Control<QWidget>(expected.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->geometry(), expected.geometry);
    EXPECT_TRUE(control->isVisible());
    if (auto *box = qobject_cast<QPlainTextEdit *>(control)) {
      EXPECT_EQ(box->toPlainText(), expected.text);
      EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
      EXPECT_EQ(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    } else if (auto *button = qobject_cast<QAbstractButton *>(control)) {
      EXPECT_EQ(button->text(), expected.text);
    } else if (auto *label = qobject_cast<QLabel *>(control)) {
      EXPECT_EQ(label->text(), expected.text);
    }
  }

  EXPECT_NE(window_->findChild<QObject *>(QStringLiteral("拖放对象1")), nullptr);
  EXPECT_TRUE(window_->acceptDrops());
  EXPECT_FALSE(PathBox()->isEnabled());
  EXPECT_FALSE(FolderBox()->isChecked());
  EXPECT_FALSE(StatusLabel()->autoFillBackground());
  EXPECT_EQ(StatusColour(), QColor(128, 0, 128));
  EXPECT_FALSE(ProgressBar()->isVisible());
}

// Dark pixels on a white ground, in the middle of the box.
void ExpectBlackOnWhite(QWidget *box) {
  const QImage image = box->grab().toImage();
  const QRect inside = image.rect().adjusted(4, 4, -4, -4);
  int dark = 0;
  for (int y = inside.top(); y <= inside.bottom(); ++y)
    for (int x = inside.left(); x <= inside.right(); ++x)
      dark += qGray(image.pixel(x, y)) < 80;
  EXPECT_EQ(QColor(image.pixel(inside.right() - 2, inside.bottom() - 2)), QColor(Qt::white));
  EXPECT_GT(dark, 20);
}

TEST_F(WindowTest, DisabledPathBoxShowsBlackTextOnWhite) {
  ASSERT_TRUE(DropFiles({WriteFile("报告.txt", "x")}));
  ExpectBlackOnWhite(PathBox());
  ExpectBlackOnWhite(PasswordBox());
}

TEST_F(WindowTest, TabVisitsPasswordFolderDecryptEncryptOnly) {
  QApplication::setActiveWindow(window_.get());
  PasswordBox()->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), PasswordBox());

  const QWidget *expected[] = {FolderBox(), DecryptButton(), EncryptButton(), PasswordBox()};
  for (const QWidget *next : expected) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
  }
  EXPECT_EQ(PasswordBox()->toPlainText(), FromText(kDefaultPassword)) << "Tab was typed";
  EXPECT_EQ(PathBox()->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(StatusLabel()->focusPolicy(), Qt::NoFocus);
}

TEST_F(WindowTest, EveryControlUsesTheFourteenPixelFontWithChineseGlyphs) {
  for (const char *name : {"编辑框1", "编辑框2", "选择框1", "按钮1", "按钮2", "透明标签3"}) {
    SCOPED_TRACE(name);
    const QFont font = Control<QWidget>(name)->font();
    EXPECT_EQ(font.families().value(0), QStringLiteral("微软雅黑"));
    EXPECT_EQ(font.pixelSize(), 14);
    EXPECT_EQ(font.weight(), QFont::Normal);
  }
  // Whichever face was picked must draw every Chinese character the window shows.
  const QFontMetrics metrics(window_->font());
  const QString shown = FromText(kDefaultPassword) +
                        QStringLiteral("文件加密砚舟文件夹解密正在进行中√完成×请先拖入文件个失败");
  for (const char32_t character : shown.toUcs4())
    EXPECT_TRUE(metrics.inFontUcs4(character)) << "U+" << std::hex << unsigned(character)
                                               << " in " << QFontInfo(window_->font()).family().toStdString();
}

// Leaves a picture of the window in the build folder for a person to look at.
TEST_F(WindowTest, RendersToAPicture) {
  ASSERT_TRUE(DropFiles({WriteFile("报告.txt", "x")}));
  const QImage image = window_->grab().toImage();
  EXPECT_EQ(image.size(), QSize(320, 245) * image.devicePixelRatio());
  const QString file = QStringLiteral(FC_PICTURE_DIR "/main_window.png");
  EXPECT_TRUE(image.save(file)) << file.toStdString();
}

} // namespace
} // namespace filecrypter::testing
