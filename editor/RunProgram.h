#pragma once

#include "mainFrm.h"

struct Family;
class UserDialogs;

// A program's whole life: the splash, then the editing window of its family
// with the real dialogs and the private per-user folder. The family is built
// once the application exists.
int RunEditorProgram(int argc, char *argv[], const Family &(*family)());

// The window's files for the program in programDir: the settings file in
// userSettingsFolder once installed, beside the program in the build tree
// (see ChooseSettingsFolder), and the private folder, made owner-only.
// Says so when the user's settings folder cannot be used.
mainFrm::Environment ProgramEnvironment(const QString &programDir, const QString &userSettingsFolder,
                                        const QString &privateFolder, UserDialogs &dialogs);
