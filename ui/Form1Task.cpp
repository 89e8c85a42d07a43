// Form1's task (run/TaskRun.h): predict, observe, explain. The window
// "Задание" beside the form holds the question and the student's texts; the
// form keeps the hidden boxes, the locked set-up and the graphs from the
// student until the run has answered, and the session stops the run at the
// task's moment. No control of the form moves.
#include <QMenu>
#include <algorithm>

#include "io/TaskText.h"
#include "run/Messages.h"
#include "run/TaskRun.h"
#include "ui/Form1.h"
#include "ui/ModeButtons.h"
#include "ui/TaskDialog.h"
#include "ui/TaskPanel.h"
#include "ui/TextBox.h"

#include "help/ScreenFit.h"

namespace vozaz2 {

namespace {

// What a hidden box shows in place of its number.
const QString kHiddenText = QStringLiteral("?");

}  // namespace

void Form1::BuildTaskMenu() {
  RunMenu->addSeparator();
  QAction* create = RunMenu->addAction(QStringLiteral("Создать &задание…"), this, [this] { CreateTaskWithDialog(); });
  create->setObjectName(QStringLiteral("CreateTaskAction"));
  taskAction_ = RunMenu->addAction(QStringLiteral("&Окно задания"), this, [this] { ShowTask(); });
  taskAction_->setEnabled(false);
}

// After a file was opened (or a task made): its task, if any, as the
// student meets it.
void Form1::OpenTask() {
  const std::optional<Task>& opened = session_->Opened().task;
  task_ = opened ? std::make_unique<TaskRun>(*opened) : nullptr;
  taskAction_->setEnabled(task_ != nullptr);
  if (task_) {
    ShowTask();
  } else if (taskPanel_) {
    taskPanel_->close();
  }
  ApplyTask();
}

TaskPanel* Form1::ShowTask() {
  if (!task_) return nullptr;
  if (!taskPanel_) {
    taskPanel_ = new TaskPanel(this);
    taskPanel_->setAttribute(Qt::WA_DeleteOnClose);
    connect(taskPanel_, &TaskPanel::Edited, this, &Form1::TaskEdited);
    taskPanel_->setFont(font());
    PlaceTask();
  }
  taskPanel_->Show(*task_);
  taskPanel_->show();
  taskPanel_->raise();
  return taskPanel_;
}

void Form1::PlaceTask() {
  // Left of the form, where the screen has room (the lesson window stands
  // on its right); else wherever it covers the least of the form.
  const QRect room = ScreenRoom(this);
  QRect beside = frameGeometry();
  beside.setRight(std::max(beside.right(), room.right()));
  const QMargins frame = FrameMargins(taskPanel_);
  const double zoom = zoom_ / 100.0;
  const QRect placed = PlaceBeside((QSize(380, 560) * zoom).grownBy(frame), (QSize(300, 380) * zoom).grownBy(frame),
                                   beside, room);
  taskPanel_->resize(placed.size().shrunkBy(frame));
  taskPanel_->move(placed.topLeft());
}

// What the student typed goes into the task; a sealed prediction stays.
void Form1::TaskEdited() {
  if (!task_ || !taskPanel_) return;
  task_->Name(taskPanel_->Student());
  task_->Predict(taskPanel_->Prediction(sep_), taskPanel_->Reasoning());
  task_->Explain(taskPanel_->Explanation());
}

// "Начать" with a task: the prediction first.
bool Form1::TaskAllowsStart() {
  if (!task_) return true;
  TaskEdited();
  if (task_->Now() != TaskRun::Stage::kAsking || task_->Of().answers.prediction) return true;
  ShowMessage("Сначала запишите предсказание в окне «Задание»: " + AskedText(task_->Of()).toStdString() + '.');
  ShowTask()->AskForPrediction();
  return false;
}

// The run has started: the prediction is sealed.
void Form1::TaskStarted() {
  if (!task_ || !task_->Seal()) return;
  ApplyTask();
}

// Before the boxes take the step's numbers: the task reads its quantity, and
// an answer opens the boxes, the set-up and the graphs at this very step.
void Form1::FollowTask(const Snapshot& snapshot) {
  if (!task_) return;
  const TaskRun::Stage before = task_->Now();
  task_->Follow(snapshot);
  if (task_->Now() == before) return;
  ApplyTask();
  if (TaskPanel* panel = ShowTask()) panel->activateWindow();
}

// What the task's stage allows: the moment as the run's stop, the hidden
// boxes, the locked set-up, the graphs.
void Form1::ApplyTask() {
  session_->StopAt(task_ && task_->Now() == TaskRun::Stage::kSealed ? task_->Of().moment : Moment{});
  const bool locked = task_ && task_->Locks();
  for (int box : kParameterBoxes) Box(box)->setReadOnly(locked);
  SyncModes();
  for (std::size_t q = 0; q < kReadoutBoxes.size(); ++q) {
    TextBox* box = Box(kReadoutBoxes[q]);
    const bool hidden = task_ && task_->Hides(q);
    if (hidden && box->text() != kHiddenText && session_->State() != RunState::kIdle) SetText(kReadoutBoxes[q], kHiddenText);
  }
  if (taskPanel_ && task_) taskPanel_->Refresh(*task_);
  emit GraphsWithheld(task_ && task_->HidesGraphs());
}

bool Form1::Hidden(int box) const {
  if (!task_) return false;
  for (std::size_t q = 0; q < kReadoutBoxes.size(); ++q)
    if (kReadoutBoxes[q] == box) return task_->Hides(q);
  return false;
}

bool Form1::SetUpLocked() const { return task_ && task_->Locks(); }

// "Создать задание…": the set-up as it stands (the last run, or the boxes and
// controls) with the task, as if opened from a file; "Сохранить как…" then
// writes it for the students.
void Form1::CreateTaskWithDialog() {
  const std::optional<Scenario> scenario = ScenarioToSave();
  if (!scenario) return ShowMessage(kInputMessage);
  const std::optional<Task> task = AskTask(this, task_ ? &task_->Of() : nullptr);
  if (task) SetTask(*scenario, *task);
}

void Form1::SetTask(Scenario scenario, const Task& task) {
  scenario.task = task;
  scenario.task->answers = {};
  Answer(session_->Open(scenario));
  ShowTitle();
  OpenTask();
}

}  // namespace vozaz2
