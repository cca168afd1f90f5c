#pragma once
// The common controls in one include: page controls, status bars, tool bars, list views and tree
// views.
#include "toolkit/ui/ListView.h"
#include "toolkit/ui/PageControl.h"
#include "toolkit/ui/StatusBar.h"
#include "toolkit/ui/ToolBar.h"
#include "toolkit/ui/TreeView.h"
