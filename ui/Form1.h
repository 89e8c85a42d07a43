// Form1, the main window: the picture of the apparatus, the parameter and
// result boxes, the mode switches, the buttons and the two screens, bound to
// one session (run/Session.h) that owns the run and does all the physics.
//
// Every control carries its name (Text3, Check1, ...), as member and as
// objectName; what each of them is, and where it stands, is listed in
// ui/Form1Layout.h.
//
// The window binds its widgets to the session (ui/Form1Run.cpp):
//   - the buttons and switches call the session's commands; each answers
//     with what happened, and the window shows a message after the command
//     that caused it, in its message box (modal, titled "Vozaz2", one OK
//     button, no icon; no tick runs while it is open);
//   - the window follows the session: the numbers each command gives the
//     boxes become their texts (Text1 ... Text43; what a box's text()
//     returns is current after every step), in the locale's notation;
//   - its screens: Picture2 and Picture3 show the images that the steps draw
//     on (ImageSurface, which reports the pixels each drawing set);
//   - its timer: Timer1 ticks, one step per tick, while the session's run
//     goes on.
// During a run the window repaints at the display's rate, not at every step:
// a step costs microseconds, a repaint of the window a millisecond or more.
//
// Above the form stands a menu bar ("Файл", "Вид", "Справка"); the controls
// live in an area below it whose origin is the form's, so every control
// keeps its place. The window records every run (run/RunRecorder.h): "Сохранить
// как…" writes it as an experiment file, and opening one readies its run.
//
// The zoom ("Вид" > "Масштаб", ui/Form1Zoom.cpp) enlarges the whole form for
// a projector: controls, fonts and screens, the screens drawn at the
// resolution they are shown in.
//
// The tempo (run/Pacer.h, "Вид" > "Темп") sets how many steps a tick makes:
// one as fast as possible, or as many as the wall clock asks for in real
// time or slowed five times; the window's title names a tempo other than the
// fastest.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>
#include <string>

#include "run/Pacer.h"
#include "run/Session.h"
#include "run/TeeSurface.h"
#include "ui/ImageSurface.h"
#include "ui/ZoomedSurface.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QScrollArea;
class QStyle;
class QTimer;

namespace vozaz2 {

struct FileProblem;
class ModeCheckBox;
class ModeOptionButton;
class PictureBox;
class TextBox;

// Where the window's messages go instead of its message box (tests record
// them, so that nothing blocks).
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void Show(const std::string& text) = 0;
};

