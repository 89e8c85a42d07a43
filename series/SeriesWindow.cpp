#include "series/SeriesWindow.h"

#include <qcustomplot.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "graphs/Renderers.h"
#include "io/Locale.h"
#include "io/SeriesFile.h"
#include "io/SeriesReport.h"
#include "run/Session.h"
#include "run/SeriesRun.h"
#include "run/SeriesTable.h"
#include "series/SeriesPlots.h"
#include "series/SeriesSettings.h"

namespace vozaz2 {

namespace {

QPushButton* Button(const QString& caption, const char* name) {
  auto* b = new QPushButton(caption);
  b->setObjectName(QString::fromLatin1(name));
  return b;
}

// The table's dialect for a reader: tabs, the locale's decimal separator,
// the header in words.
CsvDialect Readable() { return {'\t', DecimalSeparator(), true}; }

}  // namespace

SeriesWindow::SeriesWindow(std::function<Scenario()> base, QWidget* owner)
    : QWidget(nullptr), base_(std::move(base)), folder_(QDir::homePath()) {
  setObjectName(QStringLiteral("SeriesWindow"));
  setWindowTitle(QStringLiteral("Серия опытов"));
  if (owner) setWindowIcon(owner->windowIcon());
  auto* splitter = new QSplitter;
  splitter->addWidget(BuildLeft());
  splitter->addWidget(BuildRight());
  splitter->setStretchFactor(1, 1);
  (new QVBoxLayout(this))->addWidget(splitter);
  redraw_ = new QTimer(this);
  redraw_->setInterval(250);
  connect(redraw_, &QTimer::timeout, this, [this] {
    if (dirty_) Redraw();
  });
  connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this,
          [this] { QApplication::clipboard()->setText(TableText()); });
  resize(1200, 760);
  ResetTable();
  ShowState();
}

SeriesWindow::~SeriesWindow() {
  stop_ = true;
  if (worker_.joinable()) worker_.join();
}

QWidget* SeriesWindow::BuildLeft() {
  auto* left = new QWidget;
  auto* layout = new QVBoxLayout(left);
  settings_ = new SeriesSettings;
  settings_->setObjectName(QStringLiteral("Settings"));
  layout->addWidget(settings_, 1);
  experiment_ = new QLabel;
  experiment_->setWordWrap(true);
  auto* fromMain = Button(QStringLiteral("Опыт из &главного окна"), "FromMain");
  connect(fromMain, &QPushButton::clicked, this, &SeriesWindow::UseMainExperiment);
  layout->addWidget(experiment_);
  layout->addWidget(fromMain);
  auto* files = new QHBoxLayout;
  auto* open = Button(QStringLiteral("&Открыть серию…"), "OpenSeries");
  auto* save = Button(QStringLiteral("Со&хранить серию…"), "SaveSeries");
  auto* add = Button(QStringLiteral("Файлы &опытов…"), "AddFiles");
  const QString filter = QStringLiteral("Файлы опытов (*.vozaz2)");
  connect(open, &QPushButton::clicked, this, [=, this] { AskFile(open->text(), filter, false, [this](const QString& f) { OpenSeries(f); }); });
  connect(save, &QPushButton::clicked, this, [=, this] { AskFile(save->text(), filter, true, [this](const QString& f) { SaveSeries(f); }); });
  connect(add, &QPushButton::clicked, this, [=, this] { AskFile(add->text(), filter, false, {}); });
  for (QPushButton* b : {open, save, add}) files->addWidget(b);
  layout->addLayout(files);
  auto* run = new QHBoxLayout;
  start_ = Button(QStringLiteral("&Начать серию"), "Start");
  cancel_ = Button(QStringLiteral("&Прервать"), "Cancel");
  connect(start_, &QPushButton::clicked, this, &SeriesWindow::Start);
  connect(cancel_, &QPushButton::clicked, this, &SeriesWindow::Cancel);
  run->addWidget(start_);
  run->addWidget(cancel_);
  layout->addLayout(run);
  progress_ = new QProgressBar;
  progress_->setObjectName(QStringLiteral("Progress"));
  status_ = new QLabel;
  status_->setObjectName(QStringLiteral("Status"));
  status_->setWordWrap(true);
  layout->addWidget(progress_);
  layout->addWidget(status_);
  return left;
}

