#include "app/DataFolder.h"

#include <QDir>
#include <QFileInfo>

#include "app/ProgramLoader.h"
#include "common/QtText.h"

QString NoDocumentsFolder() {
#ifdef Q_OS_WIN
  return QDir::rootPath();
#else
  return QDir::homePath();
#endif
}

QString ResolveDataFolder(const QString& documentsFolder, const QString& applicationName) {
  if (documentsFolder.isEmpty()) return QDir::toNativeSeparators(QDir::cleanPath(NoDocumentsFolder()));
  const QString folder = QDir::cleanPath(documentsFolder + "/NorvAutomation/" + applicationName);
  if (!QFileInfo(folder).isDir()) QDir().mkpath(folder);
  return QDir::toNativeSeparators(QFileInfo(folder).isDir() ? folder : QDir::cleanPath(documentsFolder));
}

DataFilePaths ResolveDataFiles(const QString& documentsFolder, const CProgramLoader& brand) {
  DataFilePaths paths;
  paths.folder = ResolveDataFolder(documentsFolder, ToQString(brand.GetApplicationName()));
  // A drive root already ends with its separator.
  const QString prefix = paths.folder.endsWith(QDir::separator()) ? paths.folder : paths.folder + QDir::separator();
  paths.messageDatabase = prefix + ToQString(brand.GetDetails().messageDatabaseFile);
  paths.addressBook = prefix + ToQString(brand.GetDetails().addressBookFile);
  return paths;
}
