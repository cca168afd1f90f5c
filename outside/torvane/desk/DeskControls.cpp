#include "outside/torvane/desk/DeskControls.h"

void UseDeskFont(TCustomForm* form) {
    form->Font()->SetName("SimSun");
    form->Font()->SetCharset(GB2312_CHARSET);
    form->Font()->SetHeight(-12);
}