QWidget* SeriesWindow::BuildRight() {
  auto* tabs = new QTabWidget;
  auto* tablePage = new QWidget;
  auto* tableLayout = new QVBoxLayout(tablePage);
  table_ = new QTableWidget;
  table_->setObjectName(QStringLiteral("Table"));
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->setVisible(false);
  table_->setWordWrap(false);
  tableLayout->addWidget(table_, 1);
  auto* buttons = new QHBoxLayout;
  auto* copy = Button(QStringLiteral("Копировать (Ctrl+C)"), "Copy");
  auto* csv = Button(QStringLiteral("Сохранить &CSV…"), "SaveCsv");
  auto* report = Button(QStringLiteral("О&тчёт (PDF)…"), "Report");
  connect(copy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(TableText()); });
  connect(csv, &QPushButton::clicked, this, [=, this] {
    AskFile(csv->text(), QStringLiteral("Таблица CSV (*.csv)"), true, [this](const QString& f) { SaveCsv(f); });
  });
  connect(report, &QPushButton::clicked, this, [=, this] {
    AskFile(report->text(), QStringLiteral("PDF (*.pdf)"), true, [this](const QString& f) { SaveReport(f); });
  });
  for (QPushButton* b : {copy, csv, report}) buttons->addWidget(b);
  buttons->addStretch(1);
  tableLayout->addLayout(buttons);
  tabs->addTab(tablePage, QStringLiteral("Таблица"));
  tabs->addTab(BuildGraph(), QStringLiteral("График"));
  auto* lawPage = new QWidget;
  auto* lawLayout = new QVBoxLayout(lawPage);
  law_ = NewPlot(lawPage);
  law_->setObjectName(QStringLiteral("Law"));
  lawText_ = new QLabel;
  lawText_->setObjectName(QStringLiteral("LawText"));
  lawText_->setWordWrap(true);
  lawText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lawLayout->addWidget(law_, 1);
  lawLayout->addWidget(lawText_);
  tabs->addTab(lawPage, QStringLiteral("Закон по сериям"));
  tabs->setObjectName(QStringLiteral("Tabs"));
  return tabs;
}

QWidget* SeriesWindow::BuildGraph() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  results_ = NewPlot(page);
  results_->setObjectName(QStringLiteral("Results"));
  auto* axes = new QHBoxLayout;
  yAxis_ = new QComboBox;
  yAxis_->setObjectName(QStringLiteral("YAxis"));
  xAxis_ = new QComboBox;
  xAxis_->setObjectName(QStringLiteral("XAxis"));
  axes->addWidget(new QLabel(QStringLiteral("По вертикали:")));
  axes->addWidget(yAxis_, 1);
  axes->addWidget(new QLabel(QStringLiteral("по горизонтали:")));
  axes->addWidget(xAxis_, 1);
  for (QComboBox* box : {yAxis_, xAxis_}) connect(box, &QComboBox::activated, this, &SeriesWindow::Redraw);
  layout->addLayout(axes);
  layout->addWidget(results_, 1);
  return page;
}

std::optional<ExperimentDocument> SeriesWindow::Document(const QString& failed) {
  const std::variant<Series, QString> read = settings_->Read();
  if (const QString* problem = std::get_if<QString>(&read)) {
    Say(failed + *problem);
    return std::nullopt;
  }
  return ExperimentDocument{file_ ? file_->scenario : base_(), std::get<Series>(read)};
}

