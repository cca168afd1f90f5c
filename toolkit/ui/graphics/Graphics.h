#pragma once
// The graphics basics forms and controls need: colours, cursors, fonts and geometry.
#include "toolkit/ui/graphics/Colors.h"
#include "toolkit/ui/graphics/Cursors.h"
#include "toolkit/ui/graphics/Font.h"
#include "toolkit/ui/graphics/Geometry.h"
