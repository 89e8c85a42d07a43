// What a screen reader hears of the text boxes during a run: each box's
// change at most once per repaint frame, however many steps the frame holds,
// and the last value when the run stops. A program of its own: the listener
// must be in place before the first window, so that it hears what the window
// passes on to a screen reader, not every change the steps make; and
// accessibility is switched on as a screen reader's arrival does, through the
// platform (Qt's private API: offscreen there is no bridge to do it).
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <QAccessible>
#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "tests/ui/WindowFixture.h"

namespace vozaz2::testing {
namespace {

struct Heard {
  QString box;
  long frame;
  QString text;
};
std::vector<Heard> heard;
const Form1* listened = nullptr;  // the window whose frames the reports are counted in

void Listen(QAccessibleEvent* event) {
  const auto* box = qobject_cast<QLineEdit*>(event->object());
  if (!listened || !box) return;
  switch (event->type()) {
    case QAccessible::TextUpdated:
      heard.push_back({box->objectName(), listened->Frames(),
                       static_cast<QAccessibleTextUpdateEvent*>(event)->textInserted()});
      break;
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
      heard.push_back({box->objectName(), listened->Frames(), QString()});
      break;
    default:
      break;
  }
}

TEST_F(WindowTest, ScreenReadersHearEachBoxOncePerFrameAndTheLastValueAtTheStop) {
  QLineEdit* time = form->findChild<QLineEdit*>("Text31");
  Click(form->findChild<QPushButton*>("Command1"));  // "Начать"
  ASSERT_TRUE(form->PacingRepaints());
  heard.clear();
  listened = form;
  const long first = form->Frames();
  // A box told twice in one frame, or nothing.
  auto twice = [] {
    std::set<std::pair<QString, long>> told;
    for (const Heard& h : heard)
      if (!told.insert({h.box, h.frame}).second) return h.box + " twice in frame " + QString::number(h.frame);
    return QString();
  };
  auto lastTold = [](const QString& box) {
    for (auto h = heard.rbegin(); h != heard.rend(); ++h)
      if (h->box == box) return h->text;
    return QString();
  };
  // Thirty frames, then until the time box holds a value not yet told (the
  // deadlines only guard against a hang).
  ASSERT_TRUE(QTest::qWaitFor([&] { return form->Frames() >= first + 30; }, 60000));
  ASSERT_EQ(twice(), QString());
  ASSERT_TRUE(QTest::qWaitFor([&] { return time->text() != lastTold("Text31"); }, 60000));
  Click(form->findChild<QPushButton*>("Command2"));  // "Остановить"
  listened = nullptr;

  EXPECT_EQ(twice(), QString());
  const auto timeReports = std::count_if(heard.begin(), heard.end(), [](const Heard& h) { return h.box == "Text31"; });
  EXPECT_GT(timeReports, 1) << "the time box tells its changes during the run";
  std::map<QString, QString> last;  // each box's last report: its value at the stop
  for (const Heard& h : heard) last[h.box] = h.text;
  for (const auto& [box, text] : last) EXPECT_EQ(text, form->findChild<QLineEdit*>(box)->text()) << box.toStdString();
  std::printf("%td reports of the time box in %ld frames, %zu reports in all\n", timeReports,
              form->Frames() - first, heard.size());
}

}  // namespace
}  // namespace vozaz2::testing

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale(QLocale::Russian));
  QPlatformAccessibility* platform = QGuiApplicationPrivate::platformIntegration()->accessibility();
  if (!platform) {
    std::fprintf(stderr, "The platform has no accessibility\n");
    return 1;
  }
  platform->setActive(true);
  if (!QAccessible::isActive()) return 1;
  QAccessible::installUpdateHandler(&vozaz2::testing::Listen);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
