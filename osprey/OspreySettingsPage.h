#pragma once

#include "editor/Family.h"

// Osprey's page of data settings as a print script: the function settings,
// then every cell of the grid, title row included, as the grid shows it.
void WriteOspreySettingsPage(print::ScriptWriter &script, const ScriptPageSource &source);

// Where the page puts grid column c, in centimetres from the left edge.
float OspreyColumnX(int column);
