// SPDX-License-Identifier: GPL-3.0-or-later
// Date and time fields that take a whole typed value. A click into an unfocused field (or Tab into
// it) selects its whole text; the first typed digit or separator replaces that text, and what was
// typed is read only when the edit is committed (Enter, Tab, leaving the field). A text that is no
// date or time is refused through the prompts seam and the old value comes back. The arrow keys
// and the mouse wheel step the section under the cursor at once, as the plain edits do.
#pragma once

#include <QDateEdit>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimeEdit>
#include <QWheelEvent>
#include <optional>

// "14.03.1985", "14.3.1985", "14/03/1985", "14031985" (day, month, year; the year in four digits).
std::optional<QDate> ParseTypedDate(const QString& Text);
// "08:30", "8:30", "0830", "830", "08:30:15", "083015", "8" (hours, minutes, seconds).
std::optional<QTime> ParseTypedTime(const QString& Text);

// The typing behaviour both fields share; Edit is the field itself.
class TTypedEntry {
public:
  TTypedEntry(QDateTimeEdit* Edit, QLineEdit* Line);
  // True while the value shown is being set from typed text: the owner's change handler can tell
  // a typed value from an arrow step.
  bool Committing() const { return CommittingNow; }

protected:
  // Returns true when the key was taken by the typing behaviour.
  bool TypedKey(QKeyEvent* Event);
  // Reads what was typed, if anything, and puts it in the field or refuses it.
  void Commit();
  bool Typing() const { return TypingNow; }
  void SelectWholeText();
  // Whether a mouse press on the field's text should select it all on release.
  bool SelectOnRelease = false;

private:
  virtual bool ApplyTyped(const QString& Text) = 0;
  virtual QString RefusalText(const QString& Text) const = 0;
  void Revert();
  // Runs a change of the typed text out of the spin box's sight.
  template <typename Change> void EditLine(Change change);

  QDateTimeEdit* Edit;
  QLineEdit* Line;
  bool TypingNow = false;
  bool CommittingNow = false;
};

// The field's Qt overrides, the same for the date and the time.
template <class Base> class TTypedField : public Base, public TTypedEntry {
public:
  explicit TTypedField(QWidget* Parent) : Base(Parent), TTypedEntry(this, this->lineEdit()) {
    this->lineEdit()->installEventFilter(this);
  }

protected:
  void keyPressEvent(QKeyEvent* Event) override {
    if (!TypedKey(Event))
      Base::keyPressEvent(Event);
  }
  void focusInEvent(QFocusEvent* Event) override {
    Base::focusInEvent(Event);
    if (Event->reason() != Qt::MouseFocusReason && Event->reason() != Qt::PopupFocusReason)
      SelectWholeText();
  }
  void focusOutEvent(QFocusEvent* Event) override {
    if (Event->reason() != Qt::PopupFocusReason)
      Commit();
    Base::focusOutEvent(Event);
  }
  void wheelEvent(QWheelEvent* Event) override {
    Commit();
    Base::wheelEvent(Event);
  }
  // Tab leaves the field (after committing) instead of moving between its sections.
  bool focusNextPrevChild(bool Next) override {
    Commit();
    return QWidget::focusNextPrevChild(Next);
  }
  QValidator::State validate(QString& Input, int& Position) const override {
    return Typing() ? QValidator::Intermediate : Base::validate(Input, Position);
  }
  void fixup(QString& Input) const override {
    if (!Typing())
      Base::fixup(Input);
  }
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Watched == this->lineEdit()) {
      if (Event->type() == QEvent::MouseButtonPress)
        SelectOnRelease = !this->hasFocus();
      if (Event->type() == QEvent::MouseButtonRelease && SelectOnRelease) {
        SelectOnRelease = false;
        this->lineEdit()->event(Event); // ends the click as usual, then the whole text
        SelectWholeText();
        return true;
      }
    }
    return Base::eventFilter(Watched, Event);
  }
};

class TTypedDateEdit : public TTypedField<QDateEdit> {
public:
  using TTypedField::TTypedField;

private:
  bool ApplyTyped(const QString& Text) override;
  QString RefusalText(const QString& Text) const override;
};

class TTypedTimeEdit : public TTypedField<QTimeEdit> {
public:
  using TTypedField::TTypedField;

private:
  bool ApplyTyped(const QString& Text) override;
  QString RefusalText(const QString& Text) const override;
};
