#include "tests/i18n_packs/PackWindows.h"

#include "programs/tdef05/Tdef05Form.h"

const std::vector<TPackWindow>& PackWindows() {
    static const std::vector<TPackWindow> windows{
        {"TfrmTdef05", [](TfrmTdef05& program) -> TComponent* { return &program; }, {"Caption"}},
        {"TdmTdef05", [](TfrmTdef05& program) -> TComponent* { return program.DataModule; }, {}},
    };
    return windows;
}
