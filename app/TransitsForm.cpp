// SPDX-License-Identifier: GPL-3.0-or-later
#include "TransitsForm.h"

#include "DateTime.h"
#include "EventText.h"
#include "Prompts.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include <cmath>
#include <stdexcept>

using namespace astro::search;

namespace {

const QStringList kColumns = {"Местное время", "UT",           "Событие",
                              "Описание",      "Вход в орбис", "Выход из орбиса"};

QString Shown(astro::TDateTime Moment) {
  return QString::fromStdString(IsoMoment(Moment)).replace('T', ' ');
}

QDate DateOf(astro::TDateTime Moment) {
  const astro::TCalendarDate date = astro::DecodeDate(Moment);
  return QDate(date.Year, date.Month, date.Day);
}

astro::TDateTime MomentOf(const QDate& Date) {
  return astro::EncodeDate(Date.year(), Date.month(), Date.day());
}

QCheckBox* Box(const QString& Caption, bool Checked, const QString& Name) {
  auto* box = new QCheckBox(Caption);
  box->setChecked(Checked);
  box->setObjectName(Name);
  return box;
}

QString CsvField(const QString& Text) {
  QString quoted = Text;
  quoted.replace('"', "\"\"");
  return '"' + quoted + '"';
}

} // namespace

TTransitsForm::TTransitsForm(TTransitNatal NatalChart, astro::TDateTime Today, QWidget* parent)
    : QDialog(parent), Natal(std::move(NatalChart)) {
  setObjectName("TransitsForm");
  setWindowTitle("Транзиты за период");
  auto* layout = new QVBoxLayout(this);

  auto* period = new QHBoxLayout;
  FromEdit = new QDateEdit(DateOf(Today));
  ToEdit = new QDateEdit(DateOf(Today).addYears(1));
  for (QDateEdit* edit : {FromEdit, ToEdit}) {
    edit->setDisplayFormat("dd.MM.yyyy");
    edit->setCalendarPopup(true);
    edit->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
  }
  FromEdit->setObjectName("FromEdit");
  ToEdit->setObjectName("ToEdit");
  period->addWidget(new QLabel("С"));
  period->addWidget(FromEdit);
  period->addWidget(new QLabel("по"));
  period->addWidget(ToEdit);
  period->addStretch();
  layout->addLayout(period);

  auto* moving = new QGridLayout;
  moving->addWidget(new QLabel("Транзитные:"), 0, 0);
  for (int body = 1; body <= astro::kBodyCount; ++body) {
    MovingBoxes[body] = Box(QString::fromUtf8(astro::PlanetNames[body].data()), body != 2,
                            QString("Moving%1").arg(body));
    moving->addWidget(MovingBoxes[body], 0, body);
  }
  moving->addWidget(new QLabel("Натальные:"), 1, 0);
  NatalBodies = Box("планеты", true, "NatalBodies");
  NatalAngles = Box("ASC, MC, DSC, IC", Natal.PlaceKnown, "NatalAngles");
  NatalAngles->setEnabled(Natal.PlaceKnown);
  NatalNodes = Box("узлы, Лилит", false, "NatalNodes");
  moving->addWidget(NatalBodies, 1, 1, 1, 2);
  moving->addWidget(NatalAngles, 1, 3, 1, 3);
  moving->addWidget(NatalNodes, 1, 6, 1, 2);
  moving->addWidget(new QLabel("События:"), 2, 0);
  const QStringList kinds = {"транзиты", "аспекты неба", "стояния", "ингрессии",
                             "Луна: ингрессии и аспекты"};
  for (int k = 0; k < 5; ++k) {
    KindBoxes[k] = Box(kinds[k], k < 4, QString("Kind%1").arg(k));
    moving->addWidget(KindBoxes[k], 2, 1 + 2 * k, 1, 2);
  }
  layout->addLayout(moving);

  auto* actions = new QHBoxLayout;
  SearchButton = new QPushButton("Найти");
  SearchButton->setObjectName("SearchButton");
  CancelButton = new QPushButton("Прервать");
  CancelButton->setObjectName("CancelButton");
  CancelButton->setEnabled(false);
  auto* exportButton = new QPushButton("Экспорт…");
  exportButton->setObjectName("ExportButton");
  Progress = new QProgressBar;
  Progress->setRange(0, 1000);
  Status = new QLabel;
  Status->setObjectName("StatusLabel");
  FilterEdit = new QLineEdit;
  FilterEdit->setObjectName("FilterEdit");
  FilterEdit->setPlaceholderText("Фильтр: Сатурн, Квадратура, Стояние…");
  actions->addWidget(SearchButton);
  actions->addWidget(CancelButton);
  actions->addWidget(Progress, 1);
  actions->addWidget(Status);
  actions->addWidget(FilterEdit, 1);
  actions->addWidget(exportButton);
  layout->addLayout(actions);

  Model = new QStandardItemModel(0, kColumns.size(), this);
  Model->setHorizontalHeaderLabels(kColumns);
  Filter = new QSortFilterProxyModel(this);
  Filter->setSourceModel(Model);
  Filter->setFilterKeyColumn(-1);
  Filter->setFilterCaseSensitivity(Qt::CaseInsensitive);
  Table = new QTableView;
  Table->setObjectName("EventTable");
  Table->setModel(Filter);
  Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Table->setSelectionBehavior(QAbstractItemView::SelectRows);
  Table->verticalHeader()->hide();
  Table->horizontalHeader()->setStretchLastSection(true);
  layout->addWidget(Table, 1);
  resize(1100, 600);

  connect(SearchButton, &QPushButton::clicked, this, &TTransitsForm::Search);
  connect(CancelButton, &QPushButton::clicked, this, &TTransitsForm::Cancel);
  connect(exportButton, &QPushButton::clicked, this, &TTransitsForm::Export);
  connect(FilterEdit, &QLineEdit::textChanged, Filter,
          [this](const QString& text) { Filter->setFilterFixedString(text); });
  connect(Table, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
    const QModelIndex source = Filter->mapToSource(index);
    const double ut = Model->item(source.row(), 0)->data(Qt::UserRole).toDouble();
    if (OnOpenMoment)
      OnOpenMoment(ut);
  });
}

