// SPDX-License-Identifier: GPL-3.0-or-later
#include "Application.h"

#include "Prompts.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <stdexcept>

bool LoadToolkitTranslations(QCoreApplication& App) {
  auto* translator = new QTranslator(&App);
  if (!translator->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

TAstraviaApplication::TAstraviaApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // No display name of its own: the platform would append it to every window caption.
  setApplicationName("Astravia");
  setApplicationVersion("0.1");
  setDesktopFileName("org.astravia.Astravia"); // the desktop entry's name, for the window icon
  LoadToolkitTranslations(*this);
}

bool TAstraviaApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    ShowException(std::current_exception());
    return false;
  }
}

void TAstraviaApplication::ShowException(std::exception_ptr error) {
  QString text;
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    text = QString::fromUtf8(e.what());
  } catch (...) {
    text = "Unknown error";
  }
  // The error box itself must never let a second exception out of the event loop.
  try {
    Prompts().Error(text);
  } catch (...) {
  }
}
