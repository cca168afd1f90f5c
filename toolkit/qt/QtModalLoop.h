#pragma once
// Modal forms on Qt: a nested QEventLoop runs while the form is shown modally, until it has a
// modal result its CloseModal accepts, it is freed, or the application is terminated (mrCancel).
#include <map>

#include "toolkit/ui/kernel/AppServices.h"

class QEventLoop;

class TQtModalLoop : public IModalLoop {
public:
    int Run(TCustomForm& form) override;
    void ModalResultChanged(TCustomForm& form) override;
    // The form is going away: its loop ends.
    static void FormGone(TCustomForm& form);

private:
    int RunLoop(TCustomForm& form);
    static std::multimap<TCustomForm*, QEventLoop*>& Loops();
};
