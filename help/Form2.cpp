#include "help/Form2.h"

#include <QCloseEvent>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include "fonts/ProgramFont.h"
#include "help/HelpText.h"
#include "help/Twips.h"

namespace vozaz2 {

namespace {

// A control's rectangle from its Left, Top, Width, Height in twips. Both edges
// are rounded, so that neighbouring controls keep their spacing.
QRect TwipsRect(int left, int top, int width, int height) {
  const int x = Pixels(left), y = Pixels(top);
  return QRect(x, y, Pixels(left + width) - x, Pixels(top + height) - y);
}

// The program's own narrow font, as in the main window.
QFont WindowFont(int pixels) { return ProgramFont(pixels); }

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

  setFont(WindowFont(11));

  Text1->setObjectName(QStringLiteral("Text1"));
  Text1->setGeometry(TwipsRect(120, 120, 5655, 3135));
  Text1->setFont(WindowFont(12));
  Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Text1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Text1->setTabChangesFocus(true);

  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setGeometry(TwipsRect(0, 3240, 6255, 255));

  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(TwipsRect(120, 3460, 4095, 375));
  Label1->setFont(WindowFont(10));
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label1->setText(QStringLiteral("Vozaz2 — модель конического маятника.\n"
                                 "Программа распространяется свободно."));

  Command1->setObjectName(QStringLiteral("Command1"));
  Command1->setGeometry(TwipsRect(4680, 3550, 1095, 255));
  Command1->setText(QStringLiteral("Закрыть"));
  Command1->setAutoDefault(false);
  connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);

  // The client area, 5880 x 3840 twips, with its top-left corner at a fixed
  // place on the screen. Nothing in the window moves with its size, so the
  // size is fixed as well.
  const QPoint screenOrigin = QGuiApplication::primaryScreen()
                                  ? QGuiApplication::primaryScreen()->geometry().topLeft()
                                  : QPoint(0, 0);
  setGeometry(QRect(screenOrigin + QPoint(Pixels(5910), Pixels(4695)),
                    QSize(Pixels(5880), Pixels(3840))));
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
