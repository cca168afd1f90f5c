#pragma once
// Beeps through the desktop.
#include "toolkit/ui/AppServices.h"

class TQtBeepService : public IBeepService {
public:
    void MessageBeep(unsigned type) override;
};
