#include "ui/Form1.h"

#include <QAccessible>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QGroupBox>
#include <QHash>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>
#include <cmath>
#include <cstring>

#include "fonts/ProgramFont.h"
#include "help/Form2.h"
#include "io/Locale.h"
#include "model/NumberText.h"
#include "run/Screens.h"
#include "run/TaskRun.h"
#include "ui/Accessibility.h"
#include "ui/Form1Layout.h"
#include "ui/ModeButtons.h"
#include "ui/PictureBox.h"
#include "ui/TextBox.h"
#include "ui/WindowStyle.h"
#include "ui/artwork/Artwork.h"

namespace vozaz2 {

namespace {

// The display's rate: during a run the window repaints at most this often.
constexpr int kFrameMs = 16;

// Fills `controls` with the controls in `area` named kind1, kind2, ...
template <class W, std::size_t N>
void Collect(const QWidget& area, std::array<W*, N>& controls, const char* kind) {
  for (std::size_t i = 0; i < N; ++i) {
    controls[i] = dynamic_cast<W*>(area.findChild<QWidget*>(QString::fromLatin1(kind) + QString::number(i + 1)));
    Q_ASSERT(controls[i]);
  }
}

}  // namespace

QFont Form1::WindowFont(int percent) {
  // A narrow sans serif (Helvetica Narrow's metrics) at 11 pixels: about the
  // width of the classic 8-point dialog font the layout was drawn for.
  // The program carries it (fonts/), so it looks the same everywhere.
  QFont font = ProgramFont(static_cast<int>(std::lround(11 * percent / 100.0)));
  // Without kerning the text boxes can draw numbers from a table of glyphs
  // exactly where a line edit puts them (see TextBox).
  font.setKerning(false);
  return font;
}

Form1::Form1(QWidget* parent)
    : QWidget(parent),
      picture2Surface_(kScreen2Width, kScreen2Height),
      picture3Surface_(kScreen3Width, kScreen3Height),
      session_(std::make_unique<Session>(picture2Screen_, picture3Screen_)),
      sep_(DecimalSeparator()) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Vozaz2"));
  style_ = WindowStyle();
  setStyle(style_);
  setFont(WindowFont());

  InstallAccessibility();
  area_ = new QWidget(this);
  area_->setObjectName(QStringLiteral("Form1Area"));
  area_->setFixedSize(Pixels(kClientWidthTwips), Pixels(kClientHeightTwips));
  BuildControls();
  DescribeForScreenReaders();
  BuildTempoMenu();
  BuildZoomMenu();

  ShowScreens();
  // Every run of the window has its twin at half the step: the report and
  // the graphs' "Точность" show the error of the integration, and at the
  // window's pace the twin's steps cost nothing that shows.
  session_->SetAccuracy(true);
  session_->Follow([this](const Snapshot& snapshot) { Follow(snapshot); });

  ConnectControls();
  SetUpKeyboard();
  BuildMenu();
  AddViewAction(TempoMenu->menuAction());
  AddViewAction(ZoomMenu->menuAction());
  AddViewAction(FullScreenAction);

  // The start-up: the input boxes show the parameters' start-up values, the
  // controls their start-up state; the session holds the rest.
  ShowTyped();
  SyncModes();
}

Form1::~Form1() {
  // The surfaces' callbacks point into the window: drop them first.
  picture2Surface_.changed = nullptr;
  picture3Surface_.changed = nullptr;
  for (ZoomedSurface* zoomed : {picture2Zoomed_.get(), picture3Zoomed_.get()})
    if (zoomed) zoomed->changed = nullptr;
}

void Form1::BuildControls() {
  QHash<QString, QWidget*> frames;
  for (const Form1Control& c : kForm1Layout) {
    QWidget* container = c.frame ? frames.value(QString::fromLatin1(c.frame)) : area_;
    Q_ASSERT(container);
    QWidget* w = c.make(container);
    const QString name = QString::fromLatin1(c.name);
    w->setObjectName(name);
    w->setStyle(style_);
    w->setGeometry(Pixels(c.left), Pixels(c.top), Pixels(c.width), Pixels(c.height));
    const QString caption = c.caption ? QString::fromUtf8(c.caption) : QString();
    if (auto* label = qobject_cast<QLabel*>(w)) {
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      label->setText(caption);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
      button->setText(caption);
    } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
      frame->setTitle(caption);
      frames.insert(name, frame);
    } else if (auto* box = dynamic_cast<TextBox*>(w)) {
      box->setText(name);  // a box shows its own name until it is written
      box->setAttribute(Qt::WA_OpaquePaintEvent);  // see WindowStyle
    }
  }
  Collect(*area_, boxes_, "Text");
  Collect(*area_, pictures_, "Picture");
  Collect(*area_, commands_, "Command");
  Collect(*area_, options_, "Option");
  Collect(*area_, checks_, "Check");

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setTimerType(Qt::PreciseTimer);

  frameTimer_ = new QTimer(this);
  frameTimer_->setTimerType(Qt::PreciseTimer);
  frameTimer_->setInterval(kFrameMs);
  clock_.start();
}

