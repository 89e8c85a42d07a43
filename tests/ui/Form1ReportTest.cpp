// The lab report from the main window: the screens recorded as they show,
// the run followed step by step, and the two commands in the "Файл" menu.
#include <QAction>
#include <QMenu>
#include <QTemporaryDir>
#include <cmath>

#include "io/Report.h"
#include "io/ScreenPicture.h"
#include "tests/ui/WindowFixture.h"

namespace vozaz2::testing {
namespace {

TEST_F(WindowTest, ReportFollowsTheRunOnTheScreens) {
  QStringList commands;
  for (QAction* a : Get<QMenu>("FileMenu")->actions()) commands << a->text().remove('&');
  EXPECT_TRUE(commands.contains(QStringLiteral("Отчёт (PDF)…")) && commands.contains(QStringLiteral("Печать…")))
      << commands.join(" | ").toStdString();

  auto* start = Get<QPushButton>("Command1");
  Click(start);  // a first run, then a second one over it: the track follows the second
  ASSERT_TRUE(WaitForSteps(20));
  Click(start);
  ASSERT_TRUE(WaitForSteps(30));
  Click(Get<QPushButton>("Command2"));
  for (int i = 0; i < 5; ++i) Click(Get<QPushButton>("Command7"));

  const ReportContent c = ContentOf(form->Simulation());
  EXPECT_EQ(c.history.Steps(), std::llround(Record().T0 / Record().P0));
  EXPECT_EQ(ScreenImage(c.oscillogram), Rgb(*Get<PictureBox>("Picture2")->Image()));
  EXPECT_EQ(ScreenImage(c.path), Rgb(*Get<PictureBox>("Picture3")->Image()));
  QTemporaryDir dir;
  EXPECT_TRUE(WriteReportPdf(dir.filePath("report.pdf"), c));
}

}  // namespace
}  // namespace vozaz2::testing
