// SPDX-License-Identifier: GPL-3.0-or-later
// The owner-drawn menu's pixels, the greying of disabled pictures, the About box and the artwork.
#include "AboutBox.h"
#include "MainMenuXP.h"
#include "UiArt.h"

#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>
#include <gtest/gtest.h>

namespace {

QImage BlackOnWhite() {
  QImage image(16, 16, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.fillRect(4, 4, 8, 8, Qt::black);
  return image;
}

QRgb Rgb(int r, int g, int b) {
  return qRgb(r, g, b);
}

struct MenuFixture : ::testing::Test {
  TMainMenuXP bar;
  QMenu* file = nullptr;
  QAction* first = nullptr;
  QAction* disabled = nullptr;
  QAction* separator = nullptr;
  QAction* last = nullptr;

  void SetUp() override {
    file = bar.addMenu("Файл");
    first = file->addAction(QIcon(QPixmap::fromImage(BlackOnWhite())), "Сохранить");
    disabled = file->addAction(QIcon(QPixmap::fromImage(BlackOnWhite())), "Таблица");
    disabled->setEnabled(false);
    separator = file->addSeparator();
    last = file->addAction("Выход");
    bar.RehookItems();
    file->ensurePolished();
    file->adjustSize();
  }
  QImage Grab() { return file->grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

TEST(GrayBitmap, BlackOnWhiteTurnsMidGreyOnLightGrey) {
  QImage image = BlackOnWhite();
  GrayBitmap(image);
  EXPECT_EQ(image.pixel(8, 8) & 0xFFFFFF, Rgb(70, 70, 70) & 0xFFFFFF);
  EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, Rgb(230, 230, 230) & 0xFFFFFF);
  // A mid colour: (90 + 30 + 60) / 3 + 70 = 130; alpha is kept.
  QImage one(2, 1, QImage::Format_ARGB32);
  one.setPixel(0, 0, qRgba(90, 30, 60, 255));
  one.setPixel(1, 0, qRgba(90, 30, 60, 0));
  GrayBitmap(one);
  EXPECT_EQ(one.pixel(0, 0), qRgba(130, 130, 130, 255));
  EXPECT_EQ(qAlpha(one.pixel(1, 0)), 0);
}

TEST_F(MenuFixture, EveryDropDownIsHooked) {
  EXPECT_EQ(file->style(), &bar.MenuStyle());
  QMenu* later = bar.addMenu("Вид");
  EXPECT_EQ(later->style(), &bar.MenuStyle());
}

TEST_F(MenuFixture, DropDownIsFortyPixelsWiderThanMeasured) {
  QMenu plain;
  plain.setStyle(QStyleFactory::create("Fusion"));
  QStyleOptionMenuItem option;
  option.initFrom(file);
  option.text = "Сохранить";
  option.menuItemType = QStyleOptionMenuItem::Normal;
  const QSize base = bar.MenuStyle().baseStyle()->sizeFromContents(QStyle::CT_MenuItem, &option,
                                                                   QSize(80, 16), file);
  const QSize ours =
      bar.MenuStyle().sizeFromContents(QStyle::CT_MenuItem, &option, QSize(80, 16), file);
  EXPECT_EQ(ours.width(), base.width() + 40);
}

TEST_F(MenuFixture, ItemHasFaceStripWhiteFieldAndGreyedPicture) {
  const QImage image = Grab();
  const QRect item = file->actionGeometry(first);
  const QRgb face = TMainMenuXPStyle::ButtonFace().rgb();
  EXPECT_EQ(image.pixel(item.left() + 1, item.bottom()), face);
  EXPECT_EQ(image.pixel(item.left() + 19, item.bottom()), face);
  EXPECT_EQ(image.pixel(item.left() + 20, item.bottom()), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(item.right() - 2, item.center().y()), qRgb(255, 255, 255));
  // The enabled picture keeps its black; the disabled one is (70, 70, 70) on (230, 230, 230).
  const QRect off = file->actionGeometry(disabled);
  bool black = false, grey = false, field = false;
  for (int y = item.top(); y <= item.bottom(); ++y) {
    for (int x = item.left() + 2; x < item.left() + 18; ++x) {
      black |= image.pixel(x, y) == qRgb(0, 0, 0);
    }
  }
  for (int y = off.top(); y <= off.bottom(); ++y) {
    for (int x = off.left() + 2; x < off.left() + 18; ++x) {
      grey |= image.pixel(x, y) == qRgb(70, 70, 70);
      field |= image.pixel(x, y) == qRgb(230, 230, 230);
      EXPECT_NE(image.pixel(x, y), qRgb(0, 0, 0));
    }
  }
  EXPECT_TRUE(black);
  EXPECT_TRUE(grey);
  EXPECT_TRUE(field);
}

TEST_F(MenuFixture, SelectionIsNavyFramedLavenderOnTrueColour) {
  bar.MenuStyle().SetScreenDepth(32);
  file->setActiveAction(first);
  const QImage image = Grab();
  const QRect item = file->actionGeometry(first);
  EXPECT_EQ(image.pixel(item.left(), item.center().y()), qRgb(0, 0, 128));
  EXPECT_EQ(image.pixel(item.right(), item.center().y()), qRgb(0, 0, 128));
  EXPECT_EQ(image.pixel(item.right() - 3, item.top() + 1), qRgb(176, 172, 216));
  // The caption stays dark on the lavender fill.
  bool darkText = false;
  for (int y = item.top() + 2; y < item.bottom() - 1; ++y) {
    for (int x = item.left() + 25; x < item.left() + 60; ++x) {
      darkText |= qGray(image.pixel(x, y)) < 60;
    }
  }
  EXPECT_TRUE(darkText);
}

TEST_F(MenuFixture, SelectionOnAn8BitScreenUsesActiveCaptionAndWhiteText) {
  bar.MenuStyle().SetScreenDepth(8);
  file->setActiveAction(first);
  const QImage image = Grab();
  const QRect item = file->actionGeometry(first);
  const QRgb caption = TMainMenuXPStyle::ActiveCaption().rgb();
  EXPECT_EQ(image.pixel(item.right() - 3, item.top() + 1), caption);
  bool whiteText = false;
  for (int y = item.top() + 2; y < item.bottom() - 1; ++y) {
    for (int x = item.left() + 25; x < item.left() + 60; ++x) {
      whiteText |= image.pixel(x, y) == qRgb(255, 255, 255);
    }
  }
  EXPECT_TRUE(whiteText);
}

TEST_F(MenuFixture, SeparatorIsAnEtchedLineFromTwentyPixels) {
  const QImage image = Grab();
  const QRect item = file->actionGeometry(separator);
  const int y = item.top() + 4;
  EXPECT_EQ(image.pixel(item.left() + 10, y), TMainMenuXPStyle::ButtonFace().rgb());
  EXPECT_EQ(image.pixel(item.left() + 20, y), qRgb(128, 128, 128));
  EXPECT_EQ(image.pixel(item.left() + 40, y), qRgb(128, 128, 128));
  EXPECT_EQ(image.pixel(item.left() + 40, y - 1), qRgb(255, 255, 255));
}

TEST(MenuBar, BarIsButtonFace) {
  TMainMenuXP bar;
  bar.addMenu("Файл");
  bar.resize(300, bar.sizeHint().height());
  const QImage image = bar.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(image.pixel(280, image.height() / 2), TMainMenuXPStyle::ButtonFace().rgb());
}

TEST(AboutBox, FixedDialogOverTheGeneratedPicture) {
  TAboutBox box;
  EXPECT_EQ(box.windowTitle(), "About");
  EXPECT_EQ(box.size(), QSize(299, 200));
  EXPECT_EQ(box.minimumSize(), box.maximumSize());
  ASSERT_FALSE(box.Background()->pixmap().isNull());
  EXPECT_EQ(box.Background()->pixmap().size(), QSize(299, 200));
  const QString all = [&] {
    QString text;
    for (const QLabel* label : box.findChildren<QLabel*>()) {
      text += label->text() + "\n";
    }
    return text;
  }();
  EXPECT_TRUE(all.contains("Astravia v 0.1"));
  EXPECT_TRUE(all.contains("GPL"));
  for (const char* credit : {"GeoNames", "CC BY 4.0", "база tz", "Swiss Ephemeris", "AGPL-3.0"})
    EXPECT_TRUE(all.contains(credit)) << credit;
  EXPECT_TRUE(all.contains(QString::number(QDate::currentDate().year())));
}

TEST(UiArt, EveryPieceIsDrawnAndMenuPicturesDiffer) {
  const auto pieces = uiart::AllPieces();
  ASSERT_GE(pieces.size(), 19u);
  for (const auto& piece : pieces) {
    ASSERT_FALSE(piece.Image.isNull()) << piece.Name.toStdString();
    // Something is painted: not a single uniform colour.
    const QRgb first = piece.Image.pixel(0, 0);
    bool varied = false;
    for (int y = 0; y < piece.Image.height() && !varied; ++y) {
      for (int x = 0; x < piece.Image.width() && !varied; ++x) {
        varied = piece.Image.pixel(x, y) != first;
      }
    }
    EXPECT_TRUE(varied) << piece.Name.toStdString();
  }
  const auto names = uiart::MenuPictureNames();
  for (std::size_t a = 0; a < names.size(); ++a) {
    EXPECT_EQ(uiart::MenuPicture(names[a]).size(), QSize(16, 16));
    for (std::size_t b = a + 1; b < names.size(); ++b) {
      EXPECT_NE(uiart::MenuPicture(names[a]), uiart::MenuPicture(names[b]))
          << names[a].toStdString() << " " << names[b].toStdString();
    }
  }
  EXPECT_TRUE(uiart::MenuPicture("NoSuchItem").isNull());
}

} // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