// Screen readers name each text box by the label beside it, with the unit
// that stands at the end of its row ("R2, м"); a label tells which box it
// names. The screens say what they show.
void Form1::DescribeForScreenReaders() {
  QLabel* label = nullptr;
  for (const Form1Control& c : kForm1Layout) {
    QWidget* w = findChild<QWidget*>(QString::fromLatin1(c.name));
    if (auto* l = qobject_cast<QLabel*>(w)) {
      label = l;
      continue;
    }
    auto* box = dynamic_cast<TextBox*>(w);
    if (!box) continue;
    QString name = label ? label->text() : QString();
    for (const Form1Control& unit : kForm1Layout)
      if (std::strncmp(unit.what, "unit of ", 8) == 0 && unit.top == c.top && !unit.frame)
        name += QStringLiteral(", ") + QString::fromUtf8(unit.caption);
    box->setAccessibleName(name);
    if (label) label->setBuddy(box);
    label = nullptr;
  }

  const QString copy = QStringLiteral(" Ctrl+C копирует картинку.");
  Picture(1)->setAccessibleName(QStringLiteral("Схема установки"));
  Picture(1)->setAccessibleDescription(
      QStringLiteral("Груз на упругой нити, пропущенной через втулку; нить или втулка движется вверх или вниз."));
  Picture(3)->setAccessibleName(QStringLiteral("Траектория груза, вид сверху"));
  Picture(3)->setAccessibleDescription(
      QStringLiteral("Синие точки — след груза (у гантели — её центра), красная окружность — начальный "
                     "радиус R1; шары гантели — кружки. X и Y в масштабе Mx, м/см.") + copy);
  Picture(2)->setAccessibleName(QStringLiteral("Осциллограмма: сила натяжения нити, её трение и высота груза по времени"));
  Picture(2)->setAccessibleDescription(
      QStringLiteral("Красная линия — сила натяжения нити FL, синяя — её часть трения Ftr, оливковая — "
                     "высота груза Z; от отметки −4: зелёная — обороты гантели, серая — w12, после "
                     "разлёта — FL2 и её трение. По горизонтали время T/Mt, см.") + copy);
}

void Form1::BuildTempoMenu() {
  TempoMenu = new QMenu(QStringLiteral("&Темп"), this);
  TempoMenu->setObjectName(QStringLiteral("TempoMenu"));
  auto* group = new QActionGroup(this);
  const struct {
    Tempo tempo;
    const char* text;
    Qt::Key key;
  } entries[] = {{Tempo::Fastest, "Как можно быстрее", Qt::Key_1},
                 {Tempo::RealTime, "Реальное время", Qt::Key_2},
                 {Tempo::Slowed, "Замедленно, в 5 раз", Qt::Key_3}};
  for (const auto& e : entries) {
    QAction* action = TempoMenu->addAction(QString::fromUtf8(e.text));
    action->setCheckable(true);
    action->setChecked(e.tempo == Tempo::Fastest);
    action->setShortcut(QKeySequence(Qt::CTRL | e.key));
    action->setData(static_cast<int>(e.tempo));
    group->addAction(action);
    addAction(action);  // the keys work wherever the focus is in the window
    connect(action, &QAction::triggered, this, [this, tempo = e.tempo] { SetTempo(tempo); });
  }
}

QString Form1::TempoName(Tempo tempo) {
  switch (tempo) {
    case Tempo::RealTime:
      return QStringLiteral("реальное время");
    case Tempo::Slowed:
      return QStringLiteral("замедленно");
    case Tempo::Fastest:
      break;
  }
  return QStringLiteral("как можно быстрее");
}

void Form1::SetTempo(Tempo tempo) {
  pacer_.SetTempo(tempo, clock_.elapsed());
  for (QAction* action : TempoMenu->actions()) action->setChecked(action->data().toInt() == static_cast<int>(tempo));
  ShowTitle();
}

