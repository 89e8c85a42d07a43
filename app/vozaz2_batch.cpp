// vozaz2-batch: the conical-pendulum experiment without a window, for lab
// reports and for the project's own tests. It drives the same Experiment as
// the window: the command line describes a scenario (the parameters typed,
// the mode controls clicked before "Начать" and during the run, the number of
// steps), which is loaded into the experiment as a user would perform it.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <clocale>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "io/ExperimentFile.h"
#include "io/Locale.h"
#include "io/Report.h"
#include "io/RunCsv.h"
#include "model/NumberText.h"
#include "run/ConservationTrack.h"
#include "run/DrawingRecord.h"
#include "run/Experiment.h"
#include "run/Scenario.h"
#include "run/Screens.h"
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

class StderrMessages final : public MessageSink {
 public:
  void Show(const std::string& text) override {
    std::string t = text;
    for (std::size_t i; (i = t.find('\r')) != std::string::npos;) t.erase(i, 1);
    std::fprintf(stderr, "%s\n", t.c_str());
  }
};

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
  parser.addOption({"svg", "save the screens and the graphs as PREFIX-oscillogram.svg, PREFIX-path.svg, "
                    "PREFIX-momentum.svg and PREFIX-energy.svg", "PREFIX"});
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
      StderrMessages().Show(kInputMessage + ": --" + name.toStdString() + " " + parser.value(name).toStdString());
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
  std::fprintf(stderr, "vozaz2-batch: %s: %s\n", qPrintable(path), qPrintable(p.what));
  return kWriteFailed;
}

// Runs the experiment and writes the outputs; returns the exit status.
int Run(const QCommandLineParser& parser, const Scenario& scenario, char separator) {
  MemoryTextBoxes boxes(false);  // the CSV is written from the record itself
  ImageSurface oscillogram(kScreen2Width, kScreen2Height), path(kScreen3Width, kScreen3Height);
  // What the screens show, kept for the report's pictures; a run that makes
  // no report draws on the images alone, at the full speed of its steps.
  const bool reporting = parser.isSet("report") || parser.isSet("svg");
  DrawingRecord oscillogramRecord(kScreen2Width, kScreen2Height, &oscillogram),
      pathRecord(kScreen3Width, kScreen3Height, &path);
  ConservationTrack track;
  StderrMessages messages;
  Experiment e(boxes, reporting ? static_cast<Surface&>(oscillogramRecord) : oscillogram,
               reporting ? static_cast<Surface&>(pathRecord) : path, messages, separator);
  e.Form_Load();
  LoadScenario(e, scenario);
  e.Command1_Click();
  if (!e.Started()) return kBadParameter;

  const SimRecord& r = e.Record();
  if (!scenario.steps && !EndsWithinLimit(r))
    Fail(kUsageError, QString("with P0 = %1 and Mt = %2 the run would not reach T = 12*Mt in "
                              "%3 steps; give --steps").arg(r.P0).arg(r.Mt).arg(kMaxSteps));
  if (!scenario.steps && r.T >= 12 * r.Mt)
    std::fprintf(stderr, "vozaz2-batch: no step made: the run ends at T = 12*Mt = %s s, which is "
                         "already reached at the start (Mt = %s); give a positive Mt or --steps\n",
                 NumberText(12 * r.Mt, '.').c_str(), NumberText(r.Mt, '.').c_str());

  // Every output is opened before the run: a folder that takes no file is
  // found now, not after the whole run.
  const QString csvPath = parser.value("csv"), prefix = parser.value("png");
  std::optional<WholeFile> csvFile;
  std::optional<CsvOutput> csv;
  if (parser.isSet("csv")) {
    if (csvPath != "-") {
      csvFile.emplace(csvPath);
      if (auto problem = csvFile->Open()) return WriteFailed(csvPath, *problem);
    }
    csv.emplace(csvFile ? &csvFile->Device() : nullptr);
  }
  struct Picture {
    const ImageSurface& surface;
    QString path;
    std::unique_ptr<WholeFile> file;
  };
  std::vector<Picture> pictures;
  if (parser.isSet("png")) {
    pictures.push_back({oscillogram, prefix + "-oscillogram.png", nullptr});
    pictures.push_back({path, prefix + "-path.png", nullptr});
  }
  for (Picture& p : pictures) {
    p.file = std::make_unique<WholeFile>(p.path);
    if (auto problem = p.file->Open()) return WriteFailed(p.path, *problem);
  }
  // The report and its figures, each drawn by its own writer.
  struct Drawn {
    QString path;
    std::function<bool(QIODevice&, const ReportContent&)> write;
    std::unique_ptr<WholeFile> file;
  };
  std::vector<Drawn> drawn;
  if (parser.isSet("report"))
    drawn.push_back({parser.value("report"), [](QIODevice& out, const ReportContent& c) { return WriteReportPdf(out, c); }, nullptr});
  if (parser.isSet("svg"))
    for (Figure f : kFigures)
      drawn.push_back({parser.value("svg") + FigureFileSuffix(f),
                       [f](QIODevice& out, const ReportContent& c) { return WriteSvgFigure(out, f, c); }, nullptr});
  for (Drawn& d : drawn) {
    d.file = std::make_unique<WholeFile>(d.path);
    if (auto problem = d.file->Open()) return WriteFailed(d.path, *problem);
  }

  EventPlayer events(scenario.events);
  const RunEnd end = RunSteps(e, events, scenario.steps, [&](long long done) {
    if (reporting && !e.LastStepDiverged()) track.Add(r);
    if (!csv) return true;
    csv->Row(done, r);
    return csv->Ok();  // a lost row ends the run: its file would not be whole
  });

  if (csv) {
    const QString name = csvFile ? csvPath : "standard output";
    if (!csv->Flush()) return WriteFailed(name, {csvFile ? "ошибка записи" : "ошибка записи в стандартный вывод"});
    if (csvFile)
      if (auto problem = csvFile->Commit()) return WriteFailed(csvPath, *problem);
  }
  for (Picture& p : pictures) {
    if (!p.surface.Image().save(&p.file->Device(), "PNG")) return WriteFailed(p.path, {"ошибка записи PNG"});
    if (auto problem = p.file->Commit()) return WriteFailed(p.path, *problem);
  }
  const ReportContent report{r, e.Controls(), oscillogramRecord, pathRecord, track, scenario.title,
                             QCoreApplication::applicationVersion(), QDate::currentDate(),
                             end == RunEnd::kDiverged};
  for (Drawn& d : drawn) {
    if (!d.write(d.file->Device(), report)) return WriteFailed(d.path, {"ошибка записи"});
    if (auto problem = d.file->Commit()) return WriteFailed(d.path, *problem);
  }
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

}  // namespace

