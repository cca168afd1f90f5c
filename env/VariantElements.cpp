#include "env/VariantElements.h"

void ForEachVariantElement(Variant& value, const std::function<void(Variant&)>& visit) {
    if (!value.IsArray()) {
        visit(value);
        return;
    }
    if (value.DimCount() == 2) {
        for (int i = value.Low(1); i <= value.High(1); ++i)
            for (int j = value.Low(2); j <= value.High(2); ++j) ForEachVariantElement(value.At(i, j), visit);
        return;
    }
    for (int i = value.Low(1); i <= value.High(1); ++i) ForEachVariantElement(value[i], visit);
}