bool SeriesWindow::Start() {
  if (Running()) return false;
  const std::optional<ExperimentDocument> d = Document(QStringLiteral("Серию не начать: "));
  if (!d) return false;
  auto plan = PlanOf(*d, folder_);
  if (const FileProblem* p = std::get_if<FileProblem>(&plan)) {
    Say(QStringLiteral("Серию не начать: ") + p->what);
    return false;
  }
  plan_ = std::get<SeriesPlan>(std::move(plan));
  rows_.clear();
  ResetTable();
  stop_ = false;
  worker_ = std::thread([this, jobs = DefaultJobs()] {
    // The rows come to the window's thread; the window waits for this thread
    // before it goes, so `this` outlives it.
    RunSeries(plan_, jobs, [this](const SeriesRow& row) {
      QMetaObject::invokeMethod(this, [this, row] { AddRow(row); }, Qt::QueuedConnection);
    }, &stop_);
    QMetaObject::invokeMethod(this, [this] { Done(); }, Qt::QueuedConnection);
  });
  redraw_->start();
  ShowState();
  return true;
}

void SeriesWindow::Cancel() { stop_ = true; }

void SeriesWindow::AddRow(const SeriesRow& row) {
  rows_.push_back(row);
  const int r = table_->rowCount();
  table_->insertRow(r);
  const QStringList cells = QString::fromStdString(SeriesLine(plan_, row, Readable())).trimmed().split('\t');
  for (int c = 0; c < cells.size(); ++c) {
    bool number = false;
    const double v = QLocale().toDouble(cells[c], &number);
    // Seven digits to read; the copy and the CSV keep every digit.
    auto* item = new QTableWidgetItem(number && c > 3 ? QLocale().toString(v, 'g', 7) : cells[c]);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table_->setItem(r, c, item);
  }
  progress_->setValue(static_cast<int>(rows_.size()));
  dirty_ = true;
  ShowState();
}

void SeriesWindow::Done() {
  if (worker_.joinable()) worker_.join();
  redraw_->stop();
  Redraw();
  ShowState();
  emit Finished();
}

void SeriesWindow::ResetTable() {
  table_->setRowCount(0);
  // Before the first series, no columns.
  const bool any = plan_.series.range || !plan_.series.files.empty();
  const QStringList header =
      any ? QString::fromStdString(SeriesHeader(plan_, Readable())).trimmed().split('\t') : QStringList();
  table_->setColumnCount(static_cast<int>(header.size()));
  table_->setHorizontalHeaderLabels(header);
  progress_->setRange(0, static_cast<int>(std::max(1LL, plan_.Count())));
  progress_->setValue(0);
  for (QComboBox* box : {yAxis_, xAxis_}) {
    box->clear();
    box->addItem(AxisName(plan_, kRunAxis), kRunAxis);
    if (plan_.series.range) box->addItem(AxisName(plan_, kParameterAxis), kParameterAxis);
    for (std::size_t c = 0; c < plan_.series.collect.size(); ++c) box->addItem(AxisName(plan_, static_cast<int>(c)), static_cast<int>(c));
  }
  yAxis_->setCurrentIndex(yAxis_->count() > 2 ? 2 : 0);
  xAxis_->setCurrentIndex(plan_.series.range ? 1 : 0);
  Redraw();
}

void SeriesWindow::Redraw() {
  dirty_ = false;
  table_->resizeColumnsToContents();
  DrawResults(results_, plan_, rows_, yAxis_->currentData().toInt(), xAxis_->currentData().toInt());
  lawText_->setText(LawText(DrawLaw(law_, rows_)));
}

QString SeriesWindow::LawLine() const { return lawText_->text(); }

QString SeriesWindow::Status() const { return status_->text(); }

void SeriesWindow::Say(const QString& text) { status_->setText(text); }

void SeriesWindow::ShowState() {
  start_->setEnabled(!Running());
  cancel_->setEnabled(Running());
  experiment_->setText(file_ ? QStringLiteral("Опыт серии: из файла серии")
                             : QStringLiteral("Опыт серии: как в главном окне (поля и режимы)"));
  const long long count = plan_.Count(), made = static_cast<long long>(rows_.size());
  if (Running())
    Say(QStringLiteral("Идёт серия: %1 из %2 опытов, %3 одновременно").arg(made).arg(count).arg(DefaultJobs()));
  else if (count > 0 && made < count)
    Say(QStringLiteral("Серия прервана: сделано %1 из %2 опытов").arg(made).arg(count));
  else if (count > 0)
    Say(QStringLiteral("Серия окончена: %1 опытов").arg(count));
}

