#include "app/BatchOptions.h"

#include <algorithm>
#include <array>

#include "app/BatchSeries.h"
#include "model/NumberText.h"
#include "run/Messages.h"

namespace vozaz2::batch {

namespace {

// The mode flags and the controls they click, with the captions they stand for.
struct ModeFlag {
  const char* name;
  ModeControl control;
  const char* caption;
};
constexpr std::array<ModeFlag, 12> kModeFlags = {{
    {"string", {true, 1}, "«Нити»"},         {"sleeve", {true, 2}, "«Втулки»"},
    {"up", {true, 3}, "«Вверх»"},            {"down", {true, 4}, "«Вниз»"},
    {"cone", {true, 5}, "«По конусу»"},      {"plane", {true, 6}, "«В плоскости»"},
    {"single", {true, 7}, "«m=2»"},          {"dumbbell", {true, 8}, "«m=1+1»"},
    {"release", {false, 1}, "«FL= 0 до 1 с »"}, {"split", {false, 2}, "«m= 1+1 от 1с  до Tr с»"},
    {"stop-drive", {false, 3}, "«VL= 0»"},   {"mx-manual", {false, 4}, "«Mx задать вручную»"},
}};

// The options that take a value, and what it is.
struct ValueOption {
  const char* name;
  const char* value;
  const char* help;
};
constexpr std::array<ValueOption, 9> kValueOptions = {{
    {"click", "[ШАГ:]ИМЯ", "щёлкнуть элемент (Option1…Option8, Check1…Check4 или флаг режима) до «Начать» "
                           "или после ШАГ шагов"},
    {"steps", "N", "сколько шагов сделать (без него — пока T не дойдёт до 12·Mt)"},
    {"setup", "ФАЙЛ", "провести опыт из файла .vozaz2; остальные параметры действуют после него"},
    {"save-setup", "ФАЙЛ|-", "записать описанный опыт в файл (- — в стандартный вывод) и не проводить его"},
    {"csv", "ФАЙЛ|-", "таблица опыта: строка на шаг, числа с точкой, поля через запятую"},
    {"table", "ФАЙЛ|-", "та же таблица для электронных таблиц: числа и разделители по языку системы, "
                        "заголовки с единицами"},
    {"png", "ПРЕФИКС", "экраны в конце: ПРЕФИКС-oscillogram.png и ПРЕФИКС-path.png"},
    {"report", "ФАЙЛ|-", "отчёт об опыте, страница A4 в PDF"},
    {"svg", "ПРЕФИКС", "экраны, графики и установка из отчёта в SVG: ПРЕФИКС-oscillogram.svg, -path.svg, "
                       "-momentum.svg, -energy.svg, -apparatus.svg"},
}};

std::optional<ModeControl> FlagNamed(const QString& name) {
  for (const ModeFlag& f : kModeFlags)
    if (name == QLatin1String(f.name)) return f.control;
  return std::nullopt;
}

// A control by its name ("Option3", "check2": any case) or by its flag ("down").
std::optional<ModeControl> ControlByName(const QString& name) {
  const QString lower = name.toLower();
  if (auto flag = FlagNamed(lower)) return flag;
  if (lower.isEmpty()) return std::nullopt;
  return ModeControlNamed((lower.left(1).toUpper() + lower.mid(1)).toStdString());
}

// "--click [STEP:]NAME": a click before the start, or one after STEP steps.
std::optional<Problem> AddClick(Scenario& s, std::vector<TimedClick>& during, const QString& value) {
  QString name = value;
  long long afterSteps = -1;
  if (const qsizetype colon = value.indexOf(':'); colon >= 0) {
    bool ok = false;
    afterSteps = value.left(colon).toLongLong(&ok);
    if (!ok || afterSteps < 0 || afterSteps > kMaxSteps)
      return Problem{kUsageError, QString("--click %1: ШАГ — целое число от 0 до %2").arg(value).arg(kMaxSteps)};
    name = value.mid(colon + 1);
  }
  const std::optional<ModeControl> c = ControlByName(name);
  if (!c) return Problem{kUsageError, "--click: нет элемента " + name + " (есть Option1…Option8, Check1…Check4)"};
  if (afterSteps < 0)
    s.before.push_back(*c);
  else
    during.push_back({afterSteps, *c});
  return std::nullopt;
}

std::optional<Problem> SetSteps(Scenario& s, const QString& value) {
  bool ok = false;
  const long long steps = value.toLongLong(&ok);
  if (!ok || steps < 0) return Problem{kUsageError, "--steps: нужно целое число от 0"};
  if (steps > kMaxSteps) return Problem{kUsageError, QString("--steps %1: слишком много, не больше %2").arg(steps).arg(kMaxSteps)};
  s.steps = steps;
  return std::nullopt;
}

std::optional<QString>* Output(Command& c, const QString& name) {
  if (name == "setup") return &c.setup;
  if (name == "save-setup") return &c.saveSetup;
  if (name == "csv") return &c.csv;
  if (name == "table") return &c.table;
  if (name == "png") return &c.png;
  if (name == "report") return &c.report;
  if (name == "svg") return &c.svg;
  return nullptr;
}

// One option with its value (empty for a flag) into the command.
std::optional<Problem> Take(Command& c, std::vector<TimedClick>& during, const QString& name,
                            const QString& value, char separator) {
  if (const std::optional<std::size_t> i = ParameterIndex(name.toStdString())) {
    c.scenario.parameters[*i] = TextNumber(value.toStdString(), separator);
    if (!c.scenario.parameters[*i])
      return Problem{kBadParameter, QString::fromStdString(kInputMessage) + ": --" + name + " " + value};
    return std::nullopt;
  }
  if (IsSeriesOption(name)) return TakeSeriesOption(c, name, value, separator);
  if (name == "click") return AddClick(c.scenario, during, value);
  if (name == "steps") return SetSteps(c.scenario, value);
  *Output(c, name) = value;
  return std::nullopt;
}

bool TakesValue(const QString& name) {
  if (ParameterIndex(name.toStdString()) || IsSeriesOption(name)) return true;
  return std::any_of(kValueOptions.begin(), kValueOptions.end(),
                     [&](const ValueOption& o) { return name == QLatin1String(o.name); });
}

// What the outputs need of their names.
std::optional<Problem> CheckOutputs(const Command& c) {
  for (const auto& [value, what] : {std::pair{&c.png, "--png"}, std::pair{&c.svg, "--svg"}}) {
    if (!*value) continue;
    if ((*value)->isEmpty()) return Problem{kUsageError, QString(what) + ": нужен префикс имён файлов"};
    if (**value == "-")
      return Problem{kUsageError, QString(what) + " -: это несколько файлов, в стандартный вывод их не записать"};
  }
  int toStdout = 0;
  for (const auto* value : {&c.saveSetup, &c.csv, &c.table, &c.report}) toStdout += *value && **value == "-";
  if (toStdout > 1) return Problem{kUsageError, "в стандартный вывод можно записать только что-то одно"};
  return std::nullopt;
}

}  // namespace

std::variant<Command, Problem> ReadCommandLine(const QStringList& args, char separator) {
  Command c;
  std::vector<TimedClick> during;
  for (qsizetype a = 0; a < args.size(); ++a) {
    const QString& arg = args[a];
    if (arg == "-h" || arg == "--help" || arg == "-?") c.help = true;
    else if (arg == "-v" || arg == "--version") c.version = true;
    if (arg == "--log") {
      c.log = true;
      continue;
    }
    if (c.help || c.version) continue;
    if (!arg.startsWith("--"))
      return Problem{kUsageError, arg + " — не параметр командной строки (они начинаются с --; см. --help)"};
    const qsizetype eq = arg.indexOf('=');
    const QString name = arg.mid(2, eq < 0 ? -1 : eq - 2);
    if (const auto flag = FlagNamed(name); flag && eq < 0) {
      c.scenario.before.push_back(*flag);
      continue;
    }
    if (name == QLatin1String("accuracy") && eq < 0) {
      c.accuracy = true;
      continue;
    }
    // --answers takes every file after it, up to the next option.
    if (name == QLatin1String("answers") && eq < 0) {
      while (a + 1 < args.size() && !args[a + 1].startsWith("--")) c.answers << args[++a];
      if (c.answers.isEmpty()) return Problem{kUsageError, "--answers: нужны файлы с ответами учеников"};
      continue;
    }
    if (!TakesValue(name)) return Problem{kUsageError, "неизвестный параметр --" + name + " (см. --help)"};
    if (eq < 0 && a + 1 >= args.size()) return Problem{kUsageError, "--" + name + ": нужно значение"};
    const QString value = eq < 0 ? args[++a] : arg.mid(eq + 1);
    if (auto problem = Take(c, during, name, value, separator)) return *problem;
  }
  AddEvents(c.scenario, during);
  if (auto problem = CheckOutputs(c)) return *problem;
  if (auto problem = SeriesOptionsProblem(c)) return *problem;
  return c;
}

QString HelpText(const QString& lessons) {
  QString t = QStringLiteral(
      "Использование: vozaz2-batch [ПАРАМЕТРЫ]\n"
      "Опыт с коническим маятником без окна: то же ядро, что и в окне программы.\n\n"
      "Параметры опыта (текст, как в полях окна; точка всегда годится как десятичный знак):\n");
  static const char* const kMeanings[kParameterCount] = {
      "радиус вращения в начале, м", "угловая скорость в начале, рад/с", "жёсткость нити, Н/м",
      "коэффициент трения в нити, Н·с/м", "скорость нити или втулки, м/с", "шаг интегрирования, с",
      "масштаб траектории, м/см", "масштаб сил, Н/см", "масштаб высоты, м/см", "масштаб времени, с/см",
      "время окончания разлёта, с"};
  for (std::size_t i = 0; i < kParameterCount; ++i)
    t += QStringLiteral("  --%1 ЧИСЛО  %2\n").arg(QLatin1String(kParameterNames[i].data(), kParameterNames[i].size()),
                                                   QString::fromUtf8(kMeanings[i]));
  t += QStringLiteral("\nРежимы: щелчки по элементам окна до «Начать», в порядке записи:\n");
  for (const ModeFlag& f : kModeFlags)
    t += QStringLiteral("  --%1  %2 (%3)\n").arg(QLatin1String(f.name), QString::fromUtf8(f.caption),
                                                   QString::fromStdString(ModeControlName(f.control)));
  t += QStringLiteral("\nЧто делать и что записать:\n");
  for (const ValueOption& o : kValueOptions)
    t += QStringLiteral("  --%1 %2\n      %3\n").arg(QLatin1String(o.name), QString::fromUtf8(o.value), QString::fromUtf8(o.help));
  t += SeriesHelp();
  t += QStringLiteral(
      "  --accuracy\n      опыт-близнец с половинным шагом рядом с опытом: оценки погрешности R2, w2, MKD2\n"
      "      и баланса — четыре столбца в конце таблицы и абзац в отчёте\n"
      "  --answers ФАЙЛ…\n      таблица ответов учеников на задания (CSV в стандартный вывод): имя, предсказание,\n"
      "      наблюдение, попадание в допуск, тексты; опыт каждого файла повторяется, и\n"
      "      наблюдение, которого опыт не даёт (изменённое число), отмечается\n"
      "  -h, --help     эта справка\n"
      "  -v, --version  версия программы\n\n"
      "Каждый вывод проверяется до опыта и записывается целиком или не записывается вовсе.\n"
      "Готовые уроки: %1/*.vozaz2\n"
      "Код выхода: 1 — ошибка в командной строке, 2 — неверный параметр или файл опыта,\n"
      "3 — решение разошлось (строки до этого записаны), 4 — вывод не удалось записать.\n").arg(lessons);
  return t;
}

}  // namespace vozaz2::batch
