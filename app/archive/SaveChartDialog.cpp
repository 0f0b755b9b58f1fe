// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaveChartDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TSaveChartDialog::TSaveChartDialog(const QString& summary, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("SaveChartDialog"));
  setWindowTitle(QStringLiteral("Сохранить карту"));
  auto* layout = new QVBoxLayout(this);
  auto* what = new QLabel(summary, this);
  what->setObjectName(QStringLiteral("ChartSummary"));
  layout->addWidget(what);

  auto* form = new QFormLayout;
  ChartName = new QLineEdit(this);
  ChartName->setObjectName(QStringLiteral("ChartName"));
  ChartName->setMinimumWidth(280);
  form->addRow(QStringLiteral("Имя:"), ChartName);
  ChartNote = new QPlainTextEdit(this);
  ChartNote->setObjectName(QStringLiteral("ChartNote"));
  ChartNote->setTabChangesFocus(true);
  ChartNote->setFixedHeight(70);
  form->addRow(QStringLiteral("Заметка:"), ChartNote);
  layout->addLayout(form);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
  SaveButton = buttons->button(QDialogButtonBox::Save);
  SaveButton->setObjectName(QStringLiteral("SaveButton"));
  SaveButton->setText(QStringLiteral("Сохранить"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(ChartName, &QLineEdit::textChanged, this, &TSaveChartDialog::NameChanged);
  NameChanged();
}

QString TSaveChartDialog::Name() const {
  return ChartName->text().trimmed();
}

QString TSaveChartDialog::Note() const {
  return ChartNote->toPlainText();
}

void TSaveChartDialog::SetName(const QString& text) {
  ChartName->setText(text);
}

void TSaveChartDialog::SetNote(const QString& text) {
  ChartNote->setPlainText(text);
}

void TSaveChartDialog::NameChanged() {
  SaveButton->setEnabled(!Name().isEmpty());
}
