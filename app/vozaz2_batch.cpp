// vozaz2-batch: the conical-pendulum experiment without a window, for lab
// reports and for the project's own tests. It drives the same session as the
// window: the command line describes a scenario (the parameters typed, the
// mode controls clicked before "Начать" and during the run, the number of
// steps), which is replayed as a user would perform it.
#include <QCoreApplication>
#include <QGuiApplication>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <memory>
#include <variant>

#include "app/BatchOptions.h"
#include "app/BatchSeries.h"
#include "io/AnswerSheet.h"
#include "io/ExperimentFile.h"
#include "io/Locale.h"
#include "io/RunOutputs.h"
#include "model/NumberText.h"
#include "run/Messages.h"
#include "run/Replay.h"
#include "run/Screens.h"
#include "ui/ImageSurface.h"

using namespace vozaz2;
using namespace vozaz2::batch;

namespace {

int Say(int status, const QString& what) {
  std::fprintf(stderr, "vozaz2-batch: %s\n", qPrintable(what));
  return status;
}

int WriteFailed(const QString& path, const FileProblem& p) {
  return Say(kWriteFailed, (path == "-" ? QStringLiteral("стандартный вывод") : path) + ": " + p.what);
}

// A message of the window's as one line each on the error stream.
std::string Unwrapped(std::string text) {
  for (std::size_t i; (i = text.find('\r')) != std::string::npos;) text.erase(i, 1);
  return text;
}

// The experiment a --setup file describes, with the command line's options
// acting after it: a parameter replaces the file's, mode clicks follow the
// file's, clicks during the run join the file's (the file's first at the same
// step), a step count replaces the file's.
Scenario Merge(Scenario file, const Scenario& options) {
  for (std::size_t i = 0; i < kParameterCount; ++i)
    if (options.parameters[i]) file.parameters[i] = options.parameters[i];
  file.before.insert(file.before.end(), options.before.begin(), options.before.end());
  AddEvents(file, options.events);
  if (options.steps) file.steps = options.steps;
  return file;
}

// The experiment that the command, with its file if it names one, describes.
std::variant<Scenario, Problem> ScenarioOf(const Command& c) {
  Scenario scenario = c.scenario;
  if (const std::optional<QString>& file = c.setup ? c.setup : c.series) {
    auto read = ReadExperimentFile(*file);
    if (const FileProblem* p = std::get_if<FileProblem>(&read)) return Problem{kBadParameter, *file + ": " + p->what};
    scenario = Merge(std::get<Scenario>(std::move(read)), scenario);
  }
  if (const auto problem = ScenarioProblem(scenario)) return Problem{kUsageError, QString::fromStdString(*problem)};
  return scenario;
}

// The outputs the command asks for, in the order they are written.
std::vector<std::unique_ptr<RunOutput>> Outputs(const Command& c, const ImageSurface& oscillogram,
                                                const ImageSurface& path) {
  std::vector<std::unique_ptr<RunOutput>> outputs;
  if (c.csv) outputs.push_back(std::make_unique<CsvRunOutput>(*c.csv, CsvDialect{}, c.accuracy));
  if (c.table)
    outputs.push_back(std::make_unique<CsvRunOutput>(*c.table, SpreadsheetDialect(DecimalSeparator()), c.accuracy));
  if (c.png) {
    outputs.push_back(std::make_unique<PngRunOutput>(*c.png + "-oscillogram.png", oscillogram.Image()));
    outputs.push_back(std::make_unique<PngRunOutput>(*c.png + "-path.png", path.Image()));
  }
  if (c.report) outputs.push_back(std::make_unique<ReportRunOutput>(*c.report));
  if (c.svg)
    for (Figure f : kFigures) outputs.push_back(std::make_unique<SvgRunOutput>(*c.svg + FigureFileSuffix(f), f));
  return outputs;
}

// A start refused: the input message, with the rule the parameter breaks.
int Refused(const Outcome& start, const Session& session) {
  QString what = QString::fromStdString(start.message);
  if (const auto& rule = start.badParameter)
    what += QStringLiteral(": %1 = %2, нужно %3")
                .arg(QLatin1String(kParameterNames[rule->index].data()),
                     QString::fromStdString(NumberText(session.Typed()[rule->index], '.')), QString::fromUtf8(rule->condition));
  return Say(kBadParameter, what);
}

// Runs the experiment and writes the outputs; returns the exit status.
int Run(const Command& command, const Scenario& scenario) {
  ImageSurface oscillogram(kScreen2Width, kScreen2Height), path(kScreen3Width, kScreen3Height);
  std::vector<std::unique_ptr<RunOutput>> outputs = Outputs(command, oscillogram, path);
  // What the screens show is kept for the report's pictures only; a run that
  // makes no report draws on the images alone, at the full speed of its steps.
  const bool reporting =
      std::any_of(outputs.begin(), outputs.end(), [](const auto& o) { return o->NeedsDrawings(); });
  Session session(oscillogram, path, {reporting, reporting});
  session.SetAccuracy(command.accuracy);
  const Outcome start = StartReplay(session, scenario);
  if (!start.message.empty()) return Refused(start, session);
  const SimRecord& r = session.Record();
  if (!scenario.steps && !EndsWithinLimit(r))
    return Say(kUsageError, QString("при P0 = %1 и Mt = %2 опыт не дойдёт до T = 12·Mt за %3 шагов; укажите --steps")
                                .arg(r.P0).arg(r.Mt).arg(kMaxSteps));
  for (const auto& output : outputs)
    if (auto problem = output->Open()) return WriteFailed(output->Path(), *problem);

  const RunEnd end = ReplaySteps(session, scenario.steps, [&](long long done) {
    for (const auto& output : outputs)
      if (!output->Step(done, session)) return false;
    return true;
  });
  if (end == RunEnd::kDiverged) std::fprintf(stderr, "%s\n", Unwrapped(DivergenceMessage()).c_str());
  for (const auto& output : outputs)
    if (auto problem = output->Finish(session)) return WriteFailed(output->Path(), *problem);
  return end == RunEnd::kDiverged ? kDiverged : 0;
}

// --save-setup: the experiment written, not run.
int SaveSetup(const QString& file, const Scenario& scenario) {
  WholeFile out(file);
  if (auto problem = out.Open()) return WriteFailed(file, *problem);
  out.Device().write(ExperimentJson(scenario));
  if (auto problem = out.Commit()) return WriteFailed(file, *problem);
  return 0;
}

// --answers: the sheet of the students' tasks on the standard output; a file
// that holds no task to check is said on the error stream as well.
int Answers(const QStringList& files) {
  QList<AnswerRow> rows;
  int status = 0;
  for (const QString& file : files) {
    rows << CheckAnswers(file);
    if (rows.back().check == AnswerCheck::kUnreadable) status = Say(kBadParameter, file + ": " + rows.back().problem);
  }
  WholeFile out(QStringLiteral("-"));
  if (auto problem = out.Open()) return WriteFailed(QStringLiteral("-"), *problem);
  out.Device().write(AnswerTable(rows));
  if (auto problem = out.Commit()) return WriteFailed(QStringLiteral("-"), *problem);
  return status;
}

// Whether the command asks for the report or its figures, whose text needs
// fonts: a QGuiApplication (on the offscreen platform when none is chosen)
// rather than a QCoreApplication.
bool WantsPainting(const Command& c) { return c.report || c.svg; }

// Qt's own notes on the error stream ("QStandardPaths: XDG_RUNTIME_DIR not
// set") mean nothing to a user of the runner; only its fatal errors go there.
void QuietQt(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtFatalMsg || type == QtCriticalMsg) std::fprintf(stderr, "vozaz2-batch: %s\n", qPrintable(text));
}

