// The kept runs in the graphs window: three runs of a lesson (a slow, a
// middling and a fast pull), the first two kept and laid over the third in
// every view, each shown or hidden from the menu "Опыты"; and a kept run
// saved as an experiment file, opened in the main window and started, ends
// where it ended.
#include <qcustomplot.h>

#include <QMenu>
#include <QTemporaryDir>

#include "graphs/GraphsWindow.h"
#include "graphs/KeptRunsMenu.h"
#include "run/Replay.h"
#include "tests/ui/WindowFixture.h"

namespace vozaz2::testing {
namespace {

Scenario Pull(double VL) {
  Scenario s;
  s.parameters[4] = VL;
  s.steps = 400;
  return s;
}

class KeptLayers : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    graphs = InstallGraphsWindow(form, form->Simulation());
    graphs->ShowInFront();
    for (double VL : {0.05, 0.1, 0.2}) Replay(form->Simulation(), Pull(VL));
  }
  // The menu's check boxes, one for each kept run, as it opens.
  QList<QAction*> RunEntries() const {
    QMenu* menu = graphs->KeptRunsCommands()->Menu();
    emit menu->aboutToShow();
    QList<QAction*> runs;
    for (QAction* a : menu->actions())
      if (a->isCheckable()) runs << a;
    return runs;
  }
  int Legend() const { return graphs->Plot()->legend->itemCount(); }
  int Plottables() const { return graphs->Plot()->plottableCount(); }
  QPointer<GraphsWindow> graphs;
};

TEST_F(KeptLayers, EachKeptRunIsALayerShownOrHidden) {
  const KeptRuns& kept = form->Simulation().Kept();
  ASSERT_EQ(kept.Size(), 2u);
  EXPECT_EQ(kept.At(1).name, "VL = 0,1 м/с");
  const QList<QAction*> runs = RunEntries();
  ASSERT_EQ(runs.size(), 2);
  EXPECT_EQ(runs[0]->text(), QStringLiteral("VL = 0,05 м/с — синяя, сплошная"));
  for (QAction* run : runs) run->setChecked(false);
  struct Expected {
    GraphsWindow::View view;
    int perRun;  // plottables a kept run adds
  };
  // Momentum: MKD1, MKD2 and the deviation; the law: its points and line.
  for (const Expected& e : {Expected{GraphsWindow::View::kMomentum, 3}, Expected{GraphsWindow::View::kLaw, 2},
                            Expected{GraphsWindow::View::kEnergyBars, 1}}) {
    graphs->ShowView(e.view);
    const int legend = Legend(), plottables = Plottables();
    runs[1]->setChecked(true);
    EXPECT_EQ(Legend(), legend + 1) << static_cast<int>(e.view);
    EXPECT_EQ(Plottables(), plottables + e.perRun) << static_cast<int>(e.view);
    EXPECT_TRUE(graphs->Plot()->legend->hasItemWithPlottable(graphs->Plot()->plottable(plottables)));
    EXPECT_EQ(graphs->Plot()->plottable(plottables)->name(), QStringLiteral("VL = 0,1 м/с"));
    runs[0]->setChecked(true);
    EXPECT_EQ(Legend(), legend + 2);
    runs[0]->setChecked(false);
    runs[1]->setChecked(false);
    EXPECT_EQ(Legend(), legend);
    EXPECT_EQ(Plottables(), plottables);
  }
  // With a layer shown, the graph names the run that stands.
  runs[1]->setChecked(true);
  QStringList notes;
  for (int i = 0; i < graphs->Plot()->itemCount(); ++i)
    if (const auto* text = qobject_cast<QCPItemText*>(graphs->Plot()->item(i))) notes << text->text();
  EXPECT_TRUE(notes.contains(QStringLiteral("сейчас: VL = 0,2 м/с"))) << notes.join(u'|').toStdString();
}

TEST_F(KeptLayers, ASavedRunOpensAndEndsWhereItEnded) {
  const KeptRun run = form->Simulation().Kept().At(0);
  QTemporaryDir dir;
  const QString path = dir.filePath("run.vozaz2");
  ASSERT_FALSE(SaveKeptRun(run, path));
  ASSERT_TRUE(form->OpenExperiment(path));
  Click(Get<QPushButton>("Command1"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return form->Simulation().State() == RunState::kOver; }, 60000));
  EXPECT_EQ(form->Simulation().Steps(), 400);
  for (std::size_t q = 0; q < quantity::kReadoutCount; ++q)
    EXPECT_EQ(kQuantities[q].read(Record()), kQuantities[q].read(run.end)) << kQuantities[q].key;
  // The run that stood when the file was opened is kept too.
  EXPECT_EQ(form->Simulation().Kept().Size(), 3u);
}

}  // namespace
}  // namespace vozaz2::testing
