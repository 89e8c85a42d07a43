// The series window as a teacher works it: a range of VL typed in, the runs
// made in parallel while the window answers, the table the very one the
// runner writes for the same series, the law's slope 2 within its error;
// "Прервать" stops a long series and keeps the rows made.
#include <qcustomplot.h>

#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>

#include "series/SeriesSettings.h"
#include "series/SeriesWindow.h"
#include "tests/ui/WindowFixture.h"

namespace vozaz2::testing {
namespace {

class SeriesTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    series = InstallSeriesWindow(form, form->Simulation());
    series->ShowInFront();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(series));
  }
  template <class W>
  W* In(const char* name) const {
    return series->findChild<W*>(QString::fromLatin1(name));
  }
  // VL from 0,05 to 0,4 m/s in `count` runs of `steps` steps.
  void Choose(int count, int steps) {
    In<QRadioButton>("ByRange")->click();
    In<QComboBox>("Parameter")->setCurrentIndex(4);
    Type(In<QLineEdit>("From"), "0,05");
    Type(In<QLineEdit>("To"), "0,4");
    In<QSpinBox>("Count")->setValue(count);
    In<QRadioButton>("BySteps")->click();
    In<QSpinBox>("Steps")->setValue(steps);
  }
  bool Finish() {
    QSignalSpy finished(series, &SeriesWindow::Finished);
    Click(In<QPushButton>("Start"));
    return series->Running() && finished.wait(120000);
  }
  SeriesWindow* series = nullptr;
};

TEST_F(SeriesTest, RunsTheRangeAndShowsTheLawAcrossTheRuns) {
  Choose(6, 400);
  ASSERT_TRUE(Finish()) << series->Status().toStdString();
  EXPECT_EQ(series->Status(), "Серия окончена: 6 опытов");
  auto* table = In<QTableWidget>("Table");
  ASSERT_EQ(table->rowCount(), 6);
  EXPECT_EQ(table->horizontalHeaderItem(1)->text(), "VL, м/с");
  EXPECT_EQ(table->item(5, 1)->text(), "0,4");
  EXPECT_EQ(table->item(5, 2)->text(), "завершён");
  EXPECT_EQ(series->TableText().count('\n'), 7);
  EXPECT_TRUE(series->LawLine().contains("(6 опытов): 2,000000 ± менее 0,000001")) << series->LawLine().toStdString();
  EXPECT_TRUE(series->LawLine().contains("совпадает с предсказанным")) << series->LawLine().toStdString();
  EXPECT_EQ(series->LawPlot()->graphCount(), 3);
  EXPECT_EQ(series->ResultsPlot()->plottableCount(), 1);

  // The table saved is the runner's for the same series, byte for byte.
  QTemporaryDir dir;
  ASSERT_TRUE(series->SaveCsv(dir.filePath("s.csv")));
  QProcess batch;
  batch.start(VOZAZ2_BATCH, {"--vary", "VL=0.05:0.4:6", "--steps", "400"});
  ASSERT_TRUE(batch.waitForFinished(60000));
  QFile saved(dir.filePath("s.csv"));
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll(), batch.readAllStandardOutput());
  // Saved as a series' file and opened, the settings make the same series.
  ASSERT_TRUE(series->SaveSeries(dir.filePath("s.vozaz2")));
  In<QSpinBox>("Count")->setValue(2);
  ASSERT_TRUE(series->OpenSeries(dir.filePath("s.vozaz2")));
  EXPECT_EQ(In<QSpinBox>("Count")->value(), 6);
  EXPECT_TRUE(series->SaveReport(dir.filePath("s.pdf")));
}

TEST_F(SeriesTest, CancelStopsALongSeriesAndKeepsItsRows) {
  Choose(40, 2000000);
  QSignalSpy finished(series, &SeriesWindow::Finished);
  Click(In<QPushButton>("Start"));
  EXPECT_FALSE(In<QPushButton>("Start")->isEnabled());
  Click(In<QPushButton>("Cancel"));
  ASSERT_TRUE(finished.wait(60000));
  EXPECT_LT(series->Rows().size(), 40u);
  EXPECT_TRUE(series->Status().startsWith("Серия прервана")) << series->Status().toStdString();
  EXPECT_TRUE(In<QPushButton>("Start")->isEnabled());
  // Settings that make no series say why, and start nothing.
  Type(In<QLineEdit>("From"), "0");
  In<QComboBox>("Scale")->setCurrentIndex(1);
  EXPECT_FALSE(series->Start());
  EXPECT_TRUE(series->Status().contains("для логарифмического шага")) << series->Status().toStdString();
}

}  // namespace
}  // namespace vozaz2::testing