void Form1::ConnectControls() {
  connect(Timer1, &QTimer::timeout, this, &Form1::Tick);
  connect(frameTimer_, &QTimer::timeout, this, &Form1::PaintFrame);

  connect(Command(1), &QPushButton::clicked, this, [this] { StartRun(); });
  connect(Command(2), &QPushButton::clicked, this, [this] { Do(&Session::Stop); });
  connect(Command(3), &QPushButton::clicked, this, [this] { Do(&Session::Continue); });
  connect(Command(4), &QPushButton::clicked, this, [this] { close(); });
  connect(Command(5), &QPushButton::clicked, this, [this] { Do(&Session::ClearScreens); });
  connect(Command(6), &QPushButton::clicked, this, [this] { ShowHelpWindow(zoom_); });
  connect(Command(7), &QPushButton::clicked, this, [this] { Do(&Session::Step); });

  // A number typed into a parameter box is the session's as soon as it reads
  // (the graphs draw the law's line from it before the run).
  for (std::size_t i = 0; i < kParameterCount; ++i)
    connect(Box(kParameterBoxes[i]), &QLineEdit::textEdited, this, [this, i](const QString& text) {
      if (const std::optional<double> value = TextNumber(text.toStdString(), sep_)) session_->Type(i, *value);
    });

  // A user's click runs the mode rules; then every control shows the model.
  for (int n = 1; n <= Modes::kOptions; ++n)
    connect(Option(n), &QAbstractButton::clicked, this, [this, n] { ClickMode({true, n}); });
  for (int n = 1; n <= Modes::kChecks; ++n)
    connect(Check(n), &QAbstractButton::clicked, this, [this, n] { ClickMode({false, n}); });
}