TTransitsForm::~TTransitsForm() {
  Cancel();
  JoinWorker();
}

TSearchRequest TTransitsForm::Request() const {
  // The period's ends are local dates of the chart's zone: From's midnight to the end of To.
  const auto universal = [this](const QDate& date) {
    const astro::TDateTime local = MomentOf(date);
    return local - Natal.OffsetAtUniversal(local) / 86400.0;
  };
  TSearchRequest request =
      DefaultRequest(universal(FromEdit->date()), universal(ToEdit->date().addDays(1)));
  for (int body = 1; body <= astro::kBodyCount; ++body)
    request.Moving[body] = MovingBoxes[body]->isChecked();
  request.AspectOn = Natal.AspectOn;
  request.Orbs = Natal.Orbs;
  request.Transits = KindBoxes[0]->isChecked();
  request.SkyAspects = KindBoxes[1]->isChecked();
  request.Stations = KindBoxes[2]->isChecked();
  request.Ingresses = KindBoxes[3]->isChecked();
  request.MoonSkyEvents = KindBoxes[4]->isChecked();
  const bool angles = NatalAngles->isChecked() && Natal.PlaceKnown;
  const auto points =
      ComputeNatalPoints(JulianDayOf(Natal.Universal), Natal.LatitudeDeg, Natal.LongitudeDeg,
                         {angles, NatalNodes->isChecked(), NatalNodes->isChecked()});
  for (const TNatalPoint& point : points)
    if (point.Body == 0 || NatalBodies->isChecked())
      request.Natal.push_back(point);
  if (angles)
    for (const char* key : {"asc", "mc"})
      for (const TNatalPoint& point : points)
        if (point.Key == key)
          request.Natal.push_back({key == std::string("asc") ? "dsc" : "ic", 0,
                                   std::fmod(point.Longitude + 180.0, 360.0)});
  return request;
}

