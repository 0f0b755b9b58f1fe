// SPDX-License-Identifier: GPL-3.0-or-later
#include "TypedDateTimeEdit.h"

#include "Prompts.h"

#include <QRegularExpression>
#include <QSignalBlocker>

namespace {

// The digit groups of a text split at separators; nullopt when anything else is in it.
std::optional<QStringList> DigitGroups(const QString& Text) {
  static const QRegularExpression allowed(QStringLiteral("^[0-9.,:/\\- ]*$"));
  const QString trimmed = Text.trimmed();
  if (trimmed.isEmpty() || !allowed.match(trimmed).hasMatch())
    return std::nullopt;
  static const QRegularExpression separators(QStringLiteral("[.,:/\\- ]+"));
  return trimmed.split(separators, Qt::SkipEmptyParts);
}

// Cuts a run of digits into groups of the given lengths (all of them used).
QStringList Cut(const QString& Digits, std::initializer_list<int> Lengths) {
  QStringList groups;
  int at = 0;
  for (int length : Lengths) {
    groups.append(Digits.mid(at, length));
    at += length;
  }
  return groups;
}

} // namespace

std::optional<QDate> ParseTypedDate(const QString& Text) {
  std::optional<QStringList> groups = DigitGroups(Text);
  if (!groups)
    return std::nullopt;
  if (groups->size() == 1 && groups->front().size() == 8)
    groups = Cut(groups->front(), {2, 2, 4});
  if (groups->size() != 3 || groups->at(2).size() != 4 || groups->at(0).size() > 2 ||
      groups->at(1).size() > 2)
    return std::nullopt;
  const QDate date(groups->at(2).toInt(), groups->at(1).toInt(), groups->at(0).toInt());
  if (!date.isValid())
    return std::nullopt;
  return date;
}

std::optional<QTime> ParseTypedTime(const QString& Text) {
  std::optional<QStringList> groups = DigitGroups(Text);
  if (!groups)
    return std::nullopt;
  if (groups->size() == 1) {
    const QString digits = groups->front();
    if (digits.size() == 3 || digits.size() == 4)
      groups = Cut(digits, {static_cast<int>(digits.size()) - 2, 2});
    else if (digits.size() == 6)
      groups = Cut(digits, {2, 2, 2});
    else if (digits.size() > 2)
      return std::nullopt;
  }
  if (groups->isEmpty() || groups->size() > 3)
    return std::nullopt;
  int parts[3] = {0, 0, 0};
  for (qsizetype i = 0; i < groups->size(); ++i) {
    if (groups->at(i).size() > 2 || (i > 0 && groups->at(i).size() != 2))
      return std::nullopt;
    parts[i] = groups->at(i).toInt();
  }
  const QTime time(parts[0], parts[1], parts[2]);
  if (!time.isValid())
    return std::nullopt;
  return time;
}

TTypedEntry::TTypedEntry(QDateTimeEdit* Edit, QLineEdit* Line) : Edit(Edit), Line(Line) {}

bool TTypedEntry::TypedKey(QKeyEvent* Event) {
  if (Event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
    return false;
  switch (Event->key()) {
  case Qt::Key_Escape:
    if (!TypingNow)
      return false;
    TypingNow = false;
    Revert();
    return true;
  case Qt::Key_Return:
  case Qt::Key_Enter:
    if (!TypingNow)
      return false;
    Commit();
    return true;
  case Qt::Key_Up:
  case Qt::Key_Down:
  case Qt::Key_PageUp:
  case Qt::Key_PageDown:
    Commit();
    return false;
  case Qt::Key_Backspace:
  case Qt::Key_Delete:
    TypingNow = true;
    EditLine([&] { Line->event(Event); });
    return true;
  case Qt::Key_Left:
  case Qt::Key_Right:
  case Qt::Key_Home:
  case Qt::Key_End:
    if (!TypingNow)
      return false;
    EditLine([&] { Line->event(Event); });
    return true;
  default:
    break;
  }
  const QString text = Event->text();
  if (text.isEmpty() || !text.at(0).isPrint())
    return false;
  EditLine([&] {
    if (!TypingNow)
      Line->selectAll(); // a new value replaces the shown one wherever the cursor is
    TypingNow = true;
    Line->insert(text);
  });
  return true;
}

template <typename Change> void TTypedEntry::EditLine(Change change) {
  // The spin box would read every intermediate text and cursor move as a section edit.
  const QSignalBlocker blocker(Line);
  change();
}

void TTypedEntry::Commit() {
  if (!TypingNow)
    return;
  TypingNow = false;
  const QString typed = Line->text();
  CommittingNow = true;
  const bool taken = ApplyTyped(typed);
  CommittingNow = false;
  Revert(); // shows the value now held in its own format
  if (!taken)
    Prompts().Information(RefusalText(typed));
}

void TTypedEntry::Revert() {
  const QSignalBlocker blocker(Edit);
  Edit->setDateTime(Edit->dateTime());
  Line->setText(Edit->dateTime().toString(Edit->displayFormat()));
}

void TTypedEntry::SelectWholeText() {
  // The cursor signal is held back so the field keeps stepping the section that was clicked.
  const QSignalBlocker blocker(Line);
  Line->setSelection(0, static_cast<int>(Line->text().size()));
}

bool TTypedDateEdit::ApplyTyped(const QString& Text) {
  const std::optional<QDate> date = ParseTypedDate(Text);
  if (!date)
    return false;
  setDate(*date);
  return true;
}

QString TTypedDateEdit::RefusalText(const QString& Text) const {
  return QStringLiteral("«%1» — не дата. Введите дату как ДД.ММ.ГГГГ, например 14.03.1985.")
      .arg(Text);
}

bool TTypedTimeEdit::ApplyTyped(const QString& Text) {
  const std::optional<QTime> time = ParseTypedTime(Text);
  if (!time)
    return false;
  setTime(*time);
  return true;
}

QString TTypedTimeEdit::RefusalText(const QString& Text) const {
  return QStringLiteral("«%1» — не время. Введите время как ЧЧ:ММ или ЧЧ:ММ:СС, например 08:30.")
      .arg(Text);
}
