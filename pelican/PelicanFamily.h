#pragma once

#include "PelicanModels.h"
#include "editor/Family.h"

// Family A: six models in two groups; group "1" adds Scan Add, Compandor and
// a scrambler code per channel and Sound, Scrambler and Priority Channel.
const Family &PelicanFamily();

// Pelican's data-setting page: eleven settings in three columns, the table's
// columns at fractions of the page width, empty cells printed as "OFF".
const print::DataPageLayout &PelicanPrintPage();