class Form1 final : public QWidget {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);
  ~Form1() override;

  // The session behind the window.
  Session& Simulation() { return *session_; }
  const Session& Simulation() const { return *session_; }

  // Where messages go: nullptr (the default) is the window's modal message
  // box; tests put a recorder here so that nothing blocks. Whichever shows
  // the message, no tick runs until it returns.
  void SetMessageSink(MessageSink* sink) { messageSink_ = sink; }

  // The readout as a tab-separated table: one row per text box, its label and
  // its text, in the order of the layout table. Ctrl+Shift+C copies it.
  QString ReadoutTable() const;

  // The font of the window and all its controls, at a zoom in per cent.
  static QFont WindowFont(int percent = 100);

  // The zoom of the whole form, in per cent: one of Zooms() (100, 125, 150,
  // 200). Another value changes nothing and returns false.
  bool SetZoom(int percent);
  int Zoom() const { return zoom_; }
  static QList<int> Zooms();
  // "Вид" > "Масштаб": the zooms, one of them checked, then "Крупнее"
  // (Ctrl+=), "Мельче" (Ctrl+−) and "Обычный размер" (Ctrl+0).
  QMenu* ZoomMenu = nullptr;
  // "Вид" > "Во весь экран" (F11).
  QAction* FullScreenAction = nullptr;

  // Whether repaints are being gathered to the display's rate (while Timer1
  // ticks).
  bool PacingRepaints() const { return pacing_; }
  // The repaint frames so far: screen readers hear of a box's change at most once in each.
  long Frames() const { return frames_; }

  // The tempo of the runs; the default is as fast as possible.
  void SetTempo(Tempo tempo);
  Tempo CurrentTempo() const { return pacer_.CurrentTempo(); }
  // "Вид" > "Темп": "Как можно быстрее", "Реальное время", "Замедленно, в 5
  // раз", one of them checked (keys Ctrl+1, Ctrl+2, Ctrl+3).
  QMenu* TempoMenu = nullptr;
  // How the window's title names a tempo: "как можно быстрее",
  // "реальное время", "замедленно".
  static QString TempoName(Tempo tempo);

  // --- Experiment files (ui/Form1Files.cpp) ---------------------------------
  // Opens an experiment file: stops a run in progress, puts the file's
  // numbers in the boxes and clicks its controls, shows its title in the
  // window's title and its description in the lesson window; the next
  // "Начать" plays its clicks during the run. A file that cannot be read, or
  // is no valid experiment, gives a message that names it and the problem,
  // and changes nothing. Returns whether the file was opened.
  bool OpenExperiment(const QString& path);
  // Writes the last run (before any run: the boxes and controls) to `path`.
  // A parameter box that would not pass "Начать" gives the input message and
  // no file; a file that cannot be written, a message. Returns whether the
  // file was written.
  bool SaveExperiment(const QString& path);
  // "Сохранить данные (CSV)…" without its file dialog: the last run's table.
  bool ExportCsv(const QString& path);
  // "Открыть…" and "Сохранить как…": the same, with a file dialog.
  void OpenWithDialog();
  void SaveWithDialog();
  void ExportCsvWithDialog();
  // The lessons shipped with the program, by title: each title with its file.
  static QList<std::pair<QString, QString>> Lessons();
  // Shows the opened experiment's title and description in the lesson
  // window ("Справка" > "Описание урока"); one lesson window at a time.
  QWidget* ShowLesson();
  // Adds a command to the "Вид" menu (hidden while it is empty).
  void AddViewAction(QAction* action);

  QMenuBar* MenuBar = nullptr;
  QMenu *FileMenu = nullptr, *LessonsMenu = nullptr, *ViewMenu = nullptr, *HelpMenu = nullptr;

  // --- Controls (see ui/Form1Layout.h) -----------------------------------
  PictureBox *Picture1 = nullptr, *Picture2 = nullptr, *Picture3 = nullptr;

  TextBox *Text1 = nullptr, *Text2 = nullptr, *Text3 = nullptr, *Text4 = nullptr,
          *Text5 = nullptr, *Text6 = nullptr, *Text7 = nullptr, *Text8 = nullptr,
          *Text9 = nullptr, *Text10 = nullptr, *Text11 = nullptr, *Text12 = nullptr,
          *Text13 = nullptr, *Text14 = nullptr, *Text15 = nullptr, *Text16 = nullptr,
          *Text17 = nullptr, *Text18 = nullptr, *Text19 = nullptr, *Text20 = nullptr,
          *Text21 = nullptr, *Text22 = nullptr, *Text23 = nullptr, *Text24 = nullptr,
          *Text25 = nullptr, *Text26 = nullptr, *Text27 = nullptr, *Text28 = nullptr,
          *Text29 = nullptr, *Text30 = nullptr, *Text31 = nullptr, *Text32 = nullptr,
          *Text33 = nullptr, *Text34 = nullptr, *Text35 = nullptr, *Text36 = nullptr,
          *Text37 = nullptr, *Text38 = nullptr, *Text39 = nullptr, *Text40 = nullptr,
          *Text41 = nullptr, *Text42 = nullptr, *Text43 = nullptr;

  QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr,
         *Label5 = nullptr, *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr,
         *Label9 = nullptr, *Label10 = nullptr, *Label11 = nullptr, *Label12 = nullptr,
         *Label13 = nullptr, *Label14 = nullptr, *Label15 = nullptr, *Label16 = nullptr,
         *Label17 = nullptr, *Label18 = nullptr, *Label19 = nullptr, *Label20 = nullptr,
         *Label21 = nullptr, *Label22 = nullptr, *Label23 = nullptr, *Label24 = nullptr,
         *Label25 = nullptr, *Label26 = nullptr, *Label27 = nullptr, *Label28 = nullptr,
         *Label29 = nullptr, *Label30 = nullptr, *Label31 = nullptr, *Label32 = nullptr,
         *Label33 = nullptr, *Label34 = nullptr, *Label35 = nullptr, *Label36 = nullptr,
         *Label37 = nullptr, *Label38 = nullptr, *Label39 = nullptr, *Label40 = nullptr,
         *Label41 = nullptr, *Label42 = nullptr, *Label43 = nullptr, *Label44 = nullptr,
         *Label45 = nullptr, *Label46 = nullptr, *Label47 = nullptr, *Label48 = nullptr,
         *Label49 = nullptr, *Label50 = nullptr, *Label51 = nullptr, *Label52 = nullptr,
         *Label53 = nullptr, *Label54 = nullptr, *Label55 = nullptr, *Label56 = nullptr,
         *Label57 = nullptr, *Label58 = nullptr, *Label59 = nullptr, *Label60 = nullptr,
         *Label61 = nullptr, *Label62 = nullptr, *Label63 = nullptr, *Label64 = nullptr,
         *Label65 = nullptr, *Label66 = nullptr;

  // "Начать", "Остановить", "Продолжить", "Выход", "Очистить экраны",
  // "About", "Сделать 1 шаг".
  QPushButton *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr,
              *Command4 = nullptr, *Command5 = nullptr, *Command6 = nullptr,
              *Command7 = nullptr;

  // "FL= 0 до 1 с ", "m= 1+1 от 1с  до Tr с", "VL= 0", "Mx задать вручную".
  ModeCheckBox *Check1 = nullptr, *Check2 = nullptr, *Check3 = nullptr, *Check4 = nullptr;

  // "Нити", "Втулки" | "Вверх", "Вниз" | "По конусу", "В плоскости" |
  // "m=2", "m=1+1".
  ModeOptionButton *Option1 = nullptr, *Option2 = nullptr, *Option3 = nullptr,
                   *Option4 = nullptr, *Option5 = nullptr, *Option6 = nullptr,
                   *Option7 = nullptr, *Option8 = nullptr;

  // "Движение", "Направление движения", "Вращение нити", "форма груза при T=0".
  QGroupBox *Frame1 = nullptr, *Frame2 = nullptr, *Frame3 = nullptr, *Frame4 = nullptr;

  // The stepping timer: precise, 1 ms while a run goes on.
  QTimer* Timer1 = nullptr;

 signals:
  // A step of the run has been made (a tick or "Сделать 1 шаг").
  void StepMade();
  // The zoom has changed (SetZoom, the menu or the keys).
  void ZoomChanged(int percent);

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // The session's commands and what the window shows of them
  // (ui/Form1Run.cpp).
  void StartRun();
  void Do(Outcome (Session::*command)());
  void ClickMode(ModeControl control);
  void Answer(const Outcome& outcome);
  void ShowMessage(const std::string& text);
  void Follow(const Snapshot& snapshot);
  void ShowBoxes(const BoxValues& boxes);
  void ShowTyped();
  void SetText(int box, const QString& text);
  // The eleven parameter boxes as "Начать" reads them; empty when one does
  // not read.
  std::optional<ParameterValues> ReadParameters();
  std::optional<Scenario> ScenarioToSave();

  void BuildMenu();
  void ShowTitle();
  void ShowFileProblem(const char* what, const QString& path, const FileProblem& problem);
  void BuildControls();
  void DescribeForScreenReaders();
  void BuildTempoMenu();
  // The zoom and the full screen (ui/Form1Zoom.cpp).
  void BuildZoomMenu();
  void StepZoom(int direction);
  int Zoomed(int twips) const;  // a layout length in pixels at the zoom
  void LayOut();
  void FitToForm();  // the window's size: the form's, or the screen's if smaller
  void ZoomLesson();  // the lesson window's fonts at the zoom
  // Both screens and the apparatus at the zoom and the display's pixel ratio.
  void ShowScreens();
  void ConnectControls();
  void SetUpKeyboard();
  TextBox* Box(int box) const;
  // Option1 ... Option8 and Check1 ... Check4, by number from 1.
  std::array<ModeOptionButton*, Modes::kOptions> OptionButtons() const;
  std::array<ModeCheckBox*, Modes::kChecks> CheckBoxes() const;

  void SyncModes();
  void ApplyTimer();
  void StartPacing();
  void StopPacing();
  void PaintFrame();
  PictureBox* ScreenUnderPointer() const;
  void CopyScreen();
  void CopyReadout();
  void Tick();

  QStyle* style_ = nullptr;  // WindowStyle(): the application owns it
  std::array<TextBox*, kBoxCount> boxes_{};
  QImage apparatus_;
  // Each screen's own pixels, and the same screen at the zoom times the
  // display's pixel ratio when that is not 1: the tee passes every drawing
  // to both.
  ImageSurface picture2Surface_;
  ImageSurface picture3Surface_;
  TeeSurface picture2Screen_{picture2Surface_};
  TeeSurface picture3Screen_{picture3Surface_};
  std::unique_ptr<ZoomedSurface> picture2Zoomed_, picture3Zoomed_;
  int zoom_ = 100;
  double screensRatio_ = 1;  // the device pixel ratio the screens were drawn for
  MessageSink* messageSink_ = nullptr;
  std::unique_ptr<Session> session_;
  char sep_ = ',';  // the locale's decimal separator, for the boxes' numbers
  QWidget* area_ = nullptr;  // holds the form's controls, below the menu bar
  QScrollArea* scroll_ = nullptr;  // shows area_, scrolled where the window is smaller
  QPointer<QWidget> lesson_;  // the lesson window, while it is open
  QAction* lessonAction_ = nullptr;
  QString folder_;  // where the file dialogs open

  // The tempo: the pacer counts the steps due by the clock.
  Pacer pacer_;
  QElapsedTimer clock_;

  int messagesOpen_ = 0;  // a message box is open: no ticks

  // Repaints during a run: the updates that the steps ask for are gathered
  // and painted by frameTimer_ at the display's rate.
  QTimer* frameTimer_ = nullptr;
  bool pacing_ = false;
  bool updateHeld_ = false;
  bool painting_ = false;
  long frames_ = 0;
};

}  // namespace vozaz2
