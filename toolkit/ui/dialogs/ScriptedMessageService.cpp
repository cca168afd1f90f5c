#include "toolkit/ui/dialogs/ScriptedMessageService.h"

void TScriptedMessageService::QueueAnswer(int answer) {
    answers_.push_back([answer](const TShownMessage&) { return answer; });
}

void TScriptedMessageService::QueueAnswer(TAnswerer answerer) { answers_.push_back(std::move(answerer)); }

const TShownMessage& TScriptedMessageService::Last() const {
    if (Shown().empty()) throw EInvalidOperation("No message was shown");
    return Shown().back();
}

int TScriptedMessageService::Answer(const TShownMessage& message) {
    if (answers_.empty()) {
        if (strict_) throw EInvalidOperation("Unexpected message: " + message.Text);
        return THeadlessMessageService::Answer(message);
    }
    TAnswerer answerer = std::move(answers_.front());
    answers_.pop_front();
    return answerer(message);
}
