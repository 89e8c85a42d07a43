// Form1, the main window: the picture of the apparatus, the parameter and
// result boxes, the mode switches, the buttons and the two screens, bound to
// one session (run/Session.h) that owns the run and does all the physics.
//
// Every control carries its name (Text3, Check1, ...) as its objectName, and
// so do the menus, the full screen command and Timer1; what each control is,
// and where it stands, is listed in ui/Form1Layout.h. Others (tests, the
// benchmarks) find them by that name.
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
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QResizeEvent;
class QScrollArea;
class QStyle;
class QTimer;

namespace vozaz2 {

struct FileProblem;
class ModeCheckBox;
class ModeOptionButton;
class PictureBox;
class TaskPanel;
class TaskRun;
struct Task;
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
  // "По размеру окна": the form at the largest zoom, to the per cent, at which
  // it fits the window, menu bar and all; it follows the window's size until
  // another zoom is chosen. Full screen (F11) fits the form so.
  void FitZoomToWindow();
  bool ZoomFitsWindow() const { return fit_; }

  // Whether repaints are being gathered to the display's rate (while Timer1
  // ticks).
  bool PacingRepaints() const { return pacing_; }
  // The repaint frames so far: screen readers hear of a box's change at most once in each.
  long Frames() const { return frames_; }

  // The tempo of the runs; the default is as fast as possible.
  void SetTempo(Tempo tempo);
  Tempo CurrentTempo() const { return pacer_.CurrentTempo(); }
  // How the window's title names a tempo: "как можно быстрее",
  // "реальное время", "замедленно".
  static QString TempoName(Tempo tempo);
  // Another window drew for `ns` nanoseconds and held the timer up meanwhile:
  // as fast as possible, the ticks it cost are made up.
  void TookDrawing(qint64 ns);

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
  // "Сохранить данные (CSV)…" without its file dialog: the last run's table,
  // for a spreadsheet (the locale's notation) or as the runner's --csv.
  bool ExportCsv(const QString& path, bool spreadsheet = false);
  // "Открыть…" and "Сохранить как…": the same, with a file dialog.
  void OpenWithDialog();
  void SaveWithDialog();
  void ExportCsvWithDialog();
  // The lessons shipped with the program, in the order of their numbered
  // files: each title with its file.
  static QList<std::pair<QString, QString>> Lessons();
  // Shows the opened experiment's title and description in the lesson
  // window ("Справка" > "Описание урока"); one lesson window at a time.
  QWidget* ShowLesson();
  // Adds a command to the "Вид" menu (hidden while it is empty).
  void AddViewAction(QAction* action);
  // Adds a command to the end of the "Опыт" menu, after a separator.
  void AddRunAction(QAction* action);

  // --- The run's end and state (ui/Form1Experiment.cpp) ---------------------
  // Where the runs end ("Опыт" > "Конец опыта"); an opened lesson sets its own.
  void SetRunLimit(const RunLimit& limit);
  // The line under the form: "Опыт идёт: T = 3,2 с; конец при T = 12 с",
  // "Опыт окончен: T = 10,5 с, 2100 шагов (F6 — продолжить дальше)", ...
  QString RunStateText() const;

  // --- The task (ui/Form1Task.cpp) ------------------------------------------
  // The opened experiment's task as the student works it; null without one.
  const TaskRun* CurrentTask() const { return task_.get(); }
  // The window "Задание" ("Опыт" > "Окно задания"); null without a task.
  TaskPanel* ShowTask();
  // The set-up of `scenario` with the task, as if opened from a file (what
  // "Создать задание…" does after its dialog).
  void SetTask(Scenario scenario, const Task& task);

 signals:
  // The task keeps the graphs from the student until the run has answered.
  void GraphsWithheld(bool withheld);
  // A step of the run has been made (a tick or "Сделать 1 шаг").
  void StepMade();
  // The zoom has changed (SetZoom, the menu or the keys).
  void ZoomChanged(int percent);

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

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
  std::optional<ParameterValues> ReadParameters(std::size_t* bad = nullptr);
  void FocusParameter(std::size_t index);
  std::optional<Scenario> ScenarioToSave();

