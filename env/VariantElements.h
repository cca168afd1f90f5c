#pragma once
// Visiting the elements of a variant: a scalar is its own element; a one-dimensional array's elements
// are visited in order (nested arrays followed); a two-dimensional array's element by element.
#include <functional>

#include "toolkit/rtl/Variant.h"

void ForEachVariantElement(Variant& value, const std::function<void(Variant&)>& visit);
