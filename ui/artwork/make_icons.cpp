// vozaz2-icons: writes the window icon as PNG files for the desktop's icon
// theme (vozaz2-16.png and vozaz2-32.png in the given folder). With
// --apparatus FILE it also writes the apparatus drawing, for a look at it
// outside the program.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstring>
#include <vector>

#include "ui/artwork/Artwork.h"

int main(int argc, char** argv) {
  const char* outDir = nullptr;
  const char* apparatus = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--apparatus") == 0 && i + 1 < argc)
      apparatus = argv[++i];
    else if (!outDir && argv[i][0] != '-')
      outDir = argv[i];
    else {
      std::fprintf(stderr, "usage: %s OUTDIR [--apparatus FILE.png]\n", argv[0]);
      return 2;
    }
  }
  if (!outDir) {
    std::fprintf(stderr, "usage: %s OUTDIR [--apparatus FILE.png]\n", argv[0]);
    return 2;
  }
  if (!QDir().mkpath(QString::fromLocal8Bit(outDir))) {
    std::fprintf(stderr, "%s: cannot create %s\n", argv[0], outDir);
    return 1;
  }
  for (int size : {16, 32}) {
    const QString path = QDir(QString::fromLocal8Bit(outDir)).filePath(QStringLiteral("vozaz2-%1.png").arg(size));
    if (!vozaz2::ConeImage(size).save(path, "PNG")) {
      std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(path));
      return 1;
    }
  }
  if (apparatus) {
    // The labels need fonts, and fonts need an application; no display is used.
    static char platformArg[] = "-platform";
    static char offscreen[] = "offscreen";
    std::vector<char*> args = {argv[0], platformArg, offscreen};
    int n = static_cast<int>(args.size());
    QGuiApplication app(n, args.data());
    if (!vozaz2::ApparatusPicture().save(QString::fromLocal8Bit(apparatus), "PNG")) {
      std::fprintf(stderr, "%s: cannot write %s\n", argv[0], apparatus);
      return 1;
    }
  }
  return 0;
}
