#include "help/Form2.h"

#include <QCloseEvent>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <algorithm>
#include <cmath>

#include "fonts/ProgramFont.h"
#include "help/HelpText.h"
#include "help/ScreenFit.h"
#include "help/Twips.h"

namespace vozaz2 {

namespace {

// A control's rectangle from its Left, Top, Width, Height in twips, at a
// zoom. Both edges are rounded, so that neighbouring controls keep their
// spacing.
QRect TwipsRect(int left, int top, int width, int height, int percent) {
  const int x = ZoomedPixels(left, percent), y = ZoomedPixels(top, percent);
  return QRect(x, y, ZoomedPixels(left + width, percent) - x, ZoomedPixels(top + height, percent) - y);
}

// The program's own narrow font, as in the main window, at a zoom.
QFont WindowFont(int pixels, int percent) {
  return ProgramFont(std::max(1, static_cast<int>(std::lround(pixels * percent / 100.0))));
}

// The largest font, up to `font`, in which the label's text fits the label.
QFont Fitting(QFont font, const QLabel& label) {
  const QRect room = label.contentsRect();
  for (int pixels = font.pixelSize(); pixels > 1; --pixels) {
    font.setPixelSize(pixels);
    const QRect text = QFontMetrics(font).boundingRect(room, static_cast<int>(label.alignment()), label.text());
    if (text.height() <= room.height() && text.width() <= room.width()) break;
  }
  return font;
}

// The client area, 5880 x 3840 twips, and the fixed place of its top-left
// corner on the screen at any zoom.
constexpr int kWidth = 5880, kHeight = 3840;
constexpr int kLeft = 5910, kTop = 4695;
// The least zoom the window takes on a small screen.
constexpr int kLeastZoom = 50;

// The one help window of the program, while it is open.
QPointer<Form2>& OpenHelpWindow() {
  static QPointer<Form2> window;
  return window;
}

}  // namespace

Form2::Form2(int percent)
    : QWidget(nullptr),
      Text1(new QPlainTextEdit(this)),
      Label2(new QLabel(this)),
      Label1(new QLabel(this)),
      Command1(new QPushButton(this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("About"));

  Text1->setObjectName(QStringLiteral("Text1"));
  Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Text1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Text1->setTabChangesFocus(true);

  Label2->setObjectName(QStringLiteral("Label2"));

  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label1->setText(QStringLiteral("Vozaz2 — модель конического маятника.\n"
                                 "Программа распространяется свободно."));

  Command1->setObjectName(QStringLiteral("Command1"));
  Command1->setText(QStringLiteral("Закрыть"));
  Command1->setAutoDefault(false);
  connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
  // Escape closes the window as "Закрыть" does.
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &Form2::Command1_Click);

  // The client area's top-left corner at a fixed place on the screen.
  const QPoint screenOrigin = QGuiApplication::primaryScreen()
                                  ? QGuiApplication::primaryScreen()->geometry().topLeft()
                                  : QPoint(0, 0);
  zoom_ = 0;  // not yet laid out
  SetZoom(percent);
  Place(screenOrigin + QPoint(Pixels(kLeft), Pixels(kTop)));

  Form_Load();
  Text1->setFocus();
}

void Form2::SetZoom(int percent) {
  // As large as asked, or as the screen's free area takes, frame and all.
  const QRect room = ScreenRoom(this);
  const QMargins frame = FrameMargins(this);
  const auto fits = [&](int p) {
    const QSize framed = QSize(ZoomedPixels(kWidth, p), ZoomedPixels(kHeight, p)).grownBy(frame);
    return room.isEmpty() || (framed.width() <= room.width() && framed.height() <= room.height());
  };
  percent = fits(percent) ? percent : LargestFitting(kLeastZoom, percent, fits);
  if (percent == zoom_) return;
  zoom_ = percent;

  setFont(WindowFont(11, zoom_));
  Text1->setGeometry(TwipsRect(120, 120, 5655, 3135, zoom_));
  Text1->setFont(WindowFont(12, zoom_));
  Label2->setGeometry(TwipsRect(0, 3240, 6255, 255, zoom_));
  Label1->setGeometry(TwipsRect(120, 3460, 4095, 375, zoom_));
  Label1->setFont(Fitting(WindowFont(10, zoom_), *Label1));
  Command1->setGeometry(TwipsRect(4680, 3550, 1095, 255, zoom_));
  // Nothing in the window moves with its size, so the size is fixed.
  setFixedSize(ZoomedPixels(kWidth, zoom_), ZoomedPixels(kHeight, zoom_));
  if (isVisible()) Place(geometry().topLeft());
}

void Form2::Place(QPoint place) {
  const QRect room = ScreenRoom(this);
  const QMargins frame = FrameMargins(this);
  const QRect framed = QRect(place, size()).marginsAdded(frame);
  const QPoint corner = room.isEmpty() ? framed.topLeft() : KeepInside(framed, room);
  setGeometry(QRect(corner + QPoint(frame.left(), frame.top()), size()));
}

void Form2::Form_Load() {
  helpText_ = HelpText();
  Text1->setPlainText(QString::fromStdString(helpText_).replace(QStringLiteral("\r\n"),
                                                               QStringLiteral("\n")));
}

void Form2::Command1_Click() { close(); }

void Form2::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  // Unloaded: the next "About" loads a new window, even before this one has
  // been deleted.
  if (event->isAccepted() && OpenHelpWindow() == this) OpenHelpWindow() = nullptr;
}

Form2* ShowHelpWindow(int percent) {
  QPointer<Form2>& window = OpenHelpWindow();
  if (!window) {
    window = new Form2(percent);
    window->show();
    return window;
  }
  window->SetZoom(percent);
  if (window->isMinimized()) window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

Form2* HelpWindow() { return OpenHelpWindow(); }

}  // namespace vozaz2
