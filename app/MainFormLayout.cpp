// SPDX-License-Identifier: GPL-3.0-or-later
// The designed children of the main window: menu, tab control with the planet table and the
// settings tab (aspect grid, position frame, animation panel). Positions are the designed ones,
// in pixels within each control's parent.
#include "MainForm.h"

#include "HousesPanel.h"
#include "KosmoImage.h"
#include "MainMenuXP.h"
#include "PositionFrame.h"
#include "SunMoonPanels.h"
#include "Vocabulary.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>

namespace {

QLabel* AddLabel(QWidget* parent, const QString& text, int x, int y) {
  auto* label = new QLabel(text, parent);
  label->move(x, y);
  label->adjustSize();
  return label;
}

// A read-only value panel with a lowered bevel.
QLabel* AddPanel(QWidget* parent, const QString& name, const QRect& place) {
  auto* panel = new QLabel(parent);
  panel->setObjectName(name);
  panel->setGeometry(place);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setLineWidth(1);
  panel->setAlignment(Qt::AlignCenter);
  return panel;
}

QLabel* AddGlyphImage(QWidget* parent, const QString& name, int x, int y) {
  auto* image = new QLabel(parent);
  image->setObjectName(name);
  image->setGeometry(x, y, 15, 15);
  image->setAttribute(Qt::WA_TranslucentBackground);
  return image;
}

// The application's look with tabs padded less, so that every caption of the right-hand panel is
// read whole at its designed width, with no scroll arrows over the last one.
class TSnugTabStyle : public QProxyStyle {
public:
  TSnugTabStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    if (metric == PM_TabBarTabHSpace)
      return std::min(QProxyStyle::pixelMetric(metric, option, widget), 12);
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

} // namespace

QAction* TForm1::AddItem(QMenu* menu, const QString& name, const QString& caption,
                         void (TForm1::*handler)()) {
  QAction* action = menu->addAction(QIcon(":/uiart/menu_" + name + ".png"), caption);
  action->setObjectName(name);
  action->setIconVisibleInMenu(true);
  if (handler) {
    connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
  }
  return action;
}

void TForm1::BuildMenu() {
  MainMenuXP1_ = new TMainMenuXP(this);
  setMenuBar(MainMenuXP1_);

  QMenu* file = MainMenuXP1_->addMenu("Файл");
  file->setObjectName("Menu");
  file->menuAction()->setObjectName("Menu");
  AddItem(file, "OpenChart", "Открыть карту…", &TForm1::OpenChartClick)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  AddItem(file, "SaveChart", "Сохранить карту…", &TForm1::SaveChartClick)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  AddItem(file, "ImportCharts", "Импорт карт…", &TForm1::ImportChartsClick);
  AddItem(file, "ExportCharts", "Экспорт карт…", &TForm1::ExportChartsClick);
  file->addSeparator();
  AddItem(file, "SaveAsImage", "Сохранить как изображение", &TForm1::SaveAsImageClick);
  AddItem(file, "SaveAsText", "Сохранить как отчет", &TForm1::SaveAsTextClick);
  AddItem(file, "PrintAsImage", "Печатать изображение", &TForm1::PrintAsImageClick);
  AddItem(file, "PrintAsText", "Печатать отчет", &TForm1::PrintAsTextClick);
  file->addSeparator();
  AddItem(file, "PrintSheet", "Печать листа карты…", &TForm1::PrintSheetClick)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  AddItem(file, "SaveSheetPdf", "Сохранить лист карты как PDF…", &TForm1::SaveSheetPdfClick);
  file->addSeparator();
  AddItem(file, "ExitItem", "Выход", &TForm1::ExitItemClick);

  QMenu* view = MainMenuXP1_->addMenu("Вид");
  view->setObjectName("N1");
  AddItem(view, "Tree", "Древо жизни", &TForm1::TreeClick);
  AddItem(view, "Natal", "Космограмма", &TForm1::NatalClick);
  AddItem(view, "Taro", "Расклад Таро", &TForm1::TaroClick);
  view->addSeparator();
  // A check mark, no picture: the owner-drawn menu puts both in the same cell.
  HousesOnWheel_ = view->addAction("Дома и оси");
  HousesOnWheel_->setObjectName("HousesOnWheel");
  HousesOnWheel_->setCheckable(true);
  connect(HousesOnWheel_, &QAction::toggled, this, &TForm1::HousesOnWheelClick);
  auto* seconds = new QActionGroup(this);
  const std::array<const char*, 6> secondNames = {"SecondNoneItem",     "SecondTransitItem",
                                                  "SecondSynastryItem", "SecondSolarItem",
                                                  "SecondLunarItem",    "SecondProgressedItem"};
  const std::array<const char*, 6> secondCaptions = {
      "Вторая карта: нет", "Транзиты", "Синастрия", "Соляр", "Лунар", "Прогрессии"};
  for (int k = 0; k < 6; ++k) {
    const auto kind = static_cast<astro::TSecondKind>(k);
    SecondItems[k] = AddItem(view, secondNames[k], secondCaptions[k], nullptr);
    SecondItems[k]->setCheckable(true);
    seconds->addAction(SecondItems[k]);
    connect(SecondItems[k], &QAction::triggered, this, [this, kind] { SecondKindClick(kind); });
  }
  SecondItems[0]->setChecked(true);

  QMenu* analysis = MainMenuXP1_->addMenu("Анализ");
  analysis->setObjectName("Analysis");
  AddItem(analysis, "Transits", "Транзиты за период", &TForm1::TransitsClick);

  QMenu* settings = MainMenuXP1_->addMenu("Настройка");
  settings->setObjectName("N2");
  AddItem(settings, "N3", "Аспекты и орбы", &TForm1::N3Click);
  AddItem(settings, "N4", "Таблица бальности", &TForm1::N4Click);
  AddItem(settings, "HomePlace", "Сделать место домашним", &TForm1::HomePlaceClick);

  QMenu* help = MainMenuXP1_->addMenu("Помощь");
  help->setObjectName("Help");
  AddItem(help, "HelpAbout", "О программе", &TForm1::HelpAboutClick);
  MainMenuXP1_->RehookItems();
}

void TForm1::BuildTabs(QWidget* client) {
  PageControl1_ = new QTabWidget(client);
  PageControl1_->setObjectName("PageControl1");
  PageControl1_->resize(317, 469);

  auto* planets = new QWidget;
  planets->setObjectName("TabSheet3");
  auto* settings = new QWidget;
  settings->setObjectName("TabSheet2");
  PageControl1_->addTab(planets, "Положение планет");
  PageControl1_->addTab(settings, "Настройка");
  BuildPlanetTable(planets);
  BuildAspectGrid(settings);

  PositionFrame1_ = new TPositionFrame(settings);
  PositionFrame1_->setObjectName("PositionFrame1");
  PositionFrame1_->setGeometry(8, 200, 298, 198);
  BuildAnimationPanel(settings);
  BuildSecondTab();
  auto* snug = new TSnugTabStyle;
  snug->setParent(PageControl1_->tabBar());
  PageControl1_->tabBar()->setStyle(snug);
  PageControl1_->setCurrentWidget(settings);
  PlaceTabs();
}

void TForm1::PlaceTabs() {
  // Anchored to the top and the right edge of the client area.
  if (PageControl1_ && Client) {
    PageControl1_->move(Client->width() - 8 - PageControl1_->width(), 8);
  }
}

void TForm1::BuildPlanetTable(QWidget* sheet) {
  auto* group = new QGroupBox("Позиция планет", sheet);
  group->setObjectName("GroupBox4");
  group->setGeometry(8, 8, 161, 217);
  auto* degreeHead = new QLabel("Градус\nв знаке", group);
  degreeHead->setAlignment(Qt::AlignCenter);
  degreeHead->setGeometry(56, 16, 60, 28);
  auto* signHead = new QLabel("Знак\nзодиака", group);
  signHead->setAlignment(Qt::AlignCenter);
  signHead->setGeometry(110, 16, 50, 28);
  for (int b = 1; b <= astro::kBodyCount; ++b) {
    const int y = 47 + 16 * (b - 1);
    AddLabel(group, QString::fromUtf8(astro::PlanetNames[b].data(), astro::PlanetNames[b].size()),
             8, y);
    PlanetPos[b] = AddPanel(group, QString("PlanetPos%1").arg(b), QRect(62, y, 48, 15));
    PlanetImage[b] = AddGlyphImage(group, QString("PlanetImage%1").arg(b), 128, y - 1);
  }
  const auto sun =
      BuildSunMoonGroup(sheet, "GroupBox1", "Солнце", 233, ":/uiart/sun.png",
                        {"Восход:", "Заход  :", "Кульминация:"}, {"SunRise", "SunSet", "SunNoon"});
  const auto moon =
      BuildSunMoonGroup(sheet, "GroupBox6", "Луна", 304, ":/uiart/moon.png",
                        {"Восход:", "Заход  :", "Фаза  :"}, {"MoonFase", "Panel2", "Panel3"});
  SunMoon = std::make_unique<TSunMoonPanels>(
      std::array<QLabel*, 6>{sun[0], sun[1], sun[2], moon[0], moon[1], moon[2]});
  AspectsOmitted = new QLabel(sheet);
  AspectsOmitted->setObjectName("AspectsOmitted");
  AspectsOmitted->setGeometry(8, 375, 297, 32);
  AspectsOmitted->setWordWrap(true);
  AspectsOmitted->hide();
  Houses_ = new THousesPanel(sheet);
  Houses_->OnSystemChange = [this] {
    RefreshHouses();
    if (KosmoFrame_ && KosmoFrame_->HousesShown)
      KosmoFrame_->DrawChart();
  };
}

std::array<QLabel*, 3> TForm1::BuildSunMoonGroup(QWidget* sheet, const QString& name,
                                                 const QString& title, int top,
                                                 const QString& picture,
                                                 const std::array<QString, 3>& labels,
                                                 const std::array<QString, 3>& panels) {
  auto* group = new QGroupBox(title, sheet);
  group->setObjectName(name);
  group->setGeometry(8, top, 129, name == "GroupBox6" ? 65 : 64);
  QFont small = group->font();
  small.setPixelSize(10); // "Кульминация:" must end before its panel

  auto* image = new QLabel(group);
  image->setGeometry(6, 15, 32, 32);
  image->setPixmap(QPixmap(picture));
  // The first two rows sit beside the picture, the third (the longest label) below it.
  AddLabel(group, labels[0], 42, 16)->setFont(small);
  AddLabel(group, labels[1], 42, 32)->setFont(small);
  AddLabel(group, labels[2], 6, 48)->setFont(small);
  return {AddPanel(group, panels[0], QRect(84, 15, 41, 16)),
          AddPanel(group, panels[1], QRect(84, 31, 41, 16)),
          AddPanel(group, panels[2], QRect(84, 47, 41, 16))};
}

void TForm1::BuildAspectGrid(QWidget* sheet) {
  auto* group = new QGroupBox("Аспекты и орбы", sheet);
  group->setObjectName("GroupBox3");
  group->setGeometry(8, 8, 297, 185);
  QFont mono("Courier New");
  mono.setStyleHint(QFont::Monospace);
  mono.setPointSize(8);
  for (int c = 0; c < 3; ++c) {
    const int dx = 96 * c;
    for (const auto& [text, x] : {std::pair{"Зн.", 6}, {"Асп.", 24}, {"Орб", 67}}) {
      QLabel* head = AddLabel(group, text, x + dx, 16);
      head->setFont(mono);
      head->adjustSize();
    }
    for (int r = 0; r < 6; ++r) {
      const int i = 6 * c + r + 1;
      const int dy = 24 * r;
      Image[i] = AddGlyphImage(group, QString("Image%1").arg(i), 6 + dx, 41 + dy);

      auto* box = new QCheckBox(QString::fromUtf8(astro::AspectKeys[i].data()), group);
      box->setObjectName(QString("Asp%1").arg(i));
      box->setGeometry(24 + dx, 40 + dy, 41, 17);
      box->setStyleSheet("QCheckBox { spacing: 2px; }"); // room for the three-letter key
      connect(box, &QCheckBox::toggled, this, [this, box] { AspClick(box); });
      Asp[i] = box;

      auto* orb = new QLineEdit(group);
      orb->setObjectName(QString("Orb%1").arg(i));
      orb->setGeometry(67 + dx, 37 + dy, 27, 21);
      // One optional digit, the point, two required digits; literals stay in the text.
      orb->setInputMask(i == 1 ? "0.99; " : "0.99;_");
      orb->setMaxLength(4);
      orb->setText("0.00");
      orb->setTextMargins(0, 0, 0, 0);
      orb->setAlignment(Qt::AlignCenter);
      QFont digits = orb->font();
      digits.setPixelSize(10); // "0.00" must fit the 27 px edit with its frame
      orb->setFont(digits);
      orb->setStyleSheet(
          "QLineEdit { border: 1px solid rgb(122, 122, 122); padding: 0px; margin: 0px; }");
      Orb[i] = orb;
    }
  }
}

void TForm1::BuildAnimationPanel(QWidget* sheet) {
  auto* panel = new QFrame(sheet);
  panel->setObjectName("Panel1");
  panel->setGeometry(8, 404, 297, 30);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  CheckBox1 = new QCheckBox("Включить анимацию", panel);
  CheckBox1->setObjectName("CheckBox1");
  CheckBox1->setGeometry(8, 4, 142, 21);
  CheckBox1->setStyleSheet("QCheckBox { spacing: 3px; }");
  connect(CheckBox1, &QCheckBox::toggled, this, [this] { CheckBox1Click(); });
  QLabel* step = AddLabel(panel, "Шаг:", 154, 8);
  step->setObjectName("StaticText18");
  ComboBox1 = new QComboBox(panel);
  ComboBox1->setObjectName("ComboBox1");
  ComboBox1->setGeometry(185, 4, 72, 21);
  ComboBox1->addItems({"Минута", "Час", "День"}); // only the steps that exist
  ComboBox1->setCurrentIndex(0);
  // Back to the moment the last animation started from.
  auto* back = new QToolButton(panel);
  back->setObjectName("ReturnToStartButton");
  back->setGeometry(261, 4, 29, 21);
  ReturnToStart_ = new QAction(QString::fromUtf8("\u21BA"), this);
  ReturnToStart_->setObjectName("ReturnToAnimationStart");
  ReturnToStart_->setToolTip("Вернуться к моменту начала анимации");
  ReturnToStart_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Home));
  ReturnToStart_->setEnabled(false);
  connect(ReturnToStart_, &QAction::triggered, this, [this] { ReturnToAnimationStartClick(); });
  addAction(ReturnToStart_);
  back->setDefaultAction(ReturnToStart_);
}
