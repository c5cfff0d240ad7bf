#pragma once

#include "editor/Family.h"

// Family B: two models with two band variants, 16 channels of seven fields.
const Family &HeronFamily();

// Heron's grid: "No.", two frequencies, two tones, Busy, W/N, TX Power.
const GridDescription &HeronGrid();

// Heron's data-setting page: the eight settings and the table's column places.
const print::DataPageLayout &HeronPrintPage();
