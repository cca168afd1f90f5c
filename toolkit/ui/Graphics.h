#pragma once
// The graphics basics forms and controls need: colours, cursors and fonts.
#include "toolkit/ui/Colors.h"
#include "toolkit/ui/Cursors.h"
#include "toolkit/ui/Font.h"
