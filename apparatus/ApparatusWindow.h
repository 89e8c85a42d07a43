// The window "Установка": the apparatus in motion, in perspective, with the
// vectors of the law (apparatus/ApparatusView.h). Buttons give the
// perspective, the side and the top view at one click; check boxes switch
// each vector on and off.
//
// The window follows one session: each "Начать" fixes the scales of a new
// run, and every step marks the picture as old. It is drawn again only
// while shown, at most at the display's rate and less often when drawing is
// slow, so that the stepping timer keeps its pace; the path's trail is the
// session's (run/Trail.h), so opening the window during a run shows the
// last turns at once.
//
// One window per main window, which keeps it; closing it only hides it. It
// is deleted with its owner.
#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <vector>

#include "apparatus/ApparatusView.h"

class QAbstractButton;
class QCheckBox;
class QTimer;

namespace vozaz2 {

class Session;

class ApparatusWindow final : public QWidget {
  Q_OBJECT

 public:
  // Starts following the session at once; the window stays hidden.
  ApparatusWindow(Session& session, QWidget* owner);

  ApparatusView* View() const { return view_; }
  void ShowView(ViewKind view);
  // Shows the window, brought to the front: for the keys and the menu.
  // Not while it is withheld.
  void ShowInFront();
  // A task that keeps the graphs from the student keeps this view too: its
  // arrows are labelled with ω and L, the very values to be predicted.
  // Withheld, the window hides and does not open.
  void Withhold(bool withheld);
  // The texts and lines, and the window with them, at `percent` % of their
  // size, as the main window's zoom (100 for the normal size).
  void SetZoom(int percent);


 signals:
  // A frame has been drawn in `ns` nanoseconds, the main window's timer held
  // up meanwhile.
  void Drew(qint64 ns);

 protected:
  // Frames are drawn only while the window is shown.
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 public:
  // Frames drawn since the window was built, and the time they took (with
  // their way to the screen), for the benchmarks.
  long Frames() const { return frames_; }
  double FrameSeconds() const { return static_cast<double>(frameNs_) / 1e9; }

 private:
  QLayout* BuildBar();
  void OnFrame();
  void ArrowsChosen();

  Session& session_;
  ApparatusView* view_ = nullptr;
  std::vector<QAbstractButton*> viewButtons_;
  std::vector<QCheckBox*> arrowBoxes_;
  QTimer* frame_ = nullptr;
  QElapsedTimer clock_;
  qint64 nextFrameNs_ = 0;
  bool dirty_ = true;
  bool withheld_ = false;
  long frames_ = 0;
  qint64 frameNs_ = 0;
};

// The apparatus window of this main window, made hidden (it follows the
// session at once) and deleted with it; the keys Ctrl+I and F7 in the owner
// show it.
ApparatusWindow* InstallApparatusWindow(QWidget* owner, Session& session);

}  // namespace vozaz2
