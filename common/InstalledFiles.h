#pragma once

#include <QString>

// Where a program finds its own files. An installed program lies in
// <prefix>/bin and its shared files (the default settings file, the help
// file) in <prefix>/share/radio-programmer; a program in the build tree has
// no such folder and keeps everything beside itself.

// The shared-files folder of the program in programDir; "" when there is none
// (the build tree).
QString InstalledDataFolder(const QString &programDir);

struct SettingsLocation {
    QString folder;   // where the program reads and writes "Sfc.ini"
    QString problem;  // not empty: the user's folder could not be used; tell the user
};

// The build tree: programDir itself. Installed: userFolder, which on the
// first start gets a copy of the installed default settings file. When
// userFolder cannot be made or written, the installed folder, read only,
// with a problem text naming userFolder.
SettingsLocation ChooseSettingsFolder(const QString &programDir, const QString &userFolder);

// A help file: beside the program first, then in its installed data folder;
// "" when neither holds it.
QString HelpFilePath(const QString &programDir, const QString &fileName);
// The same for the running program.
QString HelpFilePath(const QString &fileName);
