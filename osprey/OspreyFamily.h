#pragma once

#include "OspreyModels.h"
#include "editor/Family.h"

// Family C: six models in a fixed list, 16 fixed channel rows, tones as
// positions in the QT/DQT index list, band limits kept in the settings file.
const Family &OspreyFamily();

// The band editor's two model lists and the band text of each position.
BandEditorLists OspreyBandEditor();
