#pragma once

#include <QString>

class CProgramLoader;

// Where the two data files live, in the platform's own separators.
struct DataFilePaths {
  QString folder;           // no trailing separator
  QString messageDatabase;  // folder + the brand's message database file name
  QString addressBook;      // folder + the brand's address book file name
};

// The data folder: documentsFolder/NorvAutomation/applicationName, created with every missing
// level when it does not exist (no installer makes "NorvAutomation" here). When it cannot be
// created, documentsFolder itself. An empty documentsFolder (none could be found) gives
// NoDocumentsFolder().
QString ResolveDataFolder(const QString& documentsFolder, const QString& applicationName);

// The folder used when the user has no documents folder: the system drive's root on Windows,
// the home folder elsewhere (a Unix root is not the user's to write).
QString NoDocumentsFolder();

// The data folder and the two file paths of the brand.
DataFilePaths ResolveDataFiles(const QString& documentsFolder, const CProgramLoader& brand);
