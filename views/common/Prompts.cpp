// SPDX-License-Identifier: GPL-3.0-or-later
#include "Prompts.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace {

class TQtPrompts : public TPrompts {
public:
  void Information(const QString& text) override {
    QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
  }
  void Error(const QString& text) override {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
  }
  bool Question(const QString& text) override {
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), text,
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
  }
  std::optional<QString> InputText(const QString& title, const QString& label,
                                   const QString& text) override {
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setTextValue(text);
    if (dialog.exec() != QDialog::Accepted) {
      return std::nullopt;
    }
    return dialog.textValue();
  }
  std::optional<QString> SaveFileName(const TSaveRequest& request) override {
    QFileDialog dialog(QApplication::activeWindow(), request.Title, request.StartDir,
                       request.Filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The filter reads as its name alone ("Текстовые файлы (TXT)"), without the patterns; the
    // toolkit's own dialog, since a desktop's native one cuts a name at its first "(".
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDefaultSuffix(request.DefaultExt);
    if (!request.FileName.isEmpty()) {
      dialog.selectFile(request.FileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
      return std::nullopt;
    }
    return WithDefaultExtension(dialog.selectedFiles().first(), request.DefaultExt);
  }
  bool SetupPrinter(QPrinter& printer) override {
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
  }
  bool Execute(QDialog& dialog) override { return dialog.exec() == QDialog::Accepted; }
};

TQtPrompts& QtPrompts() {
  static TQtPrompts prompts;
  return prompts;
}

TPrompts* current = nullptr;

} // namespace

TPrompts& Prompts() {
  return current ? *current : QtPrompts();
}

void SetPrompts(TPrompts* prompts) {
  current = prompts;
}

QString WithDefaultExtension(const QString& fileName, const QString& ext) {
  if (ext.isEmpty() || fileName.isEmpty() || !QFileInfo(fileName).suffix().isEmpty()) {
    return fileName;
  }
  return fileName + "." + ext;
}
