#pragma once
// The common controls in one include: page controls, status bars, tool bars, list views and tree
// views.
#include "toolkit/ui/widgets/ListView.h"
#include "toolkit/ui/widgets/PageControl.h"
#include "toolkit/ui/widgets/StatusBar.h"
#include "toolkit/ui/widgets/ToolBar.h"
#include "toolkit/ui/widgets/TreeView.h"
