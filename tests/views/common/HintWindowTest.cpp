// SPDX-License-Identifier: GPL-3.0-or-later
#include "HintWindow.h"
#include "QtTestApp.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <memory>

namespace {

class HintWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    TestApp();
    frame = std::make_unique<QWidget>();
    frame->setObjectName("Frame");
    frame->setGeometry(100, 80, 400, 300);
    frame->show();
  }

  int Advance(const THWindow& hint, const QString& text, int size = 9) const {
    QFont font = hint.font();
    font.setPointSize(size);
    return QFontMetrics(font).horizontalAdvance(text);
  }

  // Rows of the hint's picture holding pixels of the text colour.
  static std::vector<int> InkedRows(THWindow& hint, const QColor& ink) {
    const QImage picture = hint.grab().toImage();
    std::vector<int> rows;
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x)
        if (picture.pixelColor(x, y) == ink) {
          rows.push_back(y);
          break;
        }
    return rows;
  }

  std::unique_ptr<QWidget> frame;
};

} // namespace

TEST_F(HintWindowTest, StartsInvisibleLightYellowAsAChildOfTheFrame) {
  THWindow hint(frame.get());
  EXPECT_FALSE(hint.isVisible());
  EXPECT_EQ(hint.parentWidget(), frame.get());
  EXPECT_EQ(hint.LineHeight(), 9 + 5);
  hint.PaintAt("X", frame->mapToGlobal(QPoint(10, 10)));
  const QImage picture = hint.grab().toImage();
  EXPECT_EQ(picture.pixelColor(picture.width() / 2, picture.height() - 3), QColor(255, 255, 128));
}

TEST_F(HintWindowTest, SizesItselfToItsLines) {
  THWindow hint(frame.get());
  const QPoint at = frame->mapToGlobal(QPoint(20, 30));
  hint.PaintAt("W", at);
  EXPECT_EQ(hint.size(), QSize(Advance(hint, "W") + 6, (9 + 5) + 4));

  hint.PaintAt(QString("Short\rA much longer line"), at);
  EXPECT_EQ(hint.Lines(), QStringList({"Short", "A much longer line"}));
  EXPECT_EQ(hint.size(), QSize(Advance(hint, "A much longer line") + 6, 2 * 14 + 4));

  hint.PaintAt(QString("Alone\r"), at);
  EXPECT_EQ(hint.Lines(), QStringList({"Alone"}));
  EXPECT_EQ(hint.height(), 14 + 4);
  EXPECT_EQ(hint.Caption(), QString("Alone\r"));

  // Only one trailing carriage return is dropped; an empty middle line counts.
  hint.PaintAt(QString("a\r\rb\r\r"), at);
  EXPECT_EQ(hint.Lines(), QStringList({"a", "", "b", ""}));
  EXPECT_EQ(hint.height(), 4 * 14 + 4);

  hint.SetTextStyle(Qt::red, 14, THintStyle::Bold);
  hint.PaintAt("W", at);
  QFont bold = hint.font();
  bold.setPointSize(14);
  bold.setBold(true);
  EXPECT_EQ(hint.size(), QSize(QFontMetrics(bold).horizontalAdvance("W") + 6, 14 + 5 + 4));
}

TEST_F(HintWindowTest, EachLineIsDrawnInItsOwnBandInTheTextColour) {
  THWindow hint(frame.get());
  const QColor ink(255, 0, 0);
  hint.SetColor(QColor(192, 192, 192));
  hint.SetTextStyle(ink, 10, THintStyle::None);
  hint.PaintAt(QString("Top"), frame->mapToGlobal(QPoint(5, 5)));
  const auto oneLine = InkedRows(hint, ink);
  ASSERT_FALSE(oneLine.empty());
  EXPECT_LT(oneLine.back(), hint.LineHeight());

  hint.PaintAt(QString("Top\rBottom"), frame->mapToGlobal(QPoint(5, 5)));
  const auto twoLines = InkedRows(hint, ink);
  ASSERT_FALSE(twoLines.empty());
  EXPECT_LT(twoLines.front(), hint.LineHeight());
  EXPECT_GE(twoLines.back(), hint.LineHeight()) << "second line starts at the second band";
  const QImage picture = hint.grab().toImage();
  EXPECT_EQ(picture.pixelColor(hint.width() / 2, hint.height() - 2), QColor(192, 192, 192));
}

TEST_F(HintWindowTest, SitsOnePixelRightOfAndBelowThePointerInTheFrame) {
  THWindow hint(frame.get());
  const QPoint pointer = frame->mapToGlobal(QPoint(37, 52));
  QCursor::setPos(pointer);
  ASSERT_EQ(QCursor::pos(), pointer) << "the platform cursor cannot be placed";
  hint.Paint("Hint");
  EXPECT_EQ(hint.pos(), QPoint(38, 53));

  // Near the frame's corner it is placed there anyway and clipped by the frame.
  hint.PaintAt("A long hint text", frame->mapToGlobal(QPoint(395, 295)));
  EXPECT_EQ(hint.pos(), QPoint(396, 296));
  EXPECT_FALSE(frame->rect().contains(hint.geometry()));
}

TEST_F(HintWindowTest, ShowingItLeavesTheKeyboardFocusWhereItWas) {
  auto* edit = new QLineEdit(frame.get());
  edit->show();
  frame->activateWindow();
  QApplication::setActiveWindow(frame.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
  edit->setFocus();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::focusWidget(), edit);
  THWindow hint(frame.get());
  hint.PaintAt("Hint", frame->mapToGlobal(QPoint(10, 10)));
  QApplication::processEvents();
  EXPECT_TRUE(hint.isVisible());
  EXPECT_EQ(QApplication::focusWidget(), edit);
  EXPECT_EQ(hint.focusPolicy(), Qt::NoFocus);
}

TEST_F(HintWindowTest, EraseHidesAndTheNextPaintShowsAgain) {
  THWindow hint(frame.get());
  const QPoint at = frame->mapToGlobal(QPoint(10, 10));
  hint.PaintAt("One", at);
  EXPECT_TRUE(hint.isVisible());
  hint.Erase();
  EXPECT_FALSE(hint.isVisible());
  hint.PaintAt("Two", at);
  EXPECT_TRUE(hint.isVisible());
  EXPECT_EQ(hint.Lines(), QStringList({"Two"}));
}

TEST_F(HintWindowTest, AnEmptyTextHidesTheBox) {
  THWindow hint(frame.get());
  const QPoint at = frame->mapToGlobal(QPoint(10, 10));
  hint.PaintAt("Shown", at);
  hint.PaintAt("", at);
  EXPECT_FALSE(hint.isVisible());
  EXPECT_TRUE(hint.Lines().isEmpty());
  hint.PaintAt(QString("\r"), at);
  EXPECT_FALSE(hint.isVisible());
}

TEST_F(HintWindowTest, DestroyingItRemovesItFromTheFrame) {
  auto* hint = new THWindow(frame.get());
  hint->PaintAt("Bye", frame->mapToGlobal(QPoint(10, 10)));
  delete hint;
  EXPECT_TRUE(frame->findChildren<THWindow*>().isEmpty());
}
