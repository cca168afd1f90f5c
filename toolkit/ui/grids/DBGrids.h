#pragma once
// The data grid in one include: the grid, its columns and its selected records.
#include "toolkit/ui/grids/DBGrid.h"
