#pragma once
// The extra controls in one include: panels, radio groups, splitters, images, bevels, paint boxes
// scroll boxes and gauges.
#include "toolkit/ui/widgets/Gauge.h"
#include "toolkit/ui/widgets/Image.h"
#include "toolkit/ui/widgets/Panel.h"
#include "toolkit/ui/widgets/RadioGroup.h"
#include "toolkit/ui/widgets/ScrollBox.h"
#include "toolkit/ui/widgets/Splitter.h"
