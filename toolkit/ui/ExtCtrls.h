#pragma once
// The extra controls in one include: panels, radio groups, splitters, images, bevels, paint boxes
// scroll boxes and gauges.
#include "toolkit/ui/Gauge.h"
#include "toolkit/ui/Image.h"
#include "toolkit/ui/Panel.h"
#include "toolkit/ui/RadioGroup.h"
#include "toolkit/ui/ScrollBox.h"
#include "toolkit/ui/Splitter.h"