int main(int argc, char** argv) {
  std::unique_ptr<QCoreApplication> application;
  if (WantsPainting(argc, argv)) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    application = std::make_unique<QGuiApplication>(argc, argv);
  } else {
    application = std::make_unique<QCoreApplication>(argc, argv);
  }
  QCoreApplication& app = *application;
  // QCoreApplication has set the C library's locale from the environment; the
  // CSV separates its fields with commas, so its numbers keep the point.
  std::setlocale(LC_NUMERIC, "C");
  QCoreApplication::setApplicationName("vozaz2-batch");
  QCoreApplication::setApplicationVersion(VOZAZ2_VERSION);

  QCommandLineParser parser;
  DefineOptions(parser);
  parser.process(app);
  if (!parser.positionalArguments().isEmpty())
    Fail(kUsageError, QString("%1 is not an option (options begin with --; see --help)")
                          .arg(parser.positionalArguments().first()));
  if (parser.isSet("png") && parser.value("png").isEmpty())
    Fail(kUsageError, "--png needs a PREFIX for the names of the two pictures");
  if (parser.isSet("svg") && parser.value("svg").isEmpty())
    Fail(kUsageError, "--svg needs a PREFIX for the names of the four figures");
  const char separator = DecimalSeparator();
  Scenario scenario = ScenarioFromOptions(parser, separator);

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

  if (parser.isSet("save-setup")) {
    const QString file = parser.value("save-setup");
    if (file == "-") {
      const QByteArray json = ExperimentJson(scenario);
      const bool written = std::fwrite(json.data(), 1, json.size(), stdout) == static_cast<std::size_t>(json.size()) &&
                           std::fflush(stdout) == 0;
      return written ? 0 : WriteFailed("standard output", {"ошибка записи в стандартный вывод"});
    }
    if (const auto problem = WriteExperimentFile(file, scenario)) return WriteFailed(file, *problem);
    return 0;
  }
  return Run(parser, scenario, separator);
}
