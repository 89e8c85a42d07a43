// vozaz2-batch: the conical-pendulum experiment without a window, for lab
// reports and for the project's own tests. It drives the same session as
// the window: the command line describes a scenario (the parameters typed,
// the mode controls clicked before "Начать" and during the run, the number of
// steps), which is loaded into the experiment as a user would perform it.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "io/ExperimentFile.h"
#include "io/Locale.h"
#include "io/Report.h"
#include "io/RunOutputs.h"
#include "model/NumberText.h"
#include "run/Messages.h"
#include "run/Replay.h"
#include "run/Scenario.h"
#include "run/Screens.h"
#include "run/Session.h"
#include "ui/ImageSurface.h"

using namespace vozaz2;

namespace {

const char* const kDescription =
    "The headless runner drives the same simulation core as the window, with no display.\n"
    "\n"
    "PARAMETERS take the text that the window's boxes take ('.' is always accepted as the\n"
    "decimal separator); the defaults are the window's start-up texts.\n"
    "MODES act as the user's clicks on the controls, in the order given, before \"Начать\";\n"
    "a click on a disabled control does nothing. --click STEP:NAME clicks after STEP steps.\n"
    "--setup FILE runs the experiment in a .vozaz2 file; the options beside it act after it:\n"
    "a parameter replaces the file's value, mode clicks follow the file's, --click events\n"
    "join the file's (the file's first at the same step), --steps replaces the file's.\n"
    "--save-setup FILE writes the experiment that the command line describes and exits\n"
    "without running it. Ready lessons: " VOZAZ2_EXAMPLES_DIR "/*.vozaz2\n"
    "Outputs are checked before the run and written whole or not at all.\n"
    "Exit status: 1 a bad option, 2 a bad parameter or experiment file (a parameter that\n"
    "\"Начать\" refuses prints \"Введите правильно данные\" on stderr), 3 a divergence\n"
    "(message on stderr; the rows up to it are written), 4 an output that cannot be written.";

// Exit statuses.
constexpr int kUsageError = 1;
constexpr int kBadParameter = 2;
constexpr int kDiverged = 3;
constexpr int kWriteFailed = 4;

// The mode flags and the controls they click.
const std::map<QString, ModeControl> kModeFlags = {
    {"string", {true, 1}},   {"sleeve", {true, 2}},    {"up", {true, 3}},
    {"down", {true, 4}},     {"cone", {true, 5}},      {"plane", {true, 6}},
    {"single", {true, 7}},   {"dumbbell", {true, 8}},  {"release", {false, 1}},
    {"split", {false, 2}},   {"stop-drive", {false, 3}}, {"mx-manual", {false, 4}},
};

// A control by its name ("Option3", "check2": any case) or by its flag ("down").
std::optional<ModeControl> ControlByName(const QString& name) {
  const QString lower = name.toLower();
  if (auto it = kModeFlags.find(lower); it != kModeFlags.end()) return it->second;
  if (lower.isEmpty()) return std::nullopt;
  return ModeControlNamed((lower.left(1).toUpper() + lower.mid(1)).toStdString());
}

// A message of the window's as one line each on the error stream.
std::string Unwrapped(std::string text) {
  for (std::size_t i; (i = text.find('\r')) != std::string::npos;) text.erase(i, 1);
  return text;
}

[[noreturn]] void Fail(int status, const QString& what) {
  std::fprintf(stderr, "vozaz2-batch: %s\n", qPrintable(what));
  std::exit(status);
}

void DefineOptions(QCommandLineParser& parser) {
  parser.setApplicationDescription(QString::fromUtf8(kDescription));
  parser.addHelpOption();
  parser.addVersionOption();
  for (std::string_view name : kParameterNames) {
    const QString n = QString::fromLatin1(name.data(), static_cast<int>(name.size()));
    parser.addOption({n, QString("parameter %1 (window box text)").arg(n), "text"});
  }
  for (const auto& [flag, control] : kModeFlags)
    parser.addOption({flag, QString("click %1").arg(QString::fromStdString(ModeControlName(control)))});
  parser.addOption({"click", "click a control (Option1..Option8, Check1..Check4), or STEP:NAME after STEP steps",
                    "[STEP:]NAME"});
  parser.addOption({"steps", "number of steps (default: until T >= 12*Mt)", "N"});
  parser.addOption({"setup", "run the experiment in FILE (.vozaz2); the other options act after it", "FILE"});
  parser.addOption({"save-setup", "write the experiment described to FILE (- for standard output) and exit "
                    "without running it", "FILE"});
  parser.addOption({"csv", "one row per displayed step, to FILE or - for standard output", "FILE"});
  parser.addOption({"png", "save PREFIX-oscillogram.png and PREFIX-path.png at the end", "PREFIX"});
  parser.addOption({"report", "write the lab report of the run, one A4 page, to FILE.pdf", "FILE"});
  parser.addOption({"svg", "save the screens, the graphs and the apparatus as PREFIX-oscillogram.svg, "
                    "PREFIX-path.svg, PREFIX-momentum.svg, PREFIX-energy.svg and PREFIX-apparatus.svg", "PREFIX"});
}

// "--click [STEP:]NAME": a click before the start, or one after STEP steps.
void AddClick(Scenario& s, std::vector<TimedClick>& during, const QString& value) {
  QString name = value;
  long long afterSteps = -1;
  if (const int colon = value.indexOf(':'); colon >= 0) {
    bool ok = false;
    afterSteps = value.left(colon).toLongLong(&ok);
    if (!ok || afterSteps < 0 || afterSteps > kMaxSteps)
      Fail(kUsageError, QString("bad --click %1: STEP is a whole number from 0 to %2").arg(value).arg(kMaxSteps));
    name = value.mid(colon + 1);
  }
  const std::optional<ModeControl> c = ControlByName(name);
  if (!c) Fail(kUsageError, "no control named " + name);
  if (afterSteps < 0)
    s.before.push_back(*c);
  else
    during.push_back({afterSteps, *c});
}

// The scenario that the options describe, read in their order: the clicks
// before the start in command-line order, the clicks during the run by step.
Scenario ScenarioFromOptions(const QCommandLineParser& parser, char separator) {
  Scenario s;
  std::vector<TimedClick> during;
  const QStringList clicks = parser.values("click");
  int nextClick = 0;
  for (const QString& option : parser.optionNames()) {
    if (option == "click")
      AddClick(s, during, clicks[nextClick++]);
    else if (auto flag = kModeFlags.find(option); flag != kModeFlags.end())
      s.before.push_back(flag->second);
  }
  AddEvents(s, during);

  for (std::size_t i = 0; i < kParameterCount; ++i) {
    const QString name = QString::fromLatin1(kParameterNames[i].data(), static_cast<int>(kParameterNames[i].size()));
    if (!parser.isSet(name)) continue;
    // The text as the box would read it; a text that "Начать" would refuse
    // gets the window's own message.
    s.parameters[i] = TextNumber(parser.value(name).toStdString(), separator);
    if (!s.parameters[i]) {
      std::fprintf(stderr, "%s: --%s %s\n", kInputMessage.c_str(), qPrintable(name), qPrintable(parser.value(name)));
      std::exit(kBadParameter);
    }
  }

  if (parser.isSet("steps")) {
    bool ok = false;
    const long long steps = parser.value("steps").toLongLong(&ok);
    if (!ok || steps < 0) Fail(kUsageError, "--steps takes a whole number from 0 up");
    if (steps > kMaxSteps) Fail(kUsageError, QString("--steps %1 is too large: at most %2").arg(steps).arg(kMaxSteps));
    s.steps = steps;
  }
  return s;
}

// The experiment a --setup file describes, with the command line's options
// acting after it.
Scenario Merge(Scenario file, const Scenario& options) {
  for (std::size_t i = 0; i < kParameterCount; ++i)
    if (options.parameters[i]) file.parameters[i] = options.parameters[i];
  file.before.insert(file.before.end(), options.before.begin(), options.before.end());
  AddEvents(file, options.events);
  if (options.steps) file.steps = options.steps;
  return file;
}

int WriteFailed(const QString& path, const FileProblem& p) {
  std::fprintf(stderr, "vozaz2-batch: %s: %s\n", qPrintable(path == "-" ? QStringLiteral("standard output") : path),
               qPrintable(p.what));
  return kWriteFailed;
}

// The outputs the options ask for, in the order they are written.
std::vector<std::unique_ptr<RunOutput>> Outputs(const QCommandLineParser& parser, const ImageSurface& oscillogram,
                                                const ImageSurface& path) {
  std::vector<std::unique_ptr<RunOutput>> outputs;
  if (parser.isSet("csv")) outputs.push_back(std::make_unique<CsvRunOutput>(parser.value("csv")));
  if (parser.isSet("png")) {
    const QString prefix = parser.value("png");
    outputs.push_back(std::make_unique<PngRunOutput>(prefix + "-oscillogram.png", oscillogram.Image()));
    outputs.push_back(std::make_unique<PngRunOutput>(prefix + "-path.png", path.Image()));
  }
  if (parser.isSet("report")) outputs.push_back(std::make_unique<ReportRunOutput>(parser.value("report")));
  if (parser.isSet("svg"))
    for (Figure f : kFigures)
      outputs.push_back(std::make_unique<SvgRunOutput>(parser.value("svg") + FigureFileSuffix(f), f));
  return outputs;
}

// Whether the run can end without a step count.
void CheckTheEnd(const Scenario& scenario, const SimRecord& r) {
  if (!scenario.steps && !EndsWithinLimit(r))
    Fail(kUsageError, QString("with P0 = %1 and Mt = %2 the run would not reach T = 12*Mt in "
                              "%3 steps; give --steps").arg(r.P0).arg(r.Mt).arg(kMaxSteps));
}

// Runs the experiment and writes the outputs; returns the exit status.
int Run(const QCommandLineParser& parser, const Scenario& scenario) {
  ImageSurface oscillogram(kScreen2Width, kScreen2Height), path(kScreen3Width, kScreen3Height);
  std::vector<std::unique_ptr<RunOutput>> outputs = Outputs(parser, oscillogram, path);
  // What the screens show is kept for the report's pictures only; a run that
  // makes no report draws on the images alone, at the full speed of its steps.
  const bool reporting =
      std::any_of(outputs.begin(), outputs.end(), [](const auto& o) { return o->NeedsDrawings(); });
  Session session(oscillogram, path, {reporting, reporting});
  const Outcome start = StartReplay(session, scenario);
  if (!start.message.empty()) {
    if (const auto& rule = start.badParameter)
      std::fprintf(stderr, "%s: %s = %s, нужно %s\n", start.message.c_str(), kParameterNames[rule->index].data(),
                   NumberText(session.Typed()[rule->index], '.').c_str(), rule->condition);
    else
      std::fprintf(stderr, "%s\n", start.message.c_str());
    return kBadParameter;
  }
  CheckTheEnd(scenario, session.Record());
  for (const auto& output : outputs)
    if (auto problem = output->Open()) return WriteFailed(output->Path(), *problem);

  const RunEnd end = ReplaySteps(session, scenario.steps, [&](long long done) {
    for (const auto& output : outputs)
      if (!output->Step(done, session.Record())) return false;
    return true;
  });
  if (end == RunEnd::kDiverged) std::fprintf(stderr, "%s\n", Unwrapped(DivergenceMessage()).c_str());
  for (const auto& output : outputs)
    if (auto problem = output->Finish(session)) return WriteFailed(output->Path(), *problem);
  return end == RunEnd::kDiverged ? kDiverged : 0;
}

// Whether the command line asks for the report or its figures, whose text
// needs fonts: a QGuiApplication (on the offscreen platform when none is
// chosen) rather than a QCoreApplication.
bool WantsPainting(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const QByteArray a(argv[i]);
    if (a == "--report" || a.startsWith("--report=") || a == "--svg" || a.startsWith("--svg=")) return true;
  }
  return false;
}

