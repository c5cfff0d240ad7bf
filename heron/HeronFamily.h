#pragma once

#include "HeronModels.h"
#include "editor/Family.h"

// Family B: two models with two band variants, 16 channels of seven fields.
const Family &HeronFamily();

// Heron's data-setting page: the eight settings and the table's column places.
const print::DataPageLayout &HeronPrintPage();
