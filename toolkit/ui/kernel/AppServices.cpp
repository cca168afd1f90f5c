#include "toolkit/ui/kernel/AppServices.h"

std::vector<int> MessageBoxAnswers(unsigned flags) {
    switch (flags & 0xF) {
        case MB_OKCANCEL: return {IDOK, IDCANCEL};
        case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
        case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
        case MB_YESNO: return {IDYES, IDNO};
        case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
        default: return {IDOK};
    }
}

int MessageBoxDefaultAnswer(unsigned flags) {
    std::vector<int> answers = MessageBoxAnswers(flags);
    std::size_t index = (flags & 0xF00) >> 8;
    return index < answers.size() ? answers[index] : answers.front();
}
