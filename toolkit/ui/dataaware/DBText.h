#pragma once
// Data-aware labels: the caption is the field's display text.
#include "toolkit/ui/dataaware/DBControlLink.h"
#include "toolkit/ui/widgets/Label.h"

class TDBText : public TDataAwareControl<TCustomLabel> {
    TK_CLASS_PUBLISHED(TDBText, TCustomLabel)
public:
    explicit TDBText(TComponent* owner);
};