  void BuildMenu();
  void BuildFileMenu();
  void BuildHelpMenu();
  void BuildRunMenu();
  void BuildTaskMenu();
  void OpenTask();
  void TaskEdited();
  bool TaskAllowsStart();
  void TaskStarted();
  void FollowTask(const Snapshot& snapshot);
  void ApplyTask();
  bool Hidden(int box) const;  // a box the task hides now
  bool SetUpLocked() const;    // the task locks the parameters and controls now
  void CreateTaskWithDialog();
  void PlaceTask();  // the task window left of the form, where the screen has room
  void ChooseEnd(RunLimit::Kind kind);
  void ShowLimit();
  QString EndText() const;
  void ShowRunState();
  void ShowTitle();
  void ShowFileProblem(const char* what, const QString& path, const FileProblem& problem);
  void BuildControls();
  void DescribeForScreenReaders();
  void BuildTempoMenu();
  // The zoom and the full screen (ui/Form1Zoom.cpp).
  void BuildZoomMenu();
  void StepZoom(int direction);
  void ApplyZoom(int percent);
  int FittingZoom() const;  // the largest zoom at which the form fits the window
  void SetFullScreen(bool on);
  int Zoomed(int twips) const;  // a layout length in pixels at the zoom
  void LayOut();
  void FitToForm();  // the window's size: the form's, or the screen's if smaller
  void ZoomLesson();  // the lesson window's fonts at the zoom
  // The lesson window's size at the zoom, and its place: beside the window,
  // right, else left, else below, where the screen has room for it.
  void PlaceLesson();
  // Both screens and the apparatus at the zoom and the display's pixel ratio.
  void ShowScreens();
  void ConnectControls();
  void SetUpKeyboard();
  TextBox* Box(int box) const;
  // The controls that the window's own code works, by number from 1:
  // Picture(2) is Picture2, Command(1) Command1; the rest it finds by name.
  PictureBox* Picture(int n) const { return pictures_.at(static_cast<std::size_t>(n - 1)); }
  QPushButton* Command(int n) const { return commands_.at(static_cast<std::size_t>(n - 1)); }
  ModeOptionButton* Option(int n) const { return options_.at(static_cast<std::size_t>(n - 1)); }
  ModeCheckBox* Check(int n) const { return checks_.at(static_cast<std::size_t>(n - 1)); }

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
  std::array<TextBox*, kBoxCount> boxes_{};  // Text1 ... Text43
  std::array<PictureBox*, 3> pictures_{};
  std::array<QPushButton*, 7> commands_{};
  std::array<ModeOptionButton*, Modes::kOptions> options_{};
  std::array<ModeCheckBox*, Modes::kChecks> checks_{};

  // The menu bar: "Файл" (with "Уроки"), "Вид", "Справка".
  QMenuBar* MenuBar = nullptr;
  QMenu *FileMenu = nullptr, *LessonsMenu = nullptr, *ViewMenu = nullptr, *HelpMenu = nullptr;
  // "Опыт": the commands of a run, and "Конец опыта".
  QMenu *RunMenu = nullptr, *EndMenu = nullptr;
  QLabel* state_ = nullptr;  // the run's state, under the form
  // "Вид" > "Масштаб": the zooms and "По размеру окна", one of them checked,
  // then "Крупнее" (Ctrl+=), "Мельче" (Ctrl+−) and "Обычный размер" (Ctrl+0).
  QMenu* ZoomMenu = nullptr;
  // "Вид" > "Во весь экран" (F11).
  QAction* FullScreenAction = nullptr;
  QAction* fitAction_ = nullptr;  // "По размеру окна"
  // "Вид" > "Темп": "Как можно быстрее", "Реальное время", "Замедленно, в 5
  // раз", one of them checked (keys Ctrl+1, Ctrl+2, Ctrl+3).
  QMenu* TempoMenu = nullptr;
  // The stepping timer: precise, 1 ms while a run goes on.
  QTimer* Timer1 = nullptr;

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
  bool fit_ = false;  // the zoom follows the window's size
  bool refitPending_ = false;
  struct {
    int zoom = 100;
    bool fit = false;
  } beforeFullScreen_;  // the zoom to come back to from full screen
  double screensRatio_ = 1;  // the device pixel ratio the screens were drawn for
  MessageSink* messageSink_ = nullptr;
  std::unique_ptr<Session> session_;
  char sep_ = ',';  // the locale's decimal separator, for the boxes' numbers
  QWidget* area_ = nullptr;  // holds the form's controls, below the menu bar
  QScrollArea* scroll_ = nullptr;  // shows area_, scrolled where the window is smaller
  QPointer<QWidget> lesson_;  // the lesson window, while it is open
  QAction* lessonAction_ = nullptr;
  std::unique_ptr<TaskRun> task_;  // the opened experiment's task, if any
  QPointer<TaskPanel> taskPanel_;  // the window "Задание", while it is open
  QAction* taskAction_ = nullptr;  // "Окно задания" 
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
