// Experiment files: one experiment (a scenario) as UTF-8 JSON, for a lesson
// prepared at home, a run handed in, or a window's run repeated headless.
//
//   {
//       "format": "vozaz2-experiment",      required
//       "version": 1,                       required: 1, or 2 with a task
//       "title": "...",                     a lesson's title
//       "description": "...",               what to watch and what it shows
//       "parameters": {"R1": 1.5, ...},     any of the eleven; the rest start-up
//       "before": ["Option2", ...],         clicked before "Начать"
//       "events": [{"step": 300, "click": "Check3"}, ...],
//       "steps": 1200,                      how many steps a headless run makes
//       "series": {...},                    version 2: the runs of a series (io/SeriesFile.h)
//       "task": {...}                       version 2: predict, observe, explain (io/TaskFile.h)
//   }
//
// Version 2 adds parts that an experiment may have; each part is read and
// written by a file of its own. A file of version 1 has none of them, and an
// experiment without them is written as version 1.
// Anything else is refused, so that a typo never silently changes an
// experiment. The problems are told in Russian, for the window's message and
// the headless runner's error line alike.
#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <memory>
#include <optional>
#include <variant>

#include "run/Scenario.h"
#include "run/Series.h"

class QFile;
class QIODevice;

namespace vozaz2 {

inline constexpr qint64 kMaxExperimentFileBytes = 1 << 20;
inline constexpr char kExperimentSuffix[] = "vozaz2";
inline constexpr char kExperimentMimeType[] = "application/x-vozaz2-experiment";

// What is wrong with a file, in a few Russian words ("неизвестный ключ
// \"parametrs\""); the caller names the file.
struct FileProblem {
  QString what;
};

// The experiment in a file's bytes, or what is wrong with them.
std::variant<Scenario, FileProblem> ReadExperiment(const QByteArray& bytes);
// The same from a file; a file that cannot be read is a problem too.
std::variant<Scenario, FileProblem> ReadExperimentFile(const QString& path);

// The whole of a file: the experiment with the parts of version 2.
struct ExperimentDocument {
  Scenario scenario;
  std::optional<Series> series;
  bool operator==(const ExperimentDocument&) const = default;
};
std::variant<ExperimentDocument, FileProblem> ReadExperimentDocument(const QByteArray& bytes);
std::variant<ExperimentDocument, FileProblem> ReadExperimentDocumentFile(const QString& path);

// The file's text: indented for a teacher's editor, the keys in the order
// above, only the parameters that are set, every number in the fewest digits
// that read back as the same double. The scenario must have no
// ScenarioProblem.
QByteArray ExperimentJson(const Scenario& s);
// The same with the parts (version 2 when it has any); its series must have
// no SeriesProblem.
QByteArray ExperimentJson(const ExperimentDocument& d);
// Writes the file whole or not at all; an earlier file of that name is kept
// when anything fails. Returns the problem, or nothing.
std::optional<FileProblem> WriteExperimentFile(const QString& path, const Scenario& s);

// An output file written whole or not at all: the bytes go into a temporary
// file beside it, which takes the file's name only at Commit. Open it before
// the work that fills it, so that a folder that takes no file is found at
// once. A target that is not a regular file (a device such as /dev/null, a
// pipe) is written directly, and so is "-", the standard output.
class WholeFile {
 public:
  explicit WholeFile(const QString& path);
  ~WholeFile();  // without Commit, the temporary file goes and the old file stays
  WholeFile(const WholeFile&) = delete;
  WholeFile& operator=(const WholeFile&) = delete;

  std::optional<FileProblem> Open();
  QIODevice& Device();
  // Everything written reaches the disk and the file takes its name; a write
  // that failed on the way is reported here.
  std::optional<FileProblem> Commit();

 private:
  QString path_;
  std::unique_ptr<QSaveFile> save_;
  std::unique_ptr<QFile> direct_;
};

// A whole file of the given bytes (see WholeFile).
std::optional<FileProblem> WriteWholeFile(const QString& path, const QByteArray& bytes);

}  // namespace vozaz2
