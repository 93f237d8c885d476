// Writes the program icon as PNG files for the desktop's icon theme:
//   marquee_icongen OUTPUT_FOLDER NAME SIZE...  ->  OUTPUT_FOLDER/<SIZE>x<SIZE>/apps/NAME.png

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <cstdio>

#include "app/ProgramIcon.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: marquee_icongen OUTPUT_FOLDER NAME SIZE...\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const QString name = QString::fromLocal8Bit(argv[2]);
  const QIcon icon = ProgramIcon();
  for (int i = 3; i < argc; ++i) {
    const int size = QString::fromLatin1(argv[i]).toInt();
    const QString sizeFolder = QString("%1/%2x%2/apps").arg(folder).arg(size);
    if (size <= 0 || !QDir().mkpath(sizeFolder) || !icon.pixmap(size, size).save(sizeFolder + "/" + name + ".png")) {
      std::fprintf(stderr, "marquee_icongen: cannot write the %s icon\n", argv[i]);
      return 1;
    }
  }
  return 0;
}