void Form1::SetUpKeyboard() {
  auto shortcut = [this](const QKeySequence& keys, auto action) {
    auto* s = new QShortcut(keys, this);
    connect(s, &QShortcut::activated, this, action);
  };
  shortcut(QKeySequence(Qt::Key_F5), [this] { Command(1)->click(); });
  shortcut(QKeySequence(Qt::Key_F6), [this] {
    (session_->Ticking() ? Command(2) : Command(3))->click();
  });
  shortcut(QKeySequence(Qt::Key_F8), [this] { Command(7)->click(); });
  shortcut(QKeySequence(Qt::Key_Escape), [this] { FullScreenAction->setChecked(false); });
  shortcut(QKeySequence::Copy, [this] { CopyScreen(); });
  shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), [this] { CopyReadout(); });
  // A text box with the focus takes Ctrl+C for its own text, unless the
  // pointer rests on a screen (see eventFilter).
  for (TextBox* box : boxes_) box->installEventFilter(this);
  // Enter in an input box starts the run, as "Начать" does.
  for (int box : kInputTabOrder) connect(Box(box), &QLineEdit::returnPressed, Command(1), &QAbstractButton::click);

  Command(1)->setToolTip(QStringLiteral("Начать опыт (F5)"));
  Command(2)->setToolTip(QStringLiteral("Остановить (F6)"));
  Command(3)->setToolTip(QStringLiteral("Продолжить (F6)"));
  Command(7)->setToolTip(QStringLiteral("Сделать 1 шаг (F8)"));
  const QString copyTip = QStringLiteral(
      "Ctrl+C: копировать картинку экрана\nCtrl+Shift+C: копировать показания таблицей");
  for (PictureBox* screen : {Picture(1), Picture(2), Picture(3)}) {
    screen->setFocusPolicy(Qt::ClickFocus);
    screen->setToolTip(copyTip);
  }

  // Tab walks the input boxes in reading order, then the buttons and the
  // switches; the result boxes take the focus only when clicked.
  for (int box = 1; box <= kBoxCount; ++box) Box(box)->setFocusPolicy(Qt::ClickFocus);
  QList<QWidget*> chain;
  for (int box : kInputTabOrder) {
    Box(box)->setFocusPolicy(Qt::StrongFocus);
    chain << Box(box);
  }
  for (int n : {1, 2, 3, 7, 5, 6, 4}) chain << Command(n);
  chain << Option(1) << Option(2) << Option(3) << Option(4) << Option(5) << Option(6) << Check(4)
        << Option(7) << Option(8) << Check(2) << Check(3) << Check(1);
  for (qsizetype i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

TextBox* Form1::Box(int box) const {
  return boxes_.at(static_cast<std::size_t>(box - 1));
}

void Form1::SyncModes() {
  const Modes& modes = session_->Controls();
  for (int n = 1; n <= Modes::kOptions; ++n) {
    ModeOptionButton* o = Option(n);
    const QSignalBlocker quiet(o);
    o->setChecked(modes.Option(n));
    o->setEnabled(modes.OptionEnabled(n) && !SetUpLocked());
  }
  for (int n = 1; n <= Modes::kChecks; ++n) {
    ModeCheckBox* c = Check(n);
    const QSignalBlocker quiet(c);
    c->setChecked(modes.Checked(n));
    c->setEnabled(modes.CheckEnabled(n) && !SetUpLocked());
  }
}

// While Timer1 ticks, every step sets the result boxes and draws on the
// screens, and each of these asks for a repaint. Qt gathers such requests into
// one UpdateRequest event to the window; painting and flushing it to the
// display costs about a millisecond, ten steps' worth. So the request is held
// back here and served by the frame timer, about 60 times a second, and the
// steps keep pace with the timer.
bool Form1::event(QEvent* event) {
  if (event->type() == QEvent::UpdateRequest && pacing_ && !painting_) {
    updateHeld_ = true;
    return true;
  }
  if (event->type() == QEvent::WindowStateChange && FullScreenAction)
    FullScreenAction->setChecked(isFullScreen());
  // Shown on a screen of another pixel density: the screens are drawn again
  // at its resolution.
  if ((event->type() == QEvent::Show || event->type() == QEvent::ScreenChangeInternal) &&
      devicePixelRatioF() != screensRatio_)
    ShowScreens();
  return QWidget::event(event);
}

// A text box with the focus would take Ctrl+C to copy its selection; while
// the pointer rests on a screen, the key is left to the window, which copies
// the screen.
bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy) &&
      ScreenUnderPointer()) {
    event->ignore();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

// "Выход" or the title bar: a closed main window makes no more steps, even
// where it is kept rather than discarded.
void Form1::closeEvent(QCloseEvent* event) {
  Timer1->stop();
  StopPacing();
  if (lesson_) lesson_->close();
  QWidget::closeEvent(event);
}

void Form1::StartPacing() {
  if (pacing_) return;
  pacing_ = true;
  if (QAccessible::isActive())
    for (TextBox* box : boxes_) box->MarkTold();
  Picture(2)->SetGathering(true);
  Picture(3)->SetGathering(true);
  frameTimer_->start();
}

void Form1::StopPacing() {
  if (!pacing_) return;
  frameTimer_->stop();
  PaintFrame();
  pacing_ = false;
  Picture(2)->SetGathering(false);
  Picture(3)->SetGathering(false);
}

void Form1::PaintFrame() {
  ShowRunState();
  ++frames_;
  if (QAccessible::isActive())
    for (TextBox* box : boxes_) box->TellChange();
  // Both screens show their changes, whatever the first answers.
  const bool path = Picture(2)->ShowChanges();
  const bool screens = Picture(3)->ShowChanges() || path;
  if (!updateHeld_ && !screens) return;
  updateHeld_ = false;
  painting_ = true;
  const qint64 t0 = clock_.nsecsElapsed();
  QEvent request(QEvent::UpdateRequest);
  QCoreApplication::sendEvent(this, &request);
  TookDrawing(clock_.nsecsElapsed() - t0);
  painting_ = false;
}

void Form1::TookDrawing(qint64 ns) { pacer_.Drew(static_cast<double>(ns) / 1e6, Timer1->interval()); }

PictureBox* Form1::ScreenUnderPointer() const {
  QWidget* pointed = QApplication::widgetAt(QCursor::pos());
  for (PictureBox* screen : {Picture(2), Picture(3), Picture(1)})
    if (pointed == screen) return screen;
  return nullptr;
}

void Form1::CopyScreen() {
  // The screen under the mouse pointer, whatever has the focus; else the
  // screen with the focus.
  PictureBox* target = ScreenUnderPointer();
  for (PictureBox* screen : {Picture(2), Picture(3), Picture(1)})
    if (!target && screen->hasFocus()) target = screen;
  if (target && target->Image()) QGuiApplication::clipboard()->setImage(*target->Image());
}

QString Form1::ReadoutTable() const {
  QString table;
  const QLabel* label = nullptr;
  for (const Form1Control& c : kForm1Layout) {
    QWidget* w = findChild<QWidget*>(QString::fromLatin1(c.name));
    if (auto* l = qobject_cast<QLabel*>(w)) {
      label = l;
    } else if (auto* box = qobject_cast<QLineEdit*>(w)) {
      table += (label ? label->text() : QString()) + u'\t' + box->text() + u'\n';
      label = nullptr;
    }
  }
  return table;
}

void Form1::CopyReadout() { QGuiApplication::clipboard()->setText(ReadoutTable()); }

}  // namespace vozaz2