QString SeriesWindow::TableText() const {
  std::string text = SeriesHeader(plan_, Readable());
  for (const SeriesRow& row : rows_) text += SeriesLine(plan_, row, Readable());
  return QString::fromStdString(text);
}

bool SeriesWindow::SaveCsv(const QString& path, bool spreadsheet) {
  const CsvDialect d = spreadsheet ? SpreadsheetDialect(DecimalSeparator()) : CsvDialect{};
  std::string text = SeriesHeader(plan_, d);
  for (const SeriesRow& row : rows_) text += SeriesLine(plan_, row, d);
  if (auto problem = WriteWholeFile(path, QByteArray::fromStdString(text))) {
    Say(QStringLiteral("Таблица не записана: ") + problem->what);
    return false;
  }
  return true;
}

bool SeriesWindow::SaveReport(const QString& path) {
  if (WriteSeriesReportPdf(path, {plan_, rows_, QApplication::applicationVersion()})) return true;
  Say(QStringLiteral("Отчёт не записан: ") + QDir::toNativeSeparators(path));
  return false;
}

bool SeriesWindow::OpenSeries(const QString& path) {
  auto read = ReadExperimentDocumentFile(path);
  if (const FileProblem* p = std::get_if<FileProblem>(&read)) {
    Say(QStringLiteral("Серия не открыта: ") + p->what);
    return false;
  }
  ExperimentDocument d = std::get<ExperimentDocument>(std::move(read));
  if (!d.series) {
    Say(QStringLiteral("Серия не открыта: в файле нет серии опытов"));
    return false;
  }
  folder_ = QFileInfo(path).absolutePath();
  for (std::string& f : d.series->files) f = QDir(folder_).absoluteFilePath(QString::fromStdString(f)).toStdString();
  settings_->Show(*d.series);
  file_ = std::move(d);
  ShowState();
  return true;
}

bool SeriesWindow::SaveSeries(const QString& path) {
  std::optional<ExperimentDocument> d = Document(QStringLiteral("Серия не записана: "));
  if (!d) return false;
  const QDir dir = QFileInfo(path).absoluteDir();
  for (std::string& f : d->series->files) f = dir.relativeFilePath(QString::fromStdString(f)).toStdString();
  if (auto problem = WriteWholeFile(path, ExperimentJson(*d))) {
    Say(QStringLiteral("Серия не записана: ") + problem->what);
    return false;
  }
  return true;
}

void SeriesWindow::UseMainExperiment() {
  file_.reset();
  ShowState();
}

void SeriesWindow::AskFile(const QString& title, const QString& filter, bool save,
                           const std::function<void(const QString&)>& then) {
  auto* dialog = new QFileDialog(this, QString(title).remove('&').remove(QStringLiteral("…")), folder_, filter);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog->setFileMode(save ? QFileDialog::AnyFile : then ? QFileDialog::ExistingFile : QFileDialog::ExistingFiles);
  if (save) dialog->setDefaultSuffix(filter.section(QStringLiteral("*."), 1).section(')', 0, 0));
  // Without `then`: files of experiments for a series of files.
  connect(dialog, &QFileDialog::filesSelected, this, [this, then](const QStringList& files) {
    if (files.isEmpty()) return;
    folder_ = QFileInfo(files.first()).absolutePath();
    if (then) then(files.first());
    else settings_->SetFiles(settings_->Files() + files);
  });
  dialog->open();
}

void SeriesWindow::ShowInFront() {
  show();
  raise();
  activateWindow();
}

SeriesWindow* InstallSeriesWindow(QWidget* owner, Session& session) {
  auto base = [&session] {
    Scenario s = session.ToSave(session.Typed());
    for (std::size_t i = 0; i < kParameterCount; ++i) s.parameters[i] = session.Typed()[i];
    s.steps = session.Opened().steps;
    return s;
  };
  auto* window = new SeriesWindow(base, owner);
  QObject::connect(owner, &QObject::destroyed, window, [window] { delete window; });
  return window;
}

}  // namespace vozaz2
