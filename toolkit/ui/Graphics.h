#pragma once
// The graphics basics forms and controls need: colours, cursors, fonts and geometry.
#include "toolkit/ui/Colors.h"
#include "toolkit/ui/Cursors.h"
#include "toolkit/ui/Font.h"
#include "toolkit/ui/Geometry.h"
