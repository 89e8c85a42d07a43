#include "ui/TaskDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QVBoxLayout>

#include "io/Locale.h"
#include "model/NumberText.h"
#include "run/TaskCheck.h"

namespace vozaz2 {

namespace {

constexpr int kWrongRows = 3;

// "w2 — угловая скорость, рад/с" for each readout quantity, the index as data.
void FillQuantities(QComboBox* box) {
  for (std::size_t q = 0; q < quantity::kReadoutCount; ++q) {
    const Quantity& k = kQuantities[q];
    QString text = QString::fromUtf8(k.key.data(), k.key.size()) + QStringLiteral(" — ") +
                   QString::fromUtf8(k.name.data(), k.name.size());
    if (!k.unit.empty()) text += QStringLiteral(", ") + QString::fromUtf8(k.unit.data(), k.unit.size());
    box->addItem(text, static_cast<int>(q));
  }
}

std::optional<double> Read(const QString& text) { return TextNumber(text.trimmed().toStdString(), DecimalSeparator()); }

}  // namespace

TaskDialog::TaskDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TaskDialog"));
  setWindowTitle(QStringLiteral("Создать задание"));
  BuildFields();
  auto* whenRow = new QHBoxLayout;
  whenRow->addWidget(when_);
  whenRow->addWidget(whenValue_, 1);
  auto* toleranceRow = new QHBoxLayout;
  toleranceRow->addWidget(tolerance_, 1);
  toleranceRow->addWidget(toleranceKind_);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Вопрос:"), question_);
  form->addRow(QStringLiteral("Что предсказать:"), quantity_);
  form->addRow(QStringLiteral("Когда:"), whenRow);
  form->addRow(QStringLiteral("Допуск:"), toleranceRow);
  form->addRow(QStringLiteral("Скрыть до ответа:"), hidden_);
  form->addRow(QString(), hideGraphs_);
  form->addRow(QString(), lock_);
  form->addRow(QStringLiteral("Частые ошибки:"), wrong_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &TaskDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TaskDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(problem_);
  layout->addWidget(buttons);
  problem_->hide();
}

void TaskDialog::BuildFields() {
  question_ = new QPlainTextEdit(this);
  question_->setObjectName(QStringLiteral("TaskDialogQuestion"));
  question_->setPlaceholderText(QStringLiteral("Как изменится угловая скорость, когда радиус уменьшится вдвое?"));
  question_->setTabChangesFocus(true);
  quantity_ = new QComboBox(this);
  quantity_->setObjectName(QStringLiteral("TaskDialogQuantity"));
  FillQuantities(quantity_);
  quantity_->setCurrentIndex(quantity::kW2);
  when_ = new QComboBox(this);
  when_->setObjectName(QStringLiteral("TaskDialogWhen"));
  when_->addItem(QStringLiteral("в конце опыта"), -1);
  for (std::size_t q = 0; q < quantity::kReadoutCount; ++q)
    when_->addItem(QStringLiteral("когда %1 станет").arg(QString::fromUtf8(kQuantities[q].key.data(), kQuantities[q].key.size())),
                   static_cast<int>(q));
  whenValue_ = new QLineEdit(this);
  whenValue_->setObjectName(QStringLiteral("TaskDialogWhenValue"));
  tolerance_ = new QLineEdit(LocaleNumber(5), this);
  tolerance_->setObjectName(QStringLiteral("TaskDialogTolerance"));
  toleranceKind_ = new QComboBox(this);
  toleranceKind_->setObjectName(QStringLiteral("TaskDialogToleranceKind"));
  toleranceKind_->addItems({QStringLiteral("% от наблюдаемого"), QStringLiteral("в единицах величины")});
  hidden_ = new QListWidget(this);
  hidden_->setObjectName(QStringLiteral("TaskDialogHidden"));
  for (std::size_t q = 0; q < quantity::kReadoutCount; ++q) {
    auto* item = new QListWidgetItem(QString::fromUtf8(kQuantities[q].key.data(), kQuantities[q].key.size()), hidden_);
    item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
    item->setCheckState(Qt::Unchecked);
  }
  hidden_->setFlow(QListView::LeftToRight);
  hidden_->setWrapping(true);
  hidden_->setResizeMode(QListView::Adjust);
  hideGraphs_ = new QCheckBox(QStringLiteral("Окно «Графики» закрыто до ответа"), this);
  hideGraphs_->setObjectName(QStringLiteral("TaskDialogHideGraphs"));
  lock_ = new QCheckBox(QStringLiteral("Параметры и переключатели нельзя менять до ответа"), this);
  lock_->setObjectName(QStringLiteral("TaskDialogLock"));
  wrong_ = new QTableWidget(kWrongRows, 2, this);
  wrong_->setObjectName(QStringLiteral("TaskDialogWrong"));
  wrong_->setHorizontalHeaderLabels({QStringLiteral("Значение"), QStringLiteral("Что сказать ученику")});
  wrong_->horizontalHeader()->setStretchLastSection(true);
  wrong_->verticalHeader()->hide();
  problem_ = new QLabel(this);
  problem_->setObjectName(QStringLiteral("TaskDialogProblem"));
  problem_->setWordWrap(true);
  problem_->setStyleSheet(QStringLiteral("color: #a00000"));
}

void TaskDialog::SetFrom(const Task& t) {
  question_->setPlainText(QString::fromStdString(t.question));
  quantity_->setCurrentIndex(static_cast<int>(t.quantity));
  when_->setCurrentIndex(t.moment.quantity ? static_cast<int>(*t.moment.quantity) + 1 : 0);
  whenValue_->setText(t.moment.quantity ? LocaleNumber(t.moment.value) : QString());
  tolerance_->setText(LocaleNumber(t.relative ? t.tolerance * 100 : t.tolerance));
  toleranceKind_->setCurrentIndex(t.relative ? 0 : 1);
  for (std::size_t q : t.hidden) hidden_->item(static_cast<int>(q))->setCheckState(Qt::Checked);
  hideGraphs_->setChecked(t.hideGraphs);
  lock_->setChecked(t.lockParameters);
  for (int row = 0; row < kWrongRows && row < static_cast<int>(t.wrong.size()); ++row) {
    wrong_->setItem(row, 0, new QTableWidgetItem(LocaleNumber(t.wrong[static_cast<std::size_t>(row)].value)));
    wrong_->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(t.wrong[static_cast<std::size_t>(row)].feedback)));
  }
}

