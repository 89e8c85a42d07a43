// vozaz2-batch: the conical-pendulum experiment without a window, for lab
// reports and for the project's own tests. It drives the same Experiment as
// the window: the parameters go into the same input boxes, the mode switches
// are clicked as a user clicks them, and "Начать" starts the run.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QTextStream>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/Setup.h"
#include "run/Accounting.h"
#include "run/Experiment.h"
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

struct Control {
  bool option;
  int number;
};

// The mode flags and the controls they click.
const std::map<QString, Control> kModeFlags = {
    {"string", {true, 1}},   {"sleeve", {true, 2}},    {"up", {true, 3}},
    {"down", {true, 4}},     {"cone", {true, 5}},      {"plane", {true, 6}},
    {"single", {true, 7}},   {"dumbbell", {true, 8}},  {"release", {false, 1}},
    {"split", {false, 2}},   {"stop-drive", {false, 3}}, {"mx-manual", {false, 4}},
};

std::optional<Control> ControlByName(const QString& name) {
  for (int n = 1; n <= 8; ++n)
    if (name.compare(QString("Option%1").arg(n), Qt::CaseInsensitive) == 0) return Control{true, n};
  for (int n = 1; n <= 4; ++n)
    if (name.compare(QString("Check%1").arg(n), Qt::CaseInsensitive) == 0) return Control{false, n};
  auto it = kModeFlags.find(name.toLower());
  if (it != kModeFlags.end()) return it->second;
  return std::nullopt;
}

void Click(Experiment& e, Control c) {
  if (c.option)
    e.Controls().ClickOption(c.number);
  else
    e.Controls().ClickCheck(c.number);
}

class StderrMessages final : public MessageSink {
 public:
  void Show(const std::string& text) override {
    std::string t = text;
    for (std::size_t i; (i = t.find('\r')) != std::string::npos;) t.erase(i, 1);
    std::fprintf(stderr, "%s\n", t.c_str());
  }
};

char LocaleDecimalSeparator() {
  const QString point = QLocale::system().decimalPoint();
  if (point.size() == 1 && point.at(0).unicode() < 128) return static_cast<char>(point.at(0).unicode());
  return '.';
}

// Options that take a value (which may follow as the next argument).
const QStringList kValueOptions = {"R1", "w1", "CL", "Ktr", "VL", "P0", "Mx", "MF",
                                   "Mz", "Mt", "Tr", "click", "steps", "csv", "png"};

