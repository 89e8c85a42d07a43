// Form1's menu bar, its experiment files and lessons, and the record of its
// runs: the commands that the record follows are routed through here.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "help/Form2.h"
#include "io/ExperimentFile.h"
#include "io/RunCsv.h"
#include "run/TaskRun.h"
#include "run/Messages.h"
#include "ui/Form1.h"
#include "ui/ReportCommands.h"
#include "ui/SaveDialogs.h"
#include "io/ScenarioChanges.h"

namespace vozaz2 {

namespace {

const QString kFileFilter = QStringLiteral("Опыты Vozaz2 (*.vozaz2)");
const QString kSuffix = QString::fromLatin1(kExperimentSuffix);
// Asked for the table of a run before any run was made.
const std::string kNoRunToExport = "Сначала проведите опыт: кнопка \"Начать\"";

// Where the lessons are: installed beside the program (bin/../share), or,
// when it runs from its build folder, in the source tree.
QStringList LessonFolders() {
  QStringList folders = {QCoreApplication::applicationDirPath() + QStringLiteral("/../share/vozaz2/examples")};
#ifdef VOZAZ2_SOURCE_EXAMPLES
  folders << QStringLiteral(VOZAZ2_SOURCE_EXAMPLES);
#endif
  return folders;
}

}  // namespace

// --- Menu bar ---------------------------------------------------------------

void Form1::BuildMenu() {
  MenuBar = new QMenuBar(this);
  MenuBar->setObjectName(QStringLiteral("MenuBar"));
  MenuBar->setFont(QApplication::font(MenuBar));  // the menus' own font, as their popups
  BuildFileMenu();
  BuildRunMenu();
  ViewMenu = MenuBar->addMenu(QStringLiteral("&Вид"));
  ViewMenu->setObjectName(QStringLiteral("ViewMenu"));
  ViewMenu->menuAction()->setVisible(false);
  BuildHelpMenu();

  // The form below the menu bar, at its own size, and the run's state under
  // it. The window may still be made smaller or larger by hand, as before;
  // the form stays top left, and a window smaller than the form (a zoomed
  // form on a small screen) scrolls.
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setSizeConstraint(QLayout::SetNoConstraint);
  layout->setMenuBar(MenuBar);
  scroll_ = new QScrollArea(this);
  scroll_->setObjectName(QStringLiteral("Form1Scroll"));
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setFocusPolicy(Qt::NoFocus);
  scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  scroll_->setWidget(area_);
  layout->addWidget(scroll_);
  state_ = new QLabel(this);
  state_->setObjectName(QStringLiteral("RunState"));
  state_->setAccessibleName(QStringLiteral("Состояние опыта"));
  state_->setContentsMargins(4, 1, 4, 1);
  state_->setFont(QApplication::font(MenuBar));
  layout->addWidget(state_);
  ShowRunState();
  FitToForm();
}

void Form1::BuildFileMenu() {
  FileMenu = MenuBar->addMenu(QStringLiteral("&Файл"));
  FileMenu->setObjectName(QStringLiteral("FileMenu"));
  QAction* open = FileMenu->addAction(QStringLiteral("&Открыть…"), this, &Form1::OpenWithDialog);
  open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  LessonsMenu = FileMenu->addMenu(QStringLiteral("&Уроки"));
  LessonsMenu->setObjectName(QStringLiteral("LessonsMenu"));
  for (const auto& [title, path] : Lessons()) {
    QString text = title;
    LessonsMenu->addAction(text.replace(u'&', QStringLiteral("&&")), this,
                           [this, file = path] { OpenExperiment(file); });
  }
  LessonsMenu->setEnabled(!LessonsMenu->isEmpty());
  FileMenu->addSeparator();
  QAction* save = FileMenu->addAction(QStringLiteral("&Сохранить как…"), this, &Form1::SaveWithDialog);
  save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  FileMenu->addAction(QStringLiteral("Сохранить &данные (CSV)…"), this, &Form1::ExportCsvWithDialog);
  FileMenu->addSeparator();
  // The lab report of the run on the screens: into a PDF file, or printed.
  FileMenu->addAction(QStringLiteral("О&тчёт (PDF)…"), this,
                      [this] { SaveReportPdf(this, *session_, CurrentTask() ? &CurrentTask()->Of() : nullptr); });
  QAction* print = FileMenu->addAction(QStringLiteral("&Печать…"), this,
                                       [this] { PrintReport(this, *session_, CurrentTask() ? &CurrentTask()->Of() : nullptr); });
  print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  FileMenu->addSeparator();
  FileMenu->addAction(QStringLiteral("В&ыход"), this, [this] { close(); });
}

void Form1::BuildHelpMenu() {
  HelpMenu = MenuBar->addMenu(QStringLiteral("&Справка"));
  HelpMenu->setObjectName(QStringLiteral("HelpMenu"));
  lessonAction_ = HelpMenu->addAction(QStringLiteral("&Описание урока"), this, [this] { ShowLesson(); });
  lessonAction_->setEnabled(false);
  HelpMenu->addAction(QStringLiteral("О &программе"), this, [this] { ShowHelpWindow(zoom_); });
}

void Form1::AddViewAction(QAction* action) {
  ViewMenu->addAction(action);
  ViewMenu->menuAction()->setVisible(true);
}

// --- Files ------------------------------------------------------------------

bool Form1::OpenExperiment(const QString& path) {
  std::variant<Scenario, FileProblem> read = ReadExperimentFile(path);
  if (const FileProblem* problem = std::get_if<FileProblem>(&read)) {
    ShowFileProblem("Не удалось открыть опыт из файла", path, *problem);
    return false;
  }
  // A run in progress ends: the session starts afresh from the file.
  Answer(session_->Open(std::get<Scenario>(read)));
  ShowTitle();
  OpenTask();
  folder_ = QFileInfo(path).absolutePath();
  if (!session_->Opened().description.empty())
    ShowLesson();
  else if (lesson_)
    lesson_->close();
  return true;
}

// The last run as it was made; before any run, the boxes and controls as
// they stand (nothing when a parameter box would not pass "Начать"). Where
// it differs from the lesson opened, the lesson's title and description say
// so.
std::optional<Scenario> Form1::ScenarioToSave() {
  std::optional<ParameterValues> typed = session_->Typed();
  if (session_->State() == RunState::kIdle && !(typed = ReadParameters())) return std::nullopt;
  Scenario s = MarkChanges(session_->ToSave(*typed), session_->Opened());
  // A task goes with the student's answers, so that the whole is handed in.
  if (task_) {
    TaskEdited();
    s.task = task_->Of();
  }
  return s;
}

bool Form1::SaveExperiment(const QString& path) {
  const std::optional<Scenario> scenario = ScenarioToSave();
  if (!scenario) {
    ShowMessage(kInputMessage);
    return false;
  }
  if (const std::optional<FileProblem> problem = WriteExperimentFile(path, *scenario)) {
    ShowFileProblem("Не удалось сохранить опыт в файл", path, *problem);
    return false;
  }
  folder_ = QFileInfo(path).absolutePath();
  return true;
}

void Form1::OpenWithDialog() {
  const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Открыть опыт"), folder_, kFileFilter);
  if (!path.isEmpty()) OpenExperiment(path);
}

void Form1::SaveWithDialog() {
  // The run as it stands when the command is given: a run in progress goes
  // on while the dialog is open.
  const std::optional<Scenario> scenario = ScenarioToSave();
  if (!scenario) {
    ShowMessage(kInputMessage);
    return;
  }
  Scenario named = *scenario;
  if (!AskTitleAndDescription(this, named)) return;
  const QString path = QFileDialog::getSaveFileName(
      this, QStringLiteral("Сохранить опыт"),
      ProposedPath(folder_, LessonFolders(), QString::fromStdString(named.title), kSuffix), kFileFilter);
  if (path.isEmpty()) return;
  if (const std::optional<FileProblem> problem = WriteExperimentFile(path, named))
    ShowFileProblem("Не удалось сохранить опыт в файл", path, *problem);
  else
    folder_ = QFileInfo(path).absolutePath();
}

// The table of the last run, every step, in the columns and numbers of
// vozaz2-batch --csv: the run is made again headless from its record, not
// kept row by row, so a long run costs no memory. A progress dialog shows
// while it writes; cancelled, it leaves no file.
bool Form1::ExportCsv(const QString& path, bool spreadsheet) {
  const std::optional<Scenario> scenario = ScenarioToSave();
  if (!scenario || !scenario->steps || *scenario->steps == 0) {
    ShowMessage(kNoRunToExport);
    return false;
  }
  QProgressDialog progress(QStringLiteral("Запись данных опыта…"), QStringLiteral("Отмена"), 0,
                           static_cast<int>(*scenario->steps), this);
  progress.setWindowTitle(QStringLiteral("Vozaz2"));
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(500);
  const CsvExportResult result = ExportRunCsv(*scenario, path, spreadsheet ? SpreadsheetDialect(sep_) : CsvDialect{}, [&](long long done, long long) {
    progress.setValue(static_cast<int>(done));
    QCoreApplication::processEvents();
    return !progress.wasCanceled();
  });
  if (result.problem) ShowFileProblem("Не удалось сохранить данные в файл", path, *result.problem);
  if (result.written) folder_ = QFileInfo(path).absolutePath();
  return result.written;
}

void Form1::ExportCsvWithDialog() {
  const std::optional<Scenario> scenario = ScenarioToSave();
  const QString title = scenario ? QString::fromStdString(scenario->title) : QString();
  if (const std::optional<CsvChoice> choice = AskCsvFile(this, ProposedPath(folder_, LessonFolders(), title, "csv")))
    ExportCsv(choice->path, choice->spreadsheet);
}

void Form1::ShowFileProblem(const char* what, const QString& path, const FileProblem& problem) {
  ShowMessage(QStringLiteral("%1\n%2:\n%3")
           .arg(QString::fromUtf8(what), QDir::toNativeSeparators(path), problem.what)
           .toStdString());
}

QList<std::pair<QString, QString>> Form1::Lessons() {
  QList<std::pair<QString, QString>> lessons;
  for (const QString& folder : LessonFolders()) {
    const QDir dir(folder);
    for (const QFileInfo& file : dir.entryInfoList({QStringLiteral("*.") + kSuffix}, QDir::Files, QDir::Name)) {
      const std::variant<Scenario, FileProblem> read = ReadExperimentFile(file.filePath());
      if (const Scenario* s = std::get_if<Scenario>(&read))
        lessons.append({s->title.empty() ? file.completeBaseName() : QString::fromStdString(s->title),
                        file.canonicalFilePath()});
    }
    if (!lessons.isEmpty()) break;  // the installed lessons, else the source tree's
  }
  return lessons;
}

// --- Title and lesson -------------------------------------------------------

void Form1::ShowTitle() {
  // The program, the experiment opened, and a tempo other than the fastest.
  const QString title = QString::fromStdString(session_->Opened().title);
  QString shown = QStringLiteral("Vozaz2");
  if (!title.isEmpty()) shown += QStringLiteral(" — ") + title;
  if (CurrentTempo() != Tempo::Fastest) shown += QStringLiteral(" — ") + TempoName(CurrentTempo());
  setWindowTitle(shown);
  lessonAction_->setEnabled(!session_->Opened().description.empty());
}

// The lesson window: the opened experiment's title and what the students are
// to watch. It stands beside the main window, does not block it, and closes
// with it.
QWidget* Form1::ShowLesson() {
  if (!lesson_) {
    lesson_ = new QWidget(this, Qt::Window);
    lesson_->setObjectName(QStringLiteral("Lesson"));
    lesson_->setAttribute(Qt::WA_DeleteOnClose);
    lesson_->setWindowTitle(QStringLiteral("Урок"));
    auto* title = new QLabel(lesson_);
    title->setObjectName(QStringLiteral("LessonTitle"));
    title->setTextFormat(Qt::PlainText);
    title->setWordWrap(true);
    auto* text = new QPlainTextEdit(lesson_);
    text->setObjectName(QStringLiteral("LessonText"));
    text->setReadOnly(true);
    auto* close = new QPushButton(QStringLiteral("Закрыть"), lesson_);
    connect(close, &QPushButton::clicked, lesson_, &QWidget::close);
    auto* layout = new QVBoxLayout(lesson_);
    layout->addWidget(title);
    layout->addWidget(text, 1);
    layout->addWidget(close, 0, Qt::AlignRight);
    ZoomLesson();  // its fonts
    PlaceLesson();  // beside the form where the screen has room
  }
  const Scenario& opened = session_->Opened();
  lesson_->findChild<QLabel*>(QStringLiteral("LessonTitle"))->setText(QString::fromStdString(opened.title));
  lesson_->findChild<QPlainTextEdit*>(QStringLiteral("LessonText"))
      ->setPlainText(QString::fromStdString(opened.description));
  lesson_->show();
  lesson_->raise();
  lesson_->activateWindow();
  return lesson_;
}

}  // namespace vozaz2
