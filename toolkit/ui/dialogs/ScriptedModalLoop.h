#pragma once
// A modal loop driven by a script, for tests and script runs of the work center: "when TfrmCopy is
// shown modally, type the key and press BBOK". Every modal showing is recorded.
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "toolkit/ui/kernel/AppServices.h"

class TScriptedModalLoop : public IModalLoop {
public:
    using TAction = std::function<void(TCustomForm& form)>;
    struct TShowing {
        std::string ClassName;
        std::string Caption;
        bool Scripted = false;
        int Result = mrNone;
    };

    // The action runs each time a form of that class, or of a class derived from it, is shown
    // modally (the script of the nearest class in the form's class chain wins). It may set the
    // modal result, click buttons, type keys or post messages; the loop then goes on as the
    // headless one (an unanswered form is cancelled).
    void When(const std::string& className, TAction action);
    // For the next showing of such a form only; comes before When.
    void WhenNext(const std::string& className, TAction action);
    // Strict: a modal form without a script raises EInvalidOperation instead of being cancelled.
    void SetStrict(bool strict) { strict_ = strict; }

    const std::vector<TShowing>& Showings() const { return showings_; }
    std::size_t PendingNextActions() const;
    void Clear();

    int Run(TCustomForm& form) override;

private:
    TAction Find(const TCustomForm& form);

    std::map<std::string, TAction> every_;
    std::map<std::string, std::deque<TAction>> next_;
    std::vector<TShowing> showings_;
    bool strict_ = false;
};
