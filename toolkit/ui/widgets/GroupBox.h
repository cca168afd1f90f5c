#pragma once
// Group boxes: a captioned frame around other controls.
#include "toolkit/ui/kernel/Controls.h"

class TCustomGroupBox : public TWinControl {
    TK_CLASS(TCustomGroupBox, TWinControl)
public:
    explicit TCustomGroupBox(TComponent* owner);

protected:
    void Paint() override;
};

class TGroupBox : public TCustomGroupBox {
    TK_CLASS_PUBLISHED(TGroupBox, TCustomGroupBox)
public:
    explicit TGroupBox(TComponent* owner) : TCustomGroupBox(owner) {}
};
