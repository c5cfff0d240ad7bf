#pragma once

#include "Family.h"

// What is wrong with a family's description, one line a fault; empty: the
// window can run it. Checks that every list is there once, that the grids'
// columns and editors agree, that the model scheme answers for every model
// and that the print choice matches the menus it makes.
QStringList CheckFamily(const Family &family);
