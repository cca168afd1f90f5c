#pragma once
// Beeps through the desktop.
#include "toolkit/ui/kernel/AppServices.h"

class TQtBeepService : public IBeepService {
public:
    void MessageBeep(unsigned type) override;
};
