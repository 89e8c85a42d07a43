// Recorded screens drawn again, the conservation track, and the lab report's
// PDF and SVG files, for the variants a lesson runs.
#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <random>

#include "io/Report.h"
#include "io/ReportFigures.h"
#include "io/ReportText.h"
#include "io/ScreenPicture.h"
#include "run/Accounting.h"
#include "run/Replay.h"
#include "run/PixelSurface.h"
#include "run/Scenario.h"
#include "run/Screens.h"

namespace vozaz2::test {
namespace {

constexpr ModeControl kPlane{true, 6}, kDumbbell{true, 8}, kRelease{false, 1}, kSplit{false, 2},
    kSleeve{true, 2}, kDown{true, 4}, kStopDrive{false, 3};

// A run as the runner makes it, its screens in memory and kept as drawings.
struct RecordedRun {
  explicit RecordedRun(const Scenario& s) { Replay(session, s); }
  ReportContent Content() const {
    ReportContent c = ContentOf(session);
    c.version = "9.9.9";
    c.date = QDate(2026, 12, 7);
    return c;
  }

  PixelSurface screen2{kScreen2Width, kScreen2Height}, screen3{kScreen3Width, kScreen3Height};
  Session session{screen2, screen3};
  const DrawingRecord& record2 = session.OscillogramDrawings();
  const DrawingRecord& record3 = session.PathDrawings();
};

struct Variant {
  const char* name;
  std::vector<ModeControl> before;
  std::vector<TimedClick> events = {};
  long long steps = 2400;
  bool approximateBalance = false;  // what the verification paragraph says
};
void PrintTo(const Variant& v, std::ostream* os) { *os << v.name; }

const Variant kVariants[] = {
    {"cone", {}},
    {"dumbbell", {kPlane, kDumbbell}, {}, 6000},
    {"release", {kRelease}, {}, 2400, true},
    {"split", {kPlane, kSplit}, {{900, kStopDrive}}},
    {"sleeve_down", {kSleeve, kDown}},
};

Scenario ScenarioOf(const Variant& v) {
  Scenario s;
  s.before = v.before;
  s.events = v.events;
  s.steps = v.steps;
  return s;
}

std::size_t Painted(const PixelSurface& s) {
  return static_cast<std::size_t>(std::count_if(s.Pixels().begin(), s.Pixels().end(),
                                                [](Colour c) { return c != colours::kBackground; }));
}

class Recorded : public ::testing::TestWithParam<Variant> {};

// Replayed through the screen's own pixel code the record gives the screen
// back, pixel for pixel, also after "Очистить экраны" and a second "Начать"
// drawn over the first run; and it holds no drawing that shows nowhere.
TEST_P(Recorded, RedrawAtScreenSizeIsTheScreen) {
  RecordedRun run(ScenarioOf(GetParam()));
  auto same = [&](const char* when) {
    for (auto [record, screen] : {std::pair{&run.record2, &run.screen2}, std::pair{&run.record3, &run.screen3}}) {
      PixelSurface again(screen->Width(), screen->Height());
      record->Replay(again);
      ASSERT_EQ(again.Pixels(), screen->Pixels()) << when;
      ASSERT_EQ(ZoomedScreen(*record, 1), ToImage(*screen)) << when;
      EXPECT_LE(record->Count(), Painted(*screen)) << when;
    }
  };
  same("after the run");
  run.session.ClearScreens();
  same("after clearing");
  run.session.Start(run.session.Typed());
  for (int i = 0; i < 700; ++i) run.session.Step();
  same("after a second run");
}

INSTANTIATE_TEST_SUITE_P(Variants, Recorded, ::testing::ValuesIn(kVariants));

// Arbitrary drawings in arbitrary scales, far off the screen included.
TEST(RecordedScreen, RandomDrawingsRedrawAlike) {
  PixelSurface screen(381, 261);
  DrawingRecord record(381, 261, &screen);
  std::mt19937 gen(11);
  std::uniform_real_distribution<float> coord(-8, 8), colour(0, 0xffffff);
  for (int i = 0; i < 20000; ++i) {
    if (i % 3000 == 0) record.Scale(-5 - i % 7, 5, 5, -5 + i % 5);
    if (i % 7000 == 6999) record.Cls();
    const float x = coord(gen), y = coord(gen), u = coord(gen) * (i % 100 ? 1 : 1e30f);
    const auto c = static_cast<Colour>(colour(gen)) % 4;  // few colours: much drawing over
    record.PSet(x, y, c);
    if (i % 5 == 0) record.Line(x, y, u, coord(gen), c);
    if (i % 11 == 0) record.Circle(u, y, std::fabs(coord(gen)) / 4, c);
  }
  PixelSurface again(381, 261);
  record.Replay(again);
  EXPECT_EQ(again.Pixels(), screen.Pixels());
  EXPECT_LE(record.Count(), Painted(screen));
}

// The history's figures against the plain maxima over every step, and its
// buckets against the least and greatest values of the whole run.
TEST(History, MaximaAndBucketsCoverTheRun) {
  RunHistory history(16);
  SimRecord r;
  r.MKD1 = 4;
  r.E1 = 8;
  double drift = 0, balance = 0, lo = 1e300, hi = -1e300;
  for (int i = 1; i <= 1000; ++i) {
    r.T = i * 0.01;
    r.MKD2 = 4 + 1e-3 * std::sin(i * 0.37) * (i == 613 ? 5 : 1);
    r.E2 = 8 + std::cos(i * 0.11);
    history.Add(r);
    drift = std::max(drift, std::fabs(r.MKD2 - r.MKD1) / r.MKD1);
    balance = std::max(balance, std::fabs(Balance(r)) / r.E1);
    lo = std::min(lo, r.MKD2);
    hi = std::max(hi, r.MKD2);
  }
  EXPECT_EQ(history.MaxMomentumDrift(), drift);
  EXPECT_DOUBLE_EQ(history.MaxMomentumDriftTime(), 6.13);
  EXPECT_EQ(history.MaxBalanceRatio(), balance);
  const RunSummary& b = history.Summary();
  ASSERT_LE(b.Buckets(), 16u);
  ASSERT_GE(b.Buckets(), 8u);
  double bLo = 1e300, bHi = -1e300;
  for (std::size_t i = 0; i < b.Buckets(); ++i) {
    if (i > 0) {
      EXPECT_LT(b.Max(i - 1, quantity::kT), b.Min(i, quantity::kT));
    }
    bLo = std::min(bLo, b.Min(i, quantity::kMKD2));
    bHi = std::max(bHi, b.Max(i, quantity::kMKD2));
  }
  EXPECT_EQ(bLo, lo);
  EXPECT_EQ(bHi, hi);
  EXPECT_DOUBLE_EQ(b.Min(0, quantity::kT), 0.01);
  EXPECT_DOUBLE_EQ(b.Last(b.Buckets() - 1, quantity::kT), 10);
  EXPECT_EQ(b.Last(b.Buckets() - 1, quantity::kMKD2), r.MKD2);
}

QString PdfText(const QString& pdf) {
  QProcess p;
  p.start("pdftotext", {"-enc", "UTF-8", pdf, "-"});
  EXPECT_TRUE(p.waitForFinished(60000)) << "pdftotext (poppler-utils) is needed";
  EXPECT_EQ(p.exitCode(), 0);
  return QString::fromUtf8(p.readAllStandardOutput());
}

class Report : public ::testing::TestWithParam<Variant> {};

// The PDF's text holds the set-up, the readout at the end and the
// verification figures, and no number with digits that mean nothing; the SVG
// figures are well-formed and labelled.
TEST_P(Report, PdfHoldsTheRunAndSvgParses) {
  RecordedRun run(ScenarioOf(GetParam()));
  const ReportContent c = run.Content();
  QTemporaryDir dir;
  const QString pdf = dir.filePath("report.pdf");
  ASSERT_TRUE(WriteReportPdf(pdf, c));
  const QString text = PdfText(pdf);
  for (const auto& rows : {ParameterRows(c.record), ReadoutRows(c.record)})
    for (const ReadoutRow& row : rows) {
      EXPECT_TRUE(text.contains(row.label)) << row.label.toStdString();
      EXPECT_TRUE(text.contains(row.value)) << row.label.toStdString() << " = " << row.value.toStdString();
    }
  EXPECT_TRUE(text.contains(Significant(run.session.History().MaxMomentumDrift(), 2)));
  EXPECT_TRUE(text.contains(Significant(run.session.History().MaxBalanceRatio(), 2)));
  const QRegularExpression noise(QStringLiteral("[1-9](,?\\d){7,}|\\d[Ee][-+]?\\d|\\^"));
  EXPECT_FALSE(text.contains(noise)) << noise.match(text).captured().toStdString();
  EXPECT_TRUE(text.contains("07.12.2026") && text.contains("9.9.9"));
  for (const QString& item : VariantInWords(c.record, c.controls))
    EXPECT_TRUE(text.simplified().contains(item)) << item.toStdString();

  ASSERT_TRUE(WriteSvgFigures(dir.filePath("fig"), c));
  for (Figure figure : kFigures) {
    const QString name = "fig" + FigureFileSuffix(figure);
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
    QXmlStreamReader xml(&f);
    int texts = 0;
    while (!xml.atEnd())
      if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text")) ++texts;
    EXPECT_FALSE(xml.hasError()) << name.toStdString() << ": " << xml.errorString().toStdString();
    EXPECT_GT(texts, 5) << name.toStdString();
  }
}

// The verdict of each variant: its angular momentum kept, its energy
// balance approximate where the model counts string energy without its work.
TEST_P(Report, VerdictOfTheVariant) {
  RecordedRun run(ScenarioOf(GetParam()));
  const QString verdict = VerificationText(run.session.Record(), run.session.History(), false);
  EXPECT_TRUE(verdict.contains(QStringLiteral("сохранялся в пределах погрешности интегрирования")));
  EXPECT_EQ(verdict.contains(QStringLiteral("приближённый")), GetParam().approximateBalance);
}

INSTANTIATE_TEST_SUITE_P(Variants, Report, ::testing::ValuesIn(kVariants));

// Each panel of the report's graphs holds one unit: the deviation of the
// angular momentum, a pure number, never on the axis of MKD.
TEST(ReportGraphs, OneUnitAPanel) {
  for (const auto& panels : {report::MomentumPanels(), report::EnergyPanels()})
    for (const report::GraphPanel& panel : panels)
      for (const report::GraphSeries& g : panel.series)
        EXPECT_EQ(kQuantities[g.quantity].unit, kQuantities[panel.series.front().quantity].unit)
            << kQuantities[g.quantity].key;
}

// The runner's options write the same files.
TEST(Batch, ReportAndFigures) {
  QTemporaryDir dir;
  QProcess p;
  p.start(VOZAZ2_BATCH, {"--plane", "--dumbbell", "--steps", "500", "--report", dir.filePath("r.pdf"), "--svg",
                         dir.filePath("f")});
  ASSERT_TRUE(p.waitForFinished(120000));
  EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  QFile pdf(dir.filePath("r.pdf"));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5) == "%PDF-");
  EXPECT_TRUE(PdfText(dir.filePath("r.pdf")).contains("m=1+1"));
  EXPECT_TRUE(QFile::exists(dir.filePath("f-energy.svg")));
}

}  // namespace
}  // namespace vozaz2::test

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
