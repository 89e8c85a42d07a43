#include "help/ScreenFit.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <limits>

namespace vozaz2 {

namespace {

long long Area(const QRect& r) { return r.isEmpty() ? 0 : static_cast<long long>(r.width()) * r.height(); }

// Waits for the first exposure of a top-level widget's window, then runs the
// fit once, after the event, and goes.
class FrameWatch final : public QObject {
 public:
  FrameWatch(QWidget* window, std::function<void()> fit) : QObject(window), window_(window), fit_(std::move(fit)) {
    window->installEventFilter(this);
    Attach();
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_ && event->type() == QEvent::Show) {
      Attach();
    } else if (watched == handle_ && event->type() == QEvent::Expose && handle_->isExposed()) {
      QMetaObject::invokeMethod(window_, fit_, Qt::QueuedConnection);
      handle_->removeEventFilter(this);
      window_->removeEventFilter(this);
      deleteLater();
    }
    return false;
  }

 private:
  void Attach() {
    if (handle_ || !window_->windowHandle()) return;
    handle_ = window_->windowHandle();
    handle_->installEventFilter(this);
  }

  QWidget* window_;
  QPointer<QWindow> handle_;
  std::function<void()> fit_;
};

}  // namespace

QSize FitClient(QSize wanted, QMargins frame, QSize room) {
  return wanted.boundedTo(room.shrunkBy(frame)).expandedTo(QSize(1, 1));
}

QPoint KeepInside(QRect frame, QRect room) {
  const int x = std::max(std::min(frame.left(), room.right() + 1 - frame.width()), room.left());
  const int y = std::max(std::min(frame.top(), room.bottom() + 1 - frame.height()), room.top());
  return {x, y};
}

QRect PlaceBeside(QSize size, QSize least, QRect beside, QRect room, int gap) {
  // The room on each side of `beside`, in the order of preference.
  const QRect sides[] = {QRect(QPoint(beside.right() + 1 + gap, room.top()), room.bottomRight()),
                         QRect(room.topLeft(), QPoint(beside.left() - 1 - gap, room.bottom())),
                         QRect(QPoint(room.left(), beside.bottom() + 1 + gap), room.bottomRight()),
                         QRect(room.topLeft(), QPoint(room.right(), beside.top() - 1 - gap))};
  for (bool shrink : {false, true}) {
    for (int i = 0; i < 4; ++i) {
      const QRect& side = sides[i];
      const QSize s = shrink ? size.boundedTo(side.size()) : size;
      if (side.isEmpty() || s.width() > side.width() || s.height() > side.height() || s.width() < least.width() ||
          s.height() < least.height())
        continue;
      const QPoint anchor = i < 2 ? QPoint(i == 0 ? side.left() : side.right() + 1 - s.width(), beside.top())
                                  : QPoint(beside.left(), i == 2 ? side.top() : side.bottom() + 1 - s.height());
      return QRect(KeepInside(QRect(anchor, s), side), s);
    }
  }
  QRect best;
  long long fewest = std::numeric_limits<long long>::max();
  for (const QPoint& anchor : {QPoint(beside.right() + 1 + gap, beside.top()),
                               QPoint(beside.left() - gap - size.width(), beside.top()),
                               QPoint(beside.left(), beside.bottom() + 1 + gap),
                               QPoint(beside.left(), beside.top() - gap - size.height())}) {
    const QRect placed(KeepInside(QRect(anchor, size), room), size);
    if (const long long covered = Area(placed & beside); covered < fewest) {
      fewest = covered;
      best = placed;
    }
  }
  return best;
}

int LargestFitting(int lo, int hi, const std::function<bool(int)>& fits) {
  // fits holds up to some number and not above it: halve the span between
  // the largest known to fit and the smallest known not to.
  int good = lo, bad = hi + 1;
  if (!fits(lo)) return lo;
  while (bad - good > 1) {
    const int mid = good + (bad - good) / 2;
    (fits(mid) ? good : bad) = mid;
  }
  return good;
}

QMargins FrameMargins(const QWidget* window) {
  auto drawn = [](const QWidget* w) {
    return w->isVisible() && w->windowHandle() && !w->isFullScreen() ? w->windowHandle()->frameMargins() : QMargins();
  };
  if (const QMargins own = drawn(window); !own.isNull()) return own;
  for (const QWidget* other : QApplication::topLevelWidgets())
    if (other != window)
      if (const QMargins theirs = drawn(other); !theirs.isNull()) return theirs;
  return {};
}

QRect ScreenRoom(const QWidget* window) {
  const QScreen* screen = window->screen();
  return screen ? screen->availableGeometry() : QRect();
}

void FitOnScreen(QWidget* window, QSize wanted) {
  const QRect room = ScreenRoom(window);
  if (room.isEmpty()) {
    window->resize(wanted);
    return;
  }
  const QMargins frame = FrameMargins(window);
  const QSize size = FitClient(wanted, frame, room.size());
  window->resize(size);
  if (window->isVisible())
    window->move(KeepInside(QRect(window->frameGeometry().topLeft(), size.grownBy(frame)), room));
}

void WhenFramed(QWidget* window, std::function<void()> fit) { new FrameWatch(window, std::move(fit)); }

}  // namespace vozaz2
