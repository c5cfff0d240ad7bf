#pragma once

struct Family;

// A program's whole life: the splash, then the editing window of its family
// with the real dialogs and the private per-user folder. The family is built
// once the application exists.
int RunEditorProgram(int argc, char *argv[], const Family &(*family)());
