#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fstream>

#include "app/DataFolder.h"
#include "app/ProgramLoader.h"
#include "support/TempDir.h"

namespace {

QString Native(const std::string& path) {
  return QDir::toNativeSeparators(QString::fromStdString(path));
}

TEST(DataFolder, CreatesEveryMissingLevel) {
  TempDir dir;
  const QString documents = QString::fromStdString(dir.PathOf("Documents"));
  const QString folder = ResolveDataFolder(documents, "NorvMarquee");
  EXPECT_EQ(folder, Native(dir.PathOf("Documents/NorvAutomation/NorvMarquee")));
  EXPECT_TRUE(QFileInfo(folder).isDir());
  EXPECT_EQ(ResolveDataFolder(documents, "NorvMarquee"), folder) << "an existing folder is used as it is";
}

TEST(DataFolder, FallsBackToTheDocumentsFolderWhenTheFolderCannotBeMade) {
  TempDir dir;
  const QString documents = QString::fromStdString(dir.PathOf(""));
  QFile blocker(documents + "/NorvAutomation");  // a file where the folder should go
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  EXPECT_EQ(ResolveDataFolder(documents, "NorvMarquee"), QDir::toNativeSeparators(QDir::cleanPath(documents)));
}

TEST(DataFolder, WithoutDocumentsFolderUsesTheFallbackFolder) {
  EXPECT_EQ(ResolveDataFolder("", "NorvMarquee"), QDir::toNativeSeparators(QDir::cleanPath(NoDocumentsFolder())));
  EXPECT_FALSE(NoDocumentsFolder().isEmpty());
}

TEST(DataFolder, FilePathsFollowTheBrand) {
  TempDir dir;
  std::ofstream(dir.PathOf("version.txt")) << "1\n";
  const CProgramLoader brand(0, dir.path().string());
  const DataFilePaths paths = ResolveDataFiles(QString::fromStdString(dir.PathOf("Documents")), brand);
  EXPECT_EQ(paths.folder, Native(dir.PathOf("Documents/NorvAutomation/FerroMarquee")));
  EXPECT_EQ(paths.messageDatabase, paths.folder + QDir::separator() + "FerroMarquee.nmd");
  EXPECT_EQ(paths.addressBook, paths.folder + QDir::separator() + "FerroMarqueeIP.nmd");
}

}  // namespace
