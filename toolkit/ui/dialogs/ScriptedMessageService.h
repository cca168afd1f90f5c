#pragma once
// A message service driven by a script, for tests and script runs: queued answers for the next
// message boxes and dialogs ("answer the next message box with Cancel"); every message is recorded
// with its kind, text, caption, buttons and answer.
#include <deque>
#include <functional>

#include "toolkit/ui/dialogs/HeadlessServices.h"

class TScriptedMessageService : public THeadlessMessageService {
public:
    using TAnswerer = std::function<int(const TShownMessage& message)>;

    // The answer for the next message not yet answered (mrYes, mrCancel ... which equal IDYES,
    // IDCANCEL ...), or a function choosing it.
    void QueueAnswer(int answer);
    void QueueAnswer(TAnswerer answerer);
    std::size_t PendingAnswers() const { return answers_.size(); }
    // Strict: a message without a queued answer raises EInvalidOperation instead of taking its
    // default button.
    void SetStrict(bool strict) { strict_ = strict; }

    int Count() const { return static_cast<int>(Shown().size()); }
    // The last message shown; EInvalidOperation when none was.
    const TShownMessage& Last() const;

protected:
    int Answer(const TShownMessage& message) override;

private:
    std::deque<TAnswerer> answers_;
    bool strict_ = false;
};
