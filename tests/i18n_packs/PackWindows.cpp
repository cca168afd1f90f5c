#include "tests/i18n_packs/PackWindows.h"

#include "dialogs/RkColorQBE.h"
#include "dialogs/RkCopy.h"
#include "framework/data/BaseDM.h"
#include "framework/forms/BaseForm.h"
#include "framework/forms/SingleCF.h"
#include "toolkit/ui/dialogs/ScriptedModalLoop.h"
#include "toolkit/ui/grids/DBGrid.h"
#include "toolkit/ui/widgets/Menus.h"
#include "toolkit/ui/widgets/PageControl.h"

namespace {

// A window or data module that is there once the program has started.
template <class Reach>
auto Started(Reach reach) {
    return [reach](IPackPrograms& programs, const TInspect& inspect) {
        if (TComponent* instance = reach(programs)) inspect(*instance);
    };
}

// A dialog inspected while it is shown modally, then cancelled.
void WhileShown(IPackPrograms& programs, const char* className, const TInspect& inspect) {
    programs.ModalLoop().WhenNext(className, [inspect](TCustomForm& form) {
        inspect(form);
        form.SetModalResult(mrCancel);
    });
}

void CopyWindow(IPackPrograms& programs, const TInspect& inspect) {
    auto& program = static_cast<TfrmBase&>(programs.Tsgl01());
    WhileShown(programs, "TfrmCopy", inspect);
    TCopyData data;
    ExecuteCopy(&program, program.BaseDM()->cdsMain, program.BaseDM()->dsMain, false, "MA001,MA002", data);
}

void QueryWindow(IPackPrograms& programs, const TInspect& inspect) {
    auto& program = static_cast<TfrmBase&>(programs.Tsgl01());
    IQueryDialog* query = program.EnsureQueryDialog();
    if (!query) return;
    WhileShown(programs, query->Window()->ClassName().c_str(), inspect);
    std::string condition, order;
    query->Execute(condition, order);
}

void OptionsWindow(IPackPrograms& programs, const TInspect& inspect) {
    auto& program = static_cast<TfrmSingle&>(programs.Tsgl01());
    WhileShown(programs, "TfrmOptionsPlain", inspect);
    program.miOptions->Click();
}

// The colour filter over no rules: the rules' names are the company's data.
void ColorQueryWindow(IPackPrograms& programs, const TInspect& inspect) {
    auto& program = static_cast<TfrmSingle&>(programs.Tsgl01());
    TColorConditions rules;
    TColorQBEForm* dialog = TColorQBEForm::CreateColorQuery(&program, &rules);
    WhileShown(programs, "TColorQBEForm", inspect);
    dialog->ExecuteColorQuery(true, &rules);
}

// The quick search of the single-table window's browse grid, as the menu (Ctrl+F) shows it.
void SearchWindow(IPackPrograms& programs, const TInspect& inspect) {
    auto& program = static_cast<TfrmSingle&>(programs.Tsgl01());
    program.pgHead->SetActivePage(program.tbsBrowse);
    program.gdHead->SetFocus();
    WhileShown(programs, "TfrmSearchDlg", inspect);
    program.mnSearch->Click();
}

std::vector<std::string> KeyLabels() {
    std::vector<std::string> paths;
    for (int i = 0; i < kCopyKeyFields; ++i)
        for (const char* side : {"lblSource", "lblDest"}) paths.push_back(side + std::to_string(i) + ".Caption");
    return paths;
}

}  // namespace

const std::vector<TPackWindow>& PackWindows() {
    static const std::vector<TPackWindow> windows{
        // The single-table chain (TRKForm, TfrmRadical, TfrmBase, TfrmSingle) through the test program,
        // whose own texts come from its packs (tests/single/program/MultiLanguage).
        {"TfrmTsgl01", Started([](IPackPrograms& p) -> TComponent* { return &p.Tsgl01(); }), {"Caption"}},
        {"TdmTsgl01", Started([](IPackPrograms& p) -> TComponent* { return p.Tsgl01().DataModule; }), {}},
        {"TfrmTdef05", Started([](IPackPrograms& p) -> TComponent* { return &p.Tdef05(); }), {"Caption"}},
        {"TdmTdef05", Started([](IPackPrograms& p) -> TComponent* { return p.Tdef05().DataModule; }), {}},
        // The copy window's labels are the display labels of the key fields.
        {"TfrmCopy", CopyWindow, KeyLabels()},
        {"TQBEForm", QueryWindow, {}},
        {"TfrmOptionsPlain", OptionsWindow, {}},
        {"TColorQBEForm", ColorQueryWindow, {}},
        {"TfrmSearchDlg", SearchWindow, {}},
    };
    return windows;
}
