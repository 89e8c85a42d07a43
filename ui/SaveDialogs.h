// The dialogs of "Сохранить как…" and "Сохранить данные (CSV)…": a name
// proposed from the experiment's title and the date in a folder the user
// owns, the title and description asked for before saving.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "run/Scenario.h"

class QWidget;

namespace vozaz2 {

// Where a file is proposed: `lastFolder` unless it is empty or one of the
// lessons' folders (`lessonFolders`, which a student must not write into),
// then the user's documents folder. The name: the title made safe for a
// file name, the date, the suffix ("Нить втягивается 2026-12-07.vozaz2").
QString ProposedPath(const QString& lastFolder, const QStringList& lessonFolders, const QString& title,
                     const QString& suffix);

// Asks for the title and the description of an experiment to save, filled in
// from it; false when the user cancelled.
bool AskTitleAndDescription(QWidget* parent, Scenario& s);

// The CSV file to write and whether it is for a spreadsheet (the locale's
// notation, semicolons, labels) rather than the runner's table.
struct CsvChoice {
  QString path;
  bool spreadsheet = true;
};
std::optional<CsvChoice> AskCsvFile(QWidget* parent, const QString& proposed);

}  // namespace vozaz2
