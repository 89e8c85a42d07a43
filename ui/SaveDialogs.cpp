#include "ui/SaveDialogs.h"

#include <QDate>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QStandardPaths>

namespace vozaz2 {

namespace {

bool Inside(const QString& folder, const QString& parent) {
  const QString a = QFileInfo(folder).canonicalFilePath(), b = QFileInfo(parent).canonicalFilePath();
  return !a.isEmpty() && !b.isEmpty() && (a == b || a.startsWith(b + u'/'));
}

// A title as a file's name: no characters that file systems refuse, no
// blanks at the ends, not too long.
QString SafeName(const QString& title) {
  QString name = title;
  name.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]")), QStringLiteral("-"));
  name = name.simplified().left(60).trimmed();
  return name.isEmpty() ? QStringLiteral("Опыт") : name;
}

}  // namespace

QString ProposedPath(const QString& lastFolder, const QStringList& lessonFolders, const QString& title,
                     const QString& suffix) {
  QString folder = lastFolder;
  for (const QString& lessons : lessonFolders)
    if (Inside(lastFolder, lessons)) folder.clear();
  if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
  const QString date = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
  return QDir(folder).filePath(SafeName(title) + u' ' + date + u'.' + suffix);
}

bool AskTitleAndDescription(QWidget* parent, Scenario& s) {
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("SaveDescription"));
  dialog.setWindowTitle(QStringLiteral("Сохранить опыт"));
  auto* title = new QLineEdit(QString::fromStdString(s.title), &dialog);
  auto* description = new QPlainTextEdit(QString::fromStdString(s.description), &dialog);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* form = new QFormLayout(&dialog);
  form->addRow(QStringLiteral("Название:"), title);
  form->addRow(QStringLiteral("Описание:"), description);
  form->addRow(buttons);
  dialog.resize(dialog.fontMetrics().averageCharWidth() * 70, dialog.fontMetrics().height() * 16);
  if (dialog.exec() != QDialog::Accepted) return false;
  s.title = title->text().trimmed().toStdString();
  s.description = description->toPlainText().trimmed().toStdString();
  return true;
}

std::optional<CsvChoice> AskCsvFile(QWidget* parent, const QString& proposed) {
  const QString spreadsheet = QStringLiteral("Для электронных таблиц: числа и разделители по языку системы (*.csv)");
  const QString plain = QStringLiteral("CSV: числа с точкой, поля через запятую (*.csv)");
  QFileDialog dialog(parent, QStringLiteral("Сохранить данные опыта"), proposed, spreadsheet + QStringLiteral(";;") + plain);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("csv"));
  dialog.selectFile(proposed);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return CsvChoice{dialog.selectedFiles().front(), dialog.selectedNameFilter() != plain};
}

}  // namespace vozaz2