// The experiment that the command line describes: its options, after the
// file that --setup names, if any.
std::variant<Scenario, int> ScenarioOf(const QCommandLineParser& parser) {
  if (!parser.positionalArguments().isEmpty())
    Fail(kUsageError, QString("%1 is not an option (options begin with --; see --help)")
                          .arg(parser.positionalArguments().first()));
  if (parser.isSet("png") && parser.value("png").isEmpty())
    Fail(kUsageError, "--png needs a PREFIX for the names of the two pictures");
  if (parser.isSet("svg") && parser.value("svg").isEmpty())
    Fail(kUsageError, "--svg needs a PREFIX for the names of the five figures");
  Scenario scenario = ScenarioFromOptions(parser, DecimalSeparator());
  if (parser.isSet("setup")) {
    const QString file = parser.value("setup");
    auto read = ReadExperimentFile(file);
    if (const FileProblem* p = std::get_if<FileProblem>(&read)) {
      std::fprintf(stderr, "vozaz2-batch: %s: %s\n", qPrintable(file), qPrintable(p->what));
      return kBadParameter;
    }
    scenario = Merge(std::get<Scenario>(std::move(read)), scenario);
  }
  if (const auto problem = ScenarioProblem(scenario)) Fail(kUsageError, QString::fromStdString(*problem));
  return scenario;
}

// --save-setup: the experiment written, not run.
int SaveSetup(const QString& file, const Scenario& scenario) {
  if (file == "-") {
    const QByteArray json = ExperimentJson(scenario);
    const bool written = std::fwrite(json.data(), 1, json.size(), stdout) == static_cast<std::size_t>(json.size()) &&
                         std::fflush(stdout) == 0;
    return written ? 0 : WriteFailed("-", {"ошибка записи в стандартный вывод"});
  }
  if (const auto problem = WriteExperimentFile(file, scenario)) return WriteFailed(file, *problem);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::unique_ptr<QCoreApplication> application;
  if (WantsPainting(argc, argv)) {
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

  QCommandLineParser parser;
  DefineOptions(parser);
  parser.process(*application);
  const std::variant<Scenario, int> scenario = ScenarioOf(parser);
  if (const int* status = std::get_if<int>(&scenario)) return *status;
  if (parser.isSet("save-setup")) return SaveSetup(parser.value("save-setup"), std::get<Scenario>(scenario));
  return Run(parser, std::get<Scenario>(scenario));
}
