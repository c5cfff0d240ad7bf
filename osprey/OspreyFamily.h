#pragma once

#include "editor/Family.h"

// Family C: six models in a fixed list, 16 fixed channel rows, tones as
// positions in the QT/DQT index list, band limits kept in the settings file.
const Family &OspreyFamily();

// Osprey's grid: Heron's columns, 16 fixed rows, list editors that take a
// pick only, row defaults that overwrite the row.
const GridDescription &OspreyGrid();

// The band editor's two model lists and the band text of each position.
BandEditorLists OspreyBandEditor();
