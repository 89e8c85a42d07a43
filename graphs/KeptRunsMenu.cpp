#include "graphs/KeptRunsMenu.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>

#include "graphs/Layers.h"
#include "io/ExperimentFile.h"
#include "run/KeptRuns.h"

namespace vozaz2 {

namespace {

QString NameOf(const KeptRun& run) { return QString::fromStdString(run.name); }

// A file name from a run's name: letters, digits and a few signs kept.
QString FileNameOf(const KeptRun& run) {
  QString name = NameOf(run);
  for (QChar& c : name)
    if (!c.isLetterOrNumber() && c != u'-' && c != u'=' && c != u',') c = u' ';
  return name.simplified().replace(u' ', u'_') + u'.' + QString::fromLatin1(kExperimentSuffix);
}

}  // namespace

KeptRunsMenu::KeptRunsMenu(KeptRuns& kept, QWidget* window, std::function<void()> changed)
    : QObject(window), kept_(kept), window_(window), changed_(std::move(changed)),
      menu_(new QMenu(QStringLiteral("&Опыты"), window)) {
  menu_->setObjectName(QStringLiteral("KeptRuns"));
  menu_->setToolTipsVisible(true);
  connect(menu_, &QMenu::aboutToShow, this, &KeptRunsMenu::Refill);
  Refill();
}

void KeptRunsMenu::Refill() {
  menu_->clear();
  if (kept_.Empty()) {
    menu_->addAction(QStringLiteral("Опытов пока нет: «Начать» оставляет здесь опыт перед ним"))->setEnabled(false);
    return;
  }
  QMenu* rename = new QMenu(QStringLiteral("Переименовать"), menu_);
  QMenu* save = new QMenu(QStringLiteral("Сохранить опыт как…"), menu_);
  for (std::size_t i = 0; i < kept_.Size(); ++i) {
    const KeptRun& run = kept_.At(i);
    const QIcon icon = StyleIcon(kRunStyles[run.style]);
    // A check box with no sample beside it: the style draws a checked
    // action's icon sunken in place of the tick, which a class cannot read.
    QAction* shown = menu_->addAction(
        QStringLiteral("%1 — %2").arg(NameOf(run), QString::fromUtf8(kRunStyles[run.style].words)));
    shown->setCheckable(true);
    shown->setChecked(run.shown);
    connect(shown, &QAction::toggled, this, [this, i](bool on) {
      kept_.Show(i, on);
      changed_();
    });
    connect(rename->addAction(icon, NameOf(run)), &QAction::triggered, this, [this, i] { Rename(i); });
    connect(save->addAction(icon, NameOf(run)), &QAction::triggered, this, [this, i] { Save(i); });
  }
  menu_->addSeparator();
  connect(menu_->addAction(QStringLiteral("Показать все")), &QAction::triggered, this, [this] { ShowAll(true); });
  connect(menu_->addAction(QStringLiteral("Скрыть все")), &QAction::triggered, this, [this] { ShowAll(false); });
  menu_->addSeparator();
  menu_->addMenu(rename);
  menu_->addMenu(save);
  menu_->addSeparator();
  connect(menu_->addAction(QStringLiteral("Забыть все опыты")), &QAction::triggered, this, [this] {
    kept_.Clear();
    changed_();
  });
}

void KeptRunsMenu::ShowAll(bool shown) {
  for (std::size_t i = 0; i < kept_.Size(); ++i) kept_.Show(i, shown);
  changed_();
}

void KeptRunsMenu::Rename(std::size_t i) {
  bool ok = false;
  const QString name = QInputDialog::getText(window_, QStringLiteral("Имя опыта"), QStringLiteral("Имя опыта в легенде:"),
                                             QLineEdit::Normal, NameOf(kept_.At(i)), &ok);
  if (!ok || name.trimmed().isEmpty() || i >= kept_.Size()) return;
  kept_.Rename(i, name.trimmed().toStdString());
  changed_();
}

std::optional<FileProblem> SaveKeptRun(const KeptRun& run, const QString& path) {
  Scenario s = run.scenario;
  if (s.title.empty()) s.title = run.name;
  return WriteExperimentFile(path, s);
}

void KeptRunsMenu::Save(std::size_t i) {
  const QString file = QFileDialog::getSaveFileName(
      window_, QStringLiteral("Сохранить опыт"), FileNameOf(kept_.At(i)),
      QStringLiteral("Опыты Vozaz2 (*.%1)").arg(QString::fromLatin1(kExperimentSuffix)));
  if (file.isEmpty() || i >= kept_.Size()) return;
  if (const auto problem = SaveKeptRun(kept_.At(i), file))
    QMessageBox::warning(window_, QStringLiteral("Vozaz2"),
                         QStringLiteral("Не удалось сохранить опыт в файл\n%1\n%2").arg(file, problem->what));
}

}  // namespace vozaz2
