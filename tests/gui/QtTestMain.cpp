// Main for the Qt tests: offscreen platform and a temporary HOME, both set before the
// application object exists (test discovery runs this binary at build time too).

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QTemporaryDir home;
  if (!home.isValid()) return 1;
  const QByteArray homePath = home.path().toLocal8Bit();
  setenv("HOME", homePath.constData(), 1);
  setenv("XDG_CONFIG_HOME", (homePath + "/.config").constData(), 1);
  setenv("XDG_DATA_HOME", (homePath + "/.local/share").constData(), 1);

  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