void TTransitsForm::Search() {
  Cancel();
  JoinWorker();
  if (ToEdit->date() < FromEdit->date()) {
    Status->setText("Конец периода раньше начала");
    return;
  }
  CancelRequested = false;
  Finished = false;
  SearchButton->setEnabled(false);
  CancelButton->setEnabled(true);
  Progress->setValue(0);
  Status->setText("Поиск…");
  const int generation = ++*Generation;
  auto request = std::make_shared<TSearchRequest>(Request());
  Worker = std::thread([this, request, generation] {
    TSearchResult result;
    std::string error;
    try {
      result = FindEvents(*request, [this](double fraction) {
        QMetaObject::invokeMethod(Progress, "setValue", Qt::QueuedConnection,
                                  Q_ARG(int, int(fraction * 1000)));
        return !CancelRequested.load();
      });
    } catch (const std::exception& e) {
      error = e.what();
    }
    Finished = true;
    QMetaObject::invokeMethod(
        this,
        [this, result = std::move(result), error, generation] {
          if (generation != *Generation)
            return;
          SearchButton->setEnabled(true);
          CancelButton->setEnabled(false);
          if (!error.empty())
            Status->setText(QString::fromStdString(error));
          else
            ShowResult(result);
        },
        Qt::QueuedConnection);
  });
}

void TTransitsForm::Cancel() {
  CancelRequested = true;
}

void TTransitsForm::JoinWorker() {
  if (Worker.joinable())
    Worker.join();
}

void TTransitsForm::ShowResult(const TSearchResult& Result) {
  Model->removeRows(0, Model->rowCount());
  if (Result.Cancelled) {
    Status->setText("Поиск прерван");
    return;
  }
  Model->setRowCount(int(Result.Events.size()));
  int row = 0;
  for (const TSkyEvent& event : Result.Events) {
    const auto local = [&](const std::optional<astro::TDateTime>& ut) {
      return ut ? Shown(*ut + Natal.OffsetAtUniversal(*ut) / 86400.0) : QString();
    };
    const QStringList texts = {local(event.Universal),
                               Shown(event.Universal),
                               QString::fromStdString(EventKindName(event.Kind)),
                               QString::fromStdString(EventDescription(event)),
                               local(event.OrbEnter),
                               local(event.OrbLeave)};
    for (int column = 0; column < texts.size(); ++column)
      Model->setItem(row, column, new QStandardItem(texts[column]));
    Model->item(row, 0)->setData(event.Universal, Qt::UserRole);
    ++row;
  }
  Table->resizeColumnsToContents();
  Progress->setValue(1000);
  Status->setText(QString("Событий: %1").arg(Result.Events.size()));
}

int TTransitsForm::RowCount() const {
  return Filter->rowCount();
}

QStringList TTransitsForm::RowTexts(int Row) const {
  QStringList texts;
  for (int column = 0; column < Filter->columnCount(); ++column)
    texts << Filter->index(Row, column).data().toString();
  return texts;
}

void TTransitsForm::ExportTo(const QString& FileName) const {
  const bool csv = FileName.endsWith(".csv", Qt::CaseInsensitive);
  QString text;
  const auto line = [&](const QStringList& fields) {
    if (csv) {
      QStringList quoted;
      for (const QString& field : fields)
        quoted << CsvField(field);
      text += quoted.join(',') + "\r\n";
    } else {
      text += fields.join('\t') + '\n';
    }
  };
  line(kColumns);
  for (int row = 0; row < RowCount(); ++row)
    line(RowTexts(row));
  QSaveFile file(FileName);
  const QByteArray bytes = text.toUtf8();
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    throw std::runtime_error("Unable to write to " + FileName.toStdString());
}

void TTransitsForm::Export() {
  const auto name = Prompts().SaveFileName(
      {"Экспорт событий", "Текст (*.txt);;CSV (*.csv)", "txt", QString(), "транзиты.txt"});
  if (!name)
    return;
  try {
    ExportTo(*name);
  } catch (const std::exception& error) {
    Prompts().Error(QString::fromStdString(error.what()));
  }
}
