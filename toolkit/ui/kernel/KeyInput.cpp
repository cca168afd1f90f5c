#include "toolkit/ui/kernel/KeyInput.h"

#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/kernel/Screen.h"

TWinControl* KeyboardTarget() {
    TCustomForm* form = Screen->ActiveForm();
    if (!form) return nullptr;
    return form->ActiveControl() ? form->ActiveControl() : form;
}

bool SimulateKeystroke(TWinControl* target, WORD key, TShiftState shift) {
    if (!target) target = KeyboardTarget();
    if (!target) return false;
    TComponentRef<TWinControl> alive(target);
    LPARAM shiftBits = static_cast<LPARAM>(ShiftStateToWParam(shift));
    bool consumed = target->Perform(WM_KEYDOWN, key, shiftBits) != 0;
    if (!alive) return true;
    if (!consumed) {
        if (char32_t ch = KeyToChar(key, shift)) {
            target->Perform(WM_CHAR, ch, shiftBits);
            if (!alive) return true;
        }
    }
    target->Perform(WM_KEYUP, key, shiftBits);
    return true;
}

namespace {
char32_t DecodeUtf8(const std::string& ch) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(ch[i]); };
    switch (ch.size()) {
        case 1: return byte(0);
        case 2: return ((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F);
        case 3: return ((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
        case 4: return ((byte(0) & 0x07) << 18) | ((byte(1) & 0x3F) << 12) | ((byte(2) & 0x3F) << 6) | (byte(3) & 0x3F);
        default: return 0xFFFD;
    }
}
}  // namespace

bool SimulateTyping(TWinControl* target, const std::string& text) {
    TComponentRef<TWinControl> fixed(target);
    for (const std::string& ch : Utf8Chars(text)) {
        TWinControl* to = target ? fixed.Get() : KeyboardTarget();
        if (!to) return false;
        to->Perform(WM_CHAR, DecodeUtf8(ch), 0);
    }
    return true;
}