std::variant<Task, QString> TaskDialog::Result() const {
  Task t;
  t.question = question_->toPlainText().trimmed().toStdString();
  if (t.question.empty()) return QStringLiteral("Напишите вопрос задания.");
  t.quantity = static_cast<std::size_t>(quantity_->currentData().toInt());
  if (const int q = when_->currentData().toInt(); q >= 0) {
    const std::optional<double> value = Read(whenValue_->text());
    if (!value) return QStringLiteral("Момент: напишите число — значение, которого должна достичь величина.");
    t.moment = {static_cast<std::size_t>(q), *value};
  }
  const std::optional<double> tolerance = Read(tolerance_->text());
  if (!tolerance || *tolerance < 0) return QStringLiteral("Допуск: нужно число не меньше нуля.");
  t.relative = toleranceKind_->currentIndex() == 0;
  t.tolerance = t.relative ? *tolerance / 100 : *tolerance;
  for (int q = 0; q < hidden_->count(); ++q)
    if (hidden_->item(q)->checkState() == Qt::Checked) t.hidden.push_back(static_cast<std::size_t>(q));
  t.hideGraphs = hideGraphs_->isChecked();
  t.lockParameters = lock_->isChecked();
  for (int row = 0; row < kWrongRows; ++row) {
    const QString value = wrong_->item(row, 0) ? wrong_->item(row, 0)->text() : QString();
    if (value.trimmed().isEmpty()) continue;
    const std::optional<double> v = Read(value);
    if (!v) return QStringLiteral("Частые ошибки, строка %1: значение должно быть числом.").arg(row + 1);
    t.wrong.push_back({*v, wrong_->item(row, 1) ? wrong_->item(row, 1)->text().toStdString() : std::string()});
  }
  return t;
}

void TaskDialog::accept() {
  const std::variant<Task, QString> result = Result();
  if (const QString* problem = std::get_if<QString>(&result)) {
    problem_->setText(*problem);
    problem_->show();
    return;
  }
  QDialog::accept();
}

std::optional<Task> AskTask(QWidget* parent, const Task* start) {
  TaskDialog dialog(parent);
  dialog.setFont(parent->font());
  if (start) dialog.SetFrom(*start);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return std::get<Task>(dialog.Result());
}

}  // namespace vozaz2
