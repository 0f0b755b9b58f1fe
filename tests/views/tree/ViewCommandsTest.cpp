// SPDX-License-Identifier: GPL-3.0-or-later
// The save and print commands on the tree frame, answered through the scripted prompts.
#include "ViewCommands.h"

#include "Jpeg.h"
#include "SaveFolders.h"
#include "ScriptedPrompts.h"
#include "TreeImage.h"
#include "TreeTestApp.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>
#include <memory>

namespace {

void WriteIni(const QString& folder, const QString& treeImage) {
  QFile ini(folder + "/quellantree.ini");
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
  ini.write(("[TreeSection]\nTreeImage=" + treeImage + "\nAspectText=aspects.dat\n").toUtf8());
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ViewCommands : public ::testing::Test {
protected:
  void SetUp() override {
    TestApp();
    folder = ScratchDir();
    owner = std::make_unique<QWidget>();
    owner->resize(1000, 700);
  }
  TImageFrame* Frame(bool withMask) {
    WriteIni(folder, withMask ? "tree.jpg" : "none.jpg");
    QFile::copy(RunDir() + "/tree.jpg", folder + "/tree.jpg");
    QFile::copy(RunDir() + "/letters.png", folder + "/letters.png");
    TImageFrame* frame = CreateTreeFrame(owner.get(), owner.get(), folder + "/quellantree.ini");
    prompts.Informations.clear();
    return frame;
  }

  TScriptedPrompts prompts;
  std::unique_ptr<QWidget> owner;
  QString folder;
};

} // namespace

TEST_F(ViewCommands, SaveImageWithoutMaskOnlyShowsTheMessage) {
  TImageFrame* frame = Frame(false);
  prompts.SaveAnswers.push_back(folder + "/out.jpg");
  SaveImage(*frame);
  EXPECT_EQ(prompts.Informations,
            QStringList{"Не могу сохранить рисунок, так как изображение маска не было загружено."});
  EXPECT_TRUE(prompts.SaveRequests.isEmpty());
  EXPECT_FALSE(QFile::exists(folder + "/out.jpg"));
}

TEST_F(ViewCommands, SaveImageWritesTheDrawnPictureAsJpeg) {
  TImageFrame* frame = Frame(true);
  frame->ShowAspects(astro::TAspectList{1, {{{1, 18, 2}}}});
  prompts.SaveAnswers.push_back(folder + "/chart"); // no extension typed
  SaveImage(*frame);
  ASSERT_EQ(prompts.SaveRequests.size(), 1);
  EXPECT_EQ(prompts.SaveRequests[0].DefaultExt, "jpg");
  EXPECT_TRUE(prompts.SaveRequests[0].Filter.contains("*.JPG"));
  const QImage saved = LoadJpeg(folder + "/chart.jpg");
  ASSERT_EQ(saved.size(), QSize(553, 800));
  // The red opposition line along Sun-Moon (thin, so its colour is softened by the encoding).
  const QRgb line = saved.pixel(274, 510);
  EXPECT_GT(qRed(line), qGreen(line) + 60);
  EXPECT_GT(qRed(line), qBlue(line) + 60);
  // Cancelling writes nothing.
  SaveImage(*frame);
  EXPECT_EQ(prompts.SaveRequests.size(), 2);
}

TEST_F(ViewCommands, SavedReportIsTheReportInWindows1251WithCrLf) {
  TImageFrame* frame = Frame(false); // a report needs no mask
  frame->ShowPlanets({});
  frame->ShowAspects(astro::TAspectList{2, {{{1, 10, 10}, {8, 12, 9}}}});
  prompts.SaveAnswers.push_back(folder + "/report.txt");
  SaveReport(*frame);
  EXPECT_EQ(prompts.SaveRequests[0].DefaultExt, "txt");
  EXPECT_EQ(frame->Report, nullptr);
  const QByteArray bytes = ReadFile(folder + "/report.txt");
  frame->BuildReportModel();
  frame->BuildReport();
  EXPECT_EQ(bytes, ReportFileBytes(*frame->Report));
  EXPECT_TRUE(bytes.endsWith("\r\n"));
  EXPECT_FALSE(bytes.contains("\n\n"));
  // «I цинарот (Маг): Уран в трине c Нептуном» in Windows-1251, Latin c.
  EXPECT_TRUE(bytes.contains(
      "I \xF6\xE8\xED\xE0\xF0\xEE\xF2 (\xCC\xE0\xE3): \xD3\xF0\xE0\xED \xE2 \xF2\xF0\xE8\xED\xE5 c "
      "\xCD\xE5\xEF\xF2\xF3\xED\xEE\xEC\r\n"));
  // The extra line joins with the Cyrillic es (0xF1).
  EXPECT_TRUE(bytes.contains(" \xF1 \xCF\xEB\xF3\xF2\xEE\xED\xEE\xEC\r\n"));
  EXPECT_EQ(bytes.count("\r\n"), frame->Report->size());
}

TEST_F(ViewCommands, RealSaveDialogsShowTheirFiltersByName) {
  TImageFrame* frame = Frame(true);
  SetPrompts(nullptr); // the real dialogs
  const QStringList files = QDir(folder).entryList(QDir::Files);
  QStringList shown;
  QTimer cancel; // reads the open dialog's filter, then cancels it
  QObject::connect(&cancel, &QTimer::timeout, [&shown] {
    if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      shown << dialog->findChild<QComboBox*>("fileTypeCombo")->currentText();
      dialog->reject();
    }
  });
  cancel.start(10);
  SaveImage(*frame);
  SaveReport(*frame);
  SetPrompts(&prompts);
  EXPECT_EQ(shown.join(" | ").toStdString(), "Графические рисунки (JPG) | Текстовые файлы (TXT)");
  EXPECT_EQ(QDir(folder).entryList(QDir::Files), files); // cancelled: nothing written
}

