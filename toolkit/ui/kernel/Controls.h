#pragma once
// Controls in one include: the control and the windowed control.
#include "toolkit/ui/kernel/Control.h"
#include "toolkit/ui/kernel/WinControl.h"