int Execute(const Command& command) {
  if (command.help) {
    std::fputs(HelpText(QStringLiteral(VOZAZ2_EXAMPLES_DIR)).toUtf8().constData(), stdout);
    return 0;
  }
  if (command.version) {
    std::printf("vozaz2-batch %s\n", VOZAZ2_VERSION);
    return 0;
  }
  if (!command.answers.isEmpty()) return Answers(command.answers);
  const std::variant<Scenario, Problem> scenario = ScenarioOf(command);
  if (const Problem* p = std::get_if<Problem>(&scenario)) return Say(p->status, p->what);
  auto alone = [&](const Scenario& s) { return command.saveSetup ? SaveSetup(*command.saveSetup, s) : Run(command, s); };
  if (command.IsSeries()) return ExecuteSeries(command, std::get<Scenario>(scenario), alone);
  return alone(std::get<Scenario>(scenario));
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(QuietQt);
  QStringList args;
  for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  const std::variant<Command, Problem> command = ReadCommandLine(args, DecimalSeparator(QLocale::system()));
  if (const Problem* p = std::get_if<Problem>(&command)) return Say(p->status, p->what);
  std::unique_ptr<QCoreApplication> application;
  if (WantsPainting(std::get<Command>(command))) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    application = std::make_unique<QGuiApplication>(argc, argv);
  } else {
    application = std::make_unique<QCoreApplication>(argc, argv);
  }
  // QCoreApplication has set the C library's locale from the environment; the
  // CSV separates its fields with commas, so its numbers keep the point.
  std::setlocale(LC_NUMERIC, "C");
  QCoreApplication::setApplicationName("vozaz2-batch");
  QCoreApplication::setApplicationVersion(VOZAZ2_VERSION);
  return Execute(std::get<Command>(command));
}