TEST_F(ViewCommands, CancelledReportDialogBuildsNoLinesAndWritesNothing) {
  TImageFrame* frame = Frame(true);
  frame->ShowAspects(astro::TAspectList{1, {{{8, 12, 9}}}});
  SaveReport(*frame); // no answer queued: cancelled
  EXPECT_EQ(prompts.SaveRequests.size(), 1);
  EXPECT_EQ(frame->Report, nullptr);
  EXPECT_EQ(frame->Sephiroth[1].Paths[0].Planet1, 8); // the model was refreshed
}

TEST_F(ViewCommands, UnwritableReportFileIsAnError) {
  TImageFrame* frame = Frame(true);
  prompts.SaveAnswers.push_back(folder + "/missing folder/report.txt");
  EXPECT_THROW(SaveReport(*frame), std::runtime_error);
  // Through the pop-up menu the error reaches an error box instead.
  prompts.SaveAnswers.push_back(folder + "/missing folder/report.txt");
  frame->SaveAsTextClick();
  ASSERT_EQ(prompts.Errors.size(), 1);
  EXPECT_TRUE(prompts.Errors[0].startsWith("Cannot create file "));
}

TEST_F(ViewCommands, FilesTheProgramReadsAreNeverReplacedAndTheLastFolderIsKept) {
  TImageFrame* frame = Frame(true);
  const QString ini = folder + "/quellantree.ini";
  savefolders::SetContext(ini, {folder + "/charts.sqlite"});
  const QByteArray mask = ReadFile(folder + "/tree.jpg");
  ASSERT_TRUE(QDir(folder).mkdir("sub"));
  prompts.SaveAnswers = {folder + "/tree",
                         folder + "/../" + QFileInfo(folder).fileName() + "/" + "quellantree.ini",
                         folder + "/charts.sqlite", folder + "/sub/mine"};
  SaveImage(*frame);
  EXPECT_EQ(prompts.Informations.size(), 3);
  EXPECT_TRUE(prompts.Informations.value(0).contains(folder + "/tree.jpg"));
  EXPECT_EQ(ReadFile(folder + "/tree.jpg"), mask);
  EXPECT_FALSE(QFile::exists(folder + "/charts.sqlite"));
  EXPECT_TRUE(QFile::exists(folder + "/sub/mine.jpg"));
  EXPECT_EQ(savefolders::StartFolder(savefolders::TKind::Picture), folder + "/sub");
  EXPECT_NE(savefolders::StartFolder(savefolders::TKind::Report), folder + "/sub");
  prompts.SaveAnswers = {folder + "/aspects.dat"}; // named by the configuration file
  SaveReport(*frame);
  EXPECT_EQ(prompts.Informations.size(), 4);
  EXPECT_EQ(prompts.SaveRequests.last().StartDir,
            savefolders::StartFolder(savefolders::TKind::Report));
  savefolders::SetContext({}, {});
}

TEST_F(ViewCommands, PrintTargetCountsPicturePixelsAsPoints) {
  const QRect r = PrintedPictureRect(553, 800, 600, 600);
  EXPECT_EQ(r.left(), 100);
  EXPECT_EQ(r.top(), 100);
  EXPECT_EQ(r.left() + r.width(), 4408);
  EXPECT_EQ(r.top() + r.height(), 6466);
}

TEST_F(ViewCommands, PrintingWithoutMaskOnlyShowsTheMessage) {
  TImageFrame* frame = Frame(false);
  PrintImage(*frame);
  PrintReport(*frame);
  EXPECT_EQ(prompts.PrintDialogs, 0);
  EXPECT_EQ(
      prompts.Informations,
      QStringList(2, "Не могу произвести печать, так как изображение маска не было загружено."));
  EXPECT_EQ(frame->Report, nullptr);
}

TEST_F(ViewCommands, PictureAndReportPrintToPdf) {
  TImageFrame* frame = Frame(true);
  frame->ShowAspects(astro::TAspectList{1, {{{8, 12, 9}}}});
  prompts.PrintAnswers = {folder + "/picture.pdf", folder + "/report.pdf", ""};
  PrintImage(*frame);
  EXPECT_TRUE(ReadFile(folder + "/picture.pdf").startsWith("%PDF"));
  PrintReport(*frame);
  ASSERT_NE(frame->Report, nullptr); // the report stays built
  EXPECT_TRUE(frame->Report->contains("I цинарот (Маг): Уран в трине c Нептуном"));
  const QByteArray report = ReadFile(folder + "/report.pdf");
  EXPECT_TRUE(report.startsWith("%PDF"));
  EXPECT_GE(report.count("/Type /Page\n") + report.count("/Type /Page\r") +
                report.count("/Type /Page "),
            1);
  PrintReport(*frame); // cancelled: nothing printed, report still rebuilt
  EXPECT_EQ(prompts.PrintDialogs, 3);
}
