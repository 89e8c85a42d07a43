#include "series/SeriesSettings.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "io/Locale.h"
#include "model/NumberText.h"
#include "run/Quantities.h"

namespace vozaz2 {

namespace {

using Kind = SeriesColumn::Kind;

// The rows of the collect table above the quantities.
constexpr Kind kWholeRows[] = {Kind::kMomentumDrift, Kind::kBalanceDrift, Kind::kDivergence};
constexpr int kFirstQuantityRow = 3;

SeriesColumn ColumnAt(int row, int column) {
  if (row < kFirstQuantityRow) return {kWholeRows[row], 0};
  const Kind kinds[] = {Kind::kEnd, Kind::kLeast, Kind::kGreatest};
  return {kinds[column], static_cast<std::size_t>(row - kFirstQuantityRow)};
}

QString Utf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

template <class W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

}  // namespace

SeriesSettings::SeriesSettings(QWidget* parent) : QWidget(parent), sep_(DecimalSeparator()) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(BuildWhat());
  layout->addWidget(BuildEnd());
  BuildCollect();
  auto* collect = new QGroupBox(QStringLiteral("Что собрать в таблицу"));
  (new QVBoxLayout(collect))->addWidget(collect_);
  layout->addWidget(collect, 1);
  Show(Series{SeriesRange{*ParameterIndex("VL"), 0.02, 0.4, 20, false}, {}, std::nullopt, 12, DefaultColumns()});
}

QWidget* SeriesSettings::BuildWhat() {
  auto* box = new QGroupBox(QStringLiteral("Что меняется от опыта к опыту"));
  auto* form = new QFormLayout(box);
  byRange_ = Named(new QRadioButton(QStringLiteral("&Параметр")), "ByRange");
  parameter_ = Named(new QComboBox, "Parameter");
  for (std::size_t p = 0; p < kParameterCount; ++p)
    parameter_->addItem(Utf8(kParameterNames[p]) + QStringLiteral(", ") + Utf8(ParameterUnit(p)));
  form->addRow(byRange_, parameter_);
  from_ = Named(new QLineEdit, "From");
  to_ = Named(new QLineEdit, "To");
  form->addRow(QStringLiteral("от"), from_);
  form->addRow(QStringLiteral("до"), to_);
  count_ = Named(new QSpinBox, "Count");
  count_->setRange(1, static_cast<int>(kMaxSeriesRuns));
  form->addRow(QStringLiteral("опытов"), count_);
  scale_ = Named(new QComboBox, "Scale");
  scale_->addItems({QStringLiteral("через равные промежутки"), QStringLiteral("через равные промежутки логарифма")});
  form->addRow(QStringLiteral("шаг"), scale_);
  byFiles_ = Named(new QRadioButton(QStringLiteral("&Файлы опытов, по опыту на файл")), "ByFiles");
  files_ = Named(new QListWidget, "Files");
  files_->setMaximumHeight(70);
  auto* group = new QButtonGroup(this);
  group->addButton(byRange_);
  group->addButton(byFiles_);
  form->addRow(byFiles_);
  form->addRow(files_);
  return box;
}

QWidget* SeriesSettings::BuildEnd() {
  auto* box = new QGroupBox(QStringLiteral("Сколько идёт каждый опыт"));
  auto* form = new QFormLayout(box);
  bySteps_ = Named(new QRadioButton(QStringLiteral("&шагов")), "BySteps");
  steps_ = Named(new QSpinBox, "Steps");
  steps_->setRange(0, static_cast<int>(kMaxSteps));
  byTime_ = Named(new QRadioButton(QStringLiteral("до &T, с")), "ByTime");
  time_ = Named(new QLineEdit, "Time");
  asOwn_ = Named(new QRadioButton(QStringLiteral("как сказано в опыте")), "AsOwn");
  form->addRow(bySteps_, steps_);
  form->addRow(byTime_, time_);
  form->addRow(asOwn_);
  return box;
}

