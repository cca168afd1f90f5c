#pragma once
// Grids in one include: the custom and draw grids and the string grid.
#include "toolkit/ui/grids/Grid.h"
#include "toolkit/ui/grids/StringGrid.h"
