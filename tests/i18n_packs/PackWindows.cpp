#include "tests/i18n_packs/PackWindows.h"

#include "dialogs/RkCopy.h"
#include "programs/tdef05/Tdef05Form.h"

namespace {

// A dialog as its user sees it: created for the program window, converted with the window's converter
// when it is created and translated along its class chain when it is shown.
template <class Dialog>
TComponent* OpenedDialog(TfrmTdef05& program) {
    auto* dialog = CreateComponent<Dialog>(&program);
    program.RkConverter->ConvertForm(dialog);
    dialog->ApplyLanguage(dialog, true);
    return dialog;
}

}  // namespace

const std::vector<TPackWindow>& PackWindows() {
    static const std::vector<TPackWindow> windows{
        {"TfrmTdef05", [](TfrmTdef05& program) -> TComponent* { return &program; }, {"Caption"}},
        {"TdmTdef05", [](TfrmTdef05& program) -> TComponent* { return program.DataModule; }, {}},
        {"TfrmCopy", OpenedDialog<TfrmCopy>, {}},
    };
    return windows;
}
