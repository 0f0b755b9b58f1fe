// SPDX-License-Identifier: GPL-3.0-or-later
// What the three view frames share: the bevelled panel with two scroll bars around the picture
// box, the picture's pop-up menu with its four commands, the placement in the main window's
// client area, the hint window's lifetime and the focus-exit rule. A concrete view adds its
// picture drawing, its hit test and its scroll maxima. Picture coordinates are pixels from the
// picture's top-left corner.
#pragma once

#include "HintWindow.h"
#include "PictureBox.h"
#include "ViewCommands.h"

#include <QFrame>
#include <QPointer>

class QAction;
class QMenu;
class QScrollBar;

class TViewFrame : public QFrame, public TViewCommandTarget {
  Q_OBJECT
public:
  // Places the frame in Owner's client area (left 2, top 6, owner width - 330, owner height - 10;
  // DesignSize when there is no owner) and builds the components. HintWindow is the view's
  // module-level hint reference; HintName names the hint windows it creates.
  TViewFrame(QWidget* Owner, QWidget* Parent, QSize DesignSize, QPointer<THWindow>& HintWindow,
             const QString& HintName);
  ~TViewFrame() override;

  // Form event handlers. FrameResize sets the view's scroll maxima (and may redraw).
  virtual void FrameResize() {}
  virtual void FrameExit();
  virtual void Image1MouseMove(Qt::KeyboardModifiers Shift, int X, int Y) = 0;
  void ScrollBar1Change();
  void ScrollBar2Change();

  // Pop-up menu commands; by default the shared save and print commands on this view.
  virtual void SaveAsImageClick();
  virtual void SaveAsTextClick();
  virtual void PrintAsImageClick();
  virtual void PrintAsTextClick();

  // Creates the hint window when there is none: the inactive caption text colour behind red
  // text of size 10.
  void EnsureHintWindow();
  void HideHint();
  THWindow* Hint() const { return HintWindow_; }

  // Follows the resizes of the current parent.
  void AnchorToParent();

  // TViewCommandTarget
  const QImage& Picture() const override;

  bool HintsEnabled = true;

  // Components.
  QFrame* Panel1 = nullptr;
  QScrollBar* ScrollBar1 = nullptr; // vertical
  QScrollBar* ScrollBar2 = nullptr; // horizontal
  QWidget* Panel2 = nullptr;
  TPictureBox* Image1 = nullptr; // the picture drawn on
  QMenu* PopupMenu1 = nullptr;
  QAction* SaveAsImage = nullptr;
  QAction* SaveAsText = nullptr;
  QAction* PrintAsImage = nullptr;
  QAction* PrintAsText = nullptr;

protected:
  // Sets the vertical scroll maximum to picture height - bar height (0 when negative) and the
  // horizontal one as given (0 when negative).
  void SetScrollMaxima(int HorizontalMaximum);
  // Picture width - horizontal bar width.
  int WidthExcess() const;
  // Shows Text in the hint window at the pointer.
  void ShowHint(const QString& Text);
  // A hidden picture component named Name (a strip or picture the view draws from).
  TPictureBox* AddHiddenPicture(const QString& Name);
  // Runs a save or print command; its file or printer error is shown in an error box and the
  // frame stays usable.
  void RunCommand(void (*Command)(TViewCommandTarget&));

  void resizeEvent(QResizeEvent* event) override;
  // The pointer may leave straight for the menu bar without a move over the owner.
  void leaveEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void CreateComponents();
  void LayoutComponents();
  void PlaceInClientArea(QSize client);

  QPointer<THWindow>& HintWindow_;
  QString HintName_;
  QPointer<QWidget> AnchoredTo_; // the parent whose resizes the frame follows
};
