#include "help/Form2.h"

#include <QCloseEvent>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include "help/HelpText.h"
#include "ui/artwork/Artwork.h"

namespace vozaz2 {

namespace {

// The window's layout is given in twips, 1/1440 inch: 15 twips a pixel at
// 96 dpi. Pixels here are Qt's device-independent ones, which already follow
// the screen's scale factor; a screen that reports another logical dpi
// scales the layout with it.
class Twips {
 public:
  explicit Twips(const QScreen* screen) {
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    pixelsPerTwip_ = (dpi > 0 ? dpi : 96.0) / 1440.0;
  }
  int operator()(int twips) const { return qRound(twips * pixelsPerTwip_); }
  // A control's rectangle from its Left, Top, Width, Height. Both edges are
  // rounded, so that neighbouring controls keep their spacing.
  QRect Rect(int left, int top, int width, int height) const {
    const int x = (*this)(left), y = (*this)(top);
    return QRect(x, y, (*this)(left + width) - x, (*this)(top + height) - y);
  }
  // A font size given in pixels at 96 dpi.
  int FontPixels(int pixelsAt96) const { return qRound(pixelsAt96 * pixelsPerTwip_ * 15.0); }

 private:
  double pixelsPerTwip_;
};

// The layout was made for a narrow dialog font. DejaVu Sans at these sizes
// keeps every caption inside its control and the help text easy to read.
QFont WindowFont(const Twips& twips, int pixelsAt96) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(twips.FontPixels(pixelsAt96));
  return font;
}

// The one help window of the program, while it is open.
QPointer<Form2>& OpenHelpWindow() {
  static QPointer<Form2> window;
  return window;
}

}  // namespace

Form2::Form2()
    : QWidget(nullptr),
      Text1(new QPlainTextEdit(this)),
      Label2(new QLabel(this)),
      Label1(new QLabel(this)),
      Command1(new QPushButton(this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("About"));
  setWindowIcon(ConeIcon());

  const Twips twips(QGuiApplication::primaryScreen());
  setFont(WindowFont(twips, 11));

  Text1->setObjectName(QStringLiteral("Text1"));
  Text1->setGeometry(twips.Rect(120, 120, 5655, 3135));
  Text1->setFont(WindowFont(twips, 12));
  Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Text1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Text1->setTabChangesFocus(true);

  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setGeometry(twips.Rect(0, 3240, 6255, 255));

  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(twips.Rect(120, 3460, 4095, 375));
  Label1->setFont(WindowFont(twips, 10));
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label1->setText(QStringLiteral("Vozaz2 — модель конического маятника.\n"
                                 "Программа распространяется свободно."));

  Command1->setObjectName(QStringLiteral("Command1"));
  Command1->setGeometry(twips.Rect(4680, 3550, 1095, 255));
  Command1->setText(QStringLiteral("Закрыть"));
  Command1->setAutoDefault(false);
  connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);

  // The client area, 5880 x 3840 twips, with its top-left corner at a fixed
  // place on the screen. Nothing in the window moves with its size, so the
  // size is fixed as well.
  const QPoint screenOrigin = QGuiApplication::primaryScreen()
                                  ? QGuiApplication::primaryScreen()->geometry().topLeft()
                                  : QPoint(0, 0);
  setGeometry(QRect(screenOrigin + QPoint(twips(5910), twips(4695)),
                    QSize(twips(5880), twips(3840))));
  setFixedSize(size());

  Form_Load();
  Text1->setFocus();
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

Form2* ShowHelpWindow() {
  QPointer<Form2>& window = OpenHelpWindow();
  if (!window) {
    window = new Form2;
    window->show();
    return window;
  }
  if (window->isMinimized()) window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace vozaz2
