// Writes the padlock as the desktop's icon sizes: render-icons DIR NAME SIZE...
// gives DIR/<SIZE>x<SIZE>/apps/NAME.png, the hicolor layout.
#include "ui/qt/artwork.h"

#include <QDir>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: render-icons DIR NAME SIZE...\n");
    return 2;
  }
  const QString name = QString::fromLocal8Bit(argv[2]);
  for (int i = 3; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
    if (size <= 0 || !QDir().mkpath(folder) || !padlockImage(size).save(folder + QLatin1Char('/') + name + ".png")) {
      std::fprintf(stderr, "render-icons: could not write the %s icon to %s\n", argv[i], qPrintable(folder));
      return 1;
    }
  }
  return 0;
}