struct TimedClick {
  long long afterSteps;
  Control control;
};

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

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  // QCoreApplication has set the C library's locale from the environment; the
  // CSV separates its fields with commas, so its numbers keep the point.
  std::setlocale(LC_NUMERIC, "C");
  QCoreApplication::setApplicationName("vozaz2-batch");

  QCommandLineParser parser;
  parser.setApplicationDescription(QString::fromUtf8(kDescription));
  parser.addHelpOption();
  const char* const paramNames[] = {"R1", "w1", "CL", "Ktr", "VL", "P0", "Mx", "MF", "Mz", "Mt", "Tr"};
  for (const char* name : paramNames)
    parser.addOption({name, QString("parameter %1 (window box text)").arg(name), "text"});
  for (const auto& [flag, control] : kModeFlags)
    parser.addOption({flag, QString("click %1%2").arg(control.option ? "Option" : "Check").arg(control.number)});
  parser.addOption({"click", "click a control (Option1..Option8, Check1..Check4), or STEP:NAME after STEP steps",
                    "[STEP:]NAME"});
  parser.addOption({"steps", "number of steps (default: until T >= 12*Mt)", "N"});
  parser.addOption({"csv", "one row per displayed step, to FILE or - for standard output", "FILE"});
  parser.addOption({"png", "save PREFIX-oscillogram.png and PREFIX-path.png at the end", "PREFIX"});
  parser.process(app);

  MemoryTextBoxes boxes(false);  // the CSV is written from the record itself
  ImageSurface oscillogram(kScreen2Width, kScreen2Height), path(kScreen3Width, kScreen3Height);
  StderrMessages messages;
  Experiment e(boxes, oscillogram, path, messages, LocaleDecimalSeparator());
  e.Form_Load();

  for (std::size_t i = 0; i < std::size(paramNames); ++i)
    if (parser.isSet(paramNames[i])) boxes.SetText(kParameterBoxes[i], parser.value(paramNames[i]).toStdString());

  // Clicks before the start, in command-line order; timed clicks for later.
  std::vector<TimedClick> later;
  const QStringList args = app.arguments();
  for (int i = 1; i < args.size(); ++i) {
    QString a = args[i];
    if (!a.startsWith("--")) continue;
    a = a.mid(2);
    QString value;
    const int eq = a.indexOf('=');
    if (eq >= 0) {
      value = a.mid(eq + 1);
      a = a.left(eq);
    }
    if (a == "click") {
      if (eq < 0 && i + 1 < args.size()) value = args[++i];
      long long afterSteps = -1;
      const int colon = value.indexOf(':');
      if (colon >= 0) {
        bool ok = false;
        afterSteps = value.left(colon).toLongLong(&ok);
        if (!ok || afterSteps < 0) {
          std::fprintf(stderr, "vozaz2-batch: bad --click %s\n", qPrintable(value));
          return 1;
        }
        value = value.mid(colon + 1);
      }
      std::optional<Control> c = ControlByName(value);
      if (!c) {
        std::fprintf(stderr, "vozaz2-batch: no control named %s\n", qPrintable(value));
        return 1;
      }
      if (afterSteps < 0)
        Click(e, *c);
      else
        later.push_back({afterSteps, *c});
    } else if (kModeFlags.count(a)) {
      Click(e, kModeFlags.at(a));
    } else if (eq < 0 && kValueOptions.contains(a)) {
      ++i;  // its value follows as the next argument
    }
  }

  e.Command1_Click();
  if (!e.Started()) return 2;

  const SimRecord& r = e.Record();
  long long steps = -1;
  if (parser.isSet("steps")) {
    bool ok = false;
    steps = parser.value("steps").toLongLong(&ok);
    if (!ok || steps < 0) {
      std::fprintf(stderr, "vozaz2-batch: --steps takes a whole number from 0 up\n");
      return 1;
    }
  } else {
    const double needed = 12 * r.Mt / r.P0;
    if (!(needed < 5e7)) {
      std::fprintf(stderr,
                   "vozaz2-batch: with P0 = %g and Mt = %g the run would not reach T = 12*Mt in "
                   "50 million steps; give --steps\n",
                   r.P0, r.Mt);
      return 1;
    }
  }

  std::FILE* csv = nullptr;
  if (parser.isSet("csv")) {
    const QString f = parser.value("csv");
    csv = f == "-" ? stdout : std::fopen(QFile::encodeName(f).constData(), "w");
    if (!csv) {
      std::fprintf(stderr, "vozaz2-batch: cannot write %s\n", qPrintable(f));
      return 1;
    }
    std::fprintf(csv, "%s\n", kCsvHeader);
  }

  int status = 0;
  long long done = 0;
  auto clickDue = [&] {
    for (const TimedClick& c : later)
      if (c.afterSteps == done) Click(e, c.control);
  };
  for (;;) {
    clickDue();
    if (steps >= 0 ? done >= steps : r.T >= 12 * r.Mt) break;
    e.SolveStep();
    ++done;
    if (e.LastStepDiverged()) {
      status = 3;
      break;
    }
    if (csv) WriteRow(csv, done, r);
  }
  if (csv && csv != stdout) std::fclose(csv);

  if (parser.isSet("png")) {
    const QString prefix = parser.value("png");
    if (!oscillogram.Image().save(prefix + "-oscillogram.png") || !path.Image().save(prefix + "-path.png")) {
      std::fprintf(stderr, "vozaz2-batch: cannot write %s-*.png\n", qPrintable(prefix));
      return 1;
    }
  }
  return status;
}