void SeriesSettings::BuildCollect() {
  collect_ = Named(new QTableWidget(kFirstQuantityRow + static_cast<int>(quantity::kQuantityCount), 3), "Collect");
  collect_->setHorizontalHeaderLabels({QStringLiteral("в конце"), QStringLiteral("наим."), QStringLiteral("наиб.")});
  // Each row by its key, with its name in the tip.
  for (int r = 0; r < collect_->rowCount(); ++r) {
    const std::size_t q = static_cast<std::size_t>(std::max(0, r - kFirstQuantityRow));
    auto* head = new QTableWidgetItem(r < kFirstQuantityRow ? QString::fromStdString(ColumnName({kWholeRows[r], 0}))
                                                            : Utf8(kQuantities[q].key));
    if (r >= kFirstQuantityRow) head->setToolTip(Utf8(kQuantities[q].name));
    collect_->setVerticalHeaderItem(r, head);
    for (int c = 0; c < 3; ++c) {
      auto* item = new QTableWidgetItem;
      item->setFlags(r < kFirstQuantityRow && c > 0 ? Qt::NoItemFlags : Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
      if (item->flags() & Qt::ItemIsUserCheckable) item->setCheckState(Qt::Unchecked);
      collect_->setItem(r, c, item);
    }
  }
  collect_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  collect_->verticalHeader()->setDefaultSectionSize(collect_->fontMetrics().height() + 6);
  collect_->setMinimumHeight(200);
  connect(collect_, &QTableWidget::itemChanged, this, &SeriesSettings::Collected);
}

void SeriesSettings::Collected(QTableWidgetItem* item) {
  if (showing_ || !(item->flags() & Qt::ItemIsUserCheckable)) return;
  const SeriesColumn c = ColumnAt(item->row(), item->column());
  std::erase(order_, c);
  if (item->checkState() == Qt::Checked) order_.push_back(c);
}

std::pair<int, int> SeriesSettings::CellOf(const SeriesColumn& c) const {
  for (int r = 0; r < kFirstQuantityRow; ++r)
    if (kWholeRows[r] == c.kind) return {r, 0};
  return {kFirstQuantityRow + static_cast<int>(c.quantity), c.kind == Kind::kEnd ? 0 : c.kind == Kind::kLeast ? 1 : 2};
}

std::optional<double> SeriesSettings::Number(const QLineEdit* box) const {
  return TextNumber(box->text().toStdString(), sep_);
}

std::variant<Series, QString> SeriesSettings::Read() const {
  Series s;
  if (byRange_->isChecked()) {
    const std::optional<double> from = Number(from_), to = Number(to_);
    if (!from || !to) return QStringLiteral("Начало и конец диапазона — числа");
    s.range = SeriesRange{static_cast<std::size_t>(parameter_->currentIndex()), *from, *to, count_->value(),
                          scale_->currentIndex() == 1};
  } else {
    for (const QString& f : Files()) s.files.push_back(f.toStdString());
  }
  if (bySteps_->isChecked()) s.steps = steps_->value();
  if (byTime_->isChecked()) {
    s.time = Number(time_);
    if (!s.time) return QStringLiteral("Время опыта — число секунд");
  }
  s.collect = order_;
  if (auto problem = SeriesProblem(s)) return QString::fromStdString(*problem);
  return s;
}

void SeriesSettings::Show(const Series& s) {
  if (s.range) {
    parameter_->setCurrentIndex(static_cast<int>(s.range->parameter));
    from_->setText(QString::fromStdString(ExactNumberText(s.range->from, sep_)));
    to_->setText(QString::fromStdString(ExactNumberText(s.range->to, sep_)));
    count_->setValue(static_cast<int>(s.range->count));
    scale_->setCurrentIndex(s.range->logarithmic ? 1 : 0);
  }
  QStringList files;
  for (const std::string& f : s.files) files << QString::fromStdString(f);
  files_->clear();
  files_->addItems(files);
  (s.range ? byRange_ : byFiles_)->setChecked(true);
  if (s.steps) steps_->setValue(static_cast<int>(*s.steps));
  if (s.time) time_->setText(QString::fromStdString(ExactNumberText(*s.time, sep_)));
  (s.steps ? bySteps_ : s.time ? byTime_ : asOwn_)->setChecked(true);
  showing_ = true;
  for (int r = 0; r < collect_->rowCount(); ++r)
    for (int c = 0; c < 3; ++c)
      if (collect_->item(r, c)->flags() & Qt::ItemIsUserCheckable) collect_->item(r, c)->setCheckState(Qt::Unchecked);
  for (const SeriesColumn& c : s.collect) collect_->item(CellOf(c).first, CellOf(c).second)->setCheckState(Qt::Checked);
  order_ = s.collect;
  showing_ = false;
}

void SeriesSettings::SetFiles(const QStringList& paths) {
  files_->clear();
  files_->addItems(paths);
  byFiles_->setChecked(true);
}

QStringList SeriesSettings::Files() const {
  QStringList files;
  for (int i = 0; i < files_->count(); ++i) files << files_->item(i)->text();
  return files;
}

}  // namespace vozaz2
