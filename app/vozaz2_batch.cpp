// vozaz2-batch: the conical-pendulum experiment without a window, for lab
// reports and for the project's own tests. It drives the same Experiment as
// the window: the command line describes a scenario (the parameters typed,
// the mode controls clicked before "Начать" and during the run, the number of
// steps), which is loaded into the experiment as a user would perform it.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <memory>
#include <clocale>
#include <cstdio>
#include <map>
#include <optional>
#include <string>

#include "io/Locale.h"
#include "io/Report.h"
#include "model/NumberText.h"
#include "run/Accounting.h"
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
    "The run stops at the first divergence (message on stderr, exit status 3); a bad\n"
    "parameter prints \"Введите правильно данные\" on stderr (exit status 2).";

// Exit statuses.
constexpr int kUsageError = 1;
constexpr int kBadParameter = 2;
constexpr int kDiverged = 3;

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
    if (!ok || afterSteps < 0) Fail(kUsageError, "bad --click " + value);
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
      StderrMessages().Show(kInputMessage);
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

const char* const kCsvHeader =
    "step,T,L0,R2,w2,V2,J2,h2,L2,FL,Ftr,FC,Z2,E1,E2,Balance,EVL,EL,Emg,Etr,MKD1,MKD2,X,Y,VX,VY,"
    "w12,L00,FL2";

void WriteRow(std::FILE* out, long long step, const SimRecord& r) {
  const double values[] = {r.T,   r.L0,  r.R,          r.w2,  r.V2,  r.J2,   r.h,    r.L,
                           r.FL,  r.Ftr, r.FC,         r.Z,   r.E1,  r.E2,   Balance(r), r.EVL,
                           r.EL2 - r.EL1, r.Emg, r.Etr, r.MKD1, r.MKD2, r.X, r.Ycoord, r.VX,
                           r.VY,  r.w12, r.L00,        r.FL2};
  std::fprintf(out, "%lld", step);
  for (double v : values) std::fprintf(out, ",%.17g", v);
  std::fputc('\n', out);
}

// Whether the command line asks for a report or figures, which need fonts:
// a QGuiApplication (on the offscreen platform when none is chosen).
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
  const char separator = DecimalSeparator();
  const Scenario scenario = ScenarioFromOptions(parser, separator);

  MemoryTextBoxes boxes(false);  // the CSV is written from the record itself
  ImageSurface oscillogram(kScreen2Width, kScreen2Height), path(kScreen3Width, kScreen3Height);
  // What the screens show, kept for the report's pictures.
  DrawingRecord oscillogramRecord(kScreen2Width, kScreen2Height, &oscillogram),
      pathRecord(kScreen3Width, kScreen3Height, &path);
  ConservationTrack track;
  StderrMessages messages;
  Experiment e(boxes, oscillogramRecord, pathRecord, messages, separator);
  e.Form_Load();
  LoadScenario(e, scenario);
  e.Command1_Click();
  if (!e.Started()) return kBadParameter;

  const SimRecord& r = e.Record();
  if (!scenario.steps && !EndsWithinLimit(r))
    Fail(kUsageError, QString("with P0 = %1 and Mt = %2 the run would not reach T = 12*Mt in "
                              "%3 steps; give --steps").arg(r.P0).arg(r.Mt).arg(kMaxSteps));

  std::FILE* csv = nullptr;
  if (parser.isSet("csv")) {
    const QString f = parser.value("csv");
    csv = f == "-" ? stdout : std::fopen(QFile::encodeName(f).constData(), "w");
    if (!csv) Fail(kUsageError, "cannot write " + f);
    std::fprintf(csv, "%s\n", kCsvHeader);
  }

  EventPlayer events(scenario.events);
  const RunEnd end = RunSteps(e, events, scenario.steps, [&](long long done) {
    if (csv) WriteRow(csv, done, r);
    if (!e.LastStepDiverged()) track.Add(r);
    return true;
  });
  if (csv && csv != stdout) std::fclose(csv);

  if (parser.isSet("png")) {
    const QString prefix = parser.value("png");
    if (!oscillogram.Image().save(prefix + "-oscillogram.png") || !path.Image().save(prefix + "-path.png"))
      Fail(kUsageError, "cannot write " + prefix + "-*.png");
  }
  const ReportContent report{r, e.Controls(), oscillogramRecord, pathRecord, track, scenario.title,
                             QCoreApplication::applicationVersion(), QDate::currentDate(),
                             end == RunEnd::kDiverged};
  if (parser.isSet("report") && !WriteReportPdf(parser.value("report"), report))
    Fail(kUsageError, "cannot write " + parser.value("report"));
  if (parser.isSet("svg") && !WriteSvgFigures(parser.value("svg"), report))
    Fail(kUsageError, "cannot write " + parser.value("svg") + "-*.svg");
  return end == RunEnd::kDiverged ? kDiverged : 0;
}
