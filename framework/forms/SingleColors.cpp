// The colour filter of the maintenance window: the header grid's colour rules from the program's
// colour-rule document, the menu of rules under the colour-filter button, the colour filter dialog,
// and reopening the last query's records that meet the rules in force.
#include "env/Log.h"
#include "framework/forms/ColorConditions.h"
#include "framework/forms/ColorQueryDialog.h"
#include "framework/forms/SingleCF.h"
#include "server/Brokers.h"
#include "toolkit/rtl/Dispatch.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/dialogs/Dialogs.h"
#include "toolkit/ui/graphics/Canvas.h"
#include "toolkit/ui/grids/DBGrids.h"
#include "toolkit/ui/kernel/Application.h"
#include "toolkit/ui/kernel/Hotkey.h"
#include "toolkit/ui/kernel/Screen.h"
#include "toolkit/ui/widgets/Menus.h"
#include "toolkit/ui/widgets/PageControl.h"
#include "toolkit/ui/widgets/ToolBar.h"

void TfrmSingle::LoadColorRules() {
    if (!ColorRules) ColorRules = std::make_unique<TColorConditions>();
    ColorRules->Clear();
    if (!IsColorManage || !Brokers) return;
    try {
        const Variant rows = Brokers->CallServer(
            "SimpleSql", VarArrayOf({"SELECT NH003 FROM $$ADMNH WHERE NH001 = " + QuotedStr(UpperCase(ProgramId())), "NH003"}));
        const std::string document = rows.IsArray() && rows.Count() > 0 ? VarToStr(ElementAt(ElementAt(rows, 0), 0)) : "";
        ReadColorConditions(document, "head", "gdHead", *ColorRules);
    } catch (const std::exception& e) {
        // Without readable rules the window has no colour filter.
        ReportError(e, "TfrmSingle.LoadColorRules", "colour rules of " + ProgramId());
        ColorRules->Clear();
    }
    if (ColorRules->Count() == 0) return;
    BuildColorMenu();
    if (!ColorQuery) ColorQuery = CreateColorQueryDialog(this, ColorRules.get());
}

void TfrmSingle::BuildColorMenu() {
    pmColorCondition->Items()->Clear();
    pmColorCondition->SetOwnerDraw(true);
    for (int i = 0; i < ColorRules->Count(); ++i) {
        auto* item = CreateComponent<TMenuItem>(this);
        item->SetName("mnuColor" + IntToStr(i));
        item->SetCaption(RkConverter->ToDisplayText(ColorRules->Items(i)->Caption()));
        item->SetTag(i);
        item->SetChecked(ColorRules->Items(i)->Selected);
        item->OnClick = [this](TObject* s) { ColorMenuClick(s); };
        item->OnDrawItem = [this](TObject* s, TCanvas* canvas, TRect rect, bool selected) {
            DrawColorMenuItem(dynamic_cast<TMenuItem*>(s), canvas, rect, selected);
        };
        pmColorCondition->Items()->Add(item);
    }
}

void TfrmSingle::DrawColorMenuItem(TMenuItem* item, TCanvas* canvas, TRect rect, bool selected) {
    if (!item || !canvas || !ColorRules || item->Tag() >= ColorRules->Count()) return;
    // The rule's own colours show what it paints; colours that are not numbers fall back on the menu's.
    const TColorCondition* rule = ColorRules->Items(item->Tag());
    int font = 0, back = 0;
    canvas->Font()->SetColor(ColorOfRule(rule->ColorX, font) ? static_cast<TColor>(font) : clBlack);
    canvas->Brush()->SetColor(selected ? clHighlight : ColorOfRule(rule->BkColor, back) ? static_cast<TColor>(back) : clMenu);
    canvas->FillRect(rect);
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextRect(rect, StripHotkey(item->Caption()), TTextFormat{tfCenter, tfVerticalCenter, tfSingleLine});
}

void TfrmSingle::ColorMenuClick(TObject* Sender) {
    auto* chosen = dynamic_cast<TMenuItem*>(Sender);
    if (!chosen || !ColorRules) return;
    for (int i = 0; i < ColorRules->Count(); ++i) ColorRules->Items(i)->Selected = i == chosen->Tag();
    ApplyColorFilter();
}

void TfrmSingle::btnColorQueryClick(TObject* Sender) {
    if (!ColorQuery || !ColorRules) return;
    if (!ColorQuery->ExecuteColorQuery(IsColorManage, ColorRules.get())) return;
    if (!ColorQuery->IsColorManageOn()) {
        ResetRowColors();
        btnColorQuery->SetVisible(false);
        IsColorManage = false;
        ToolBar1->ArrangeButtons();
    }
    ApplyColorFilter();
}

void TfrmSingle::ApplyColorFilter() {
    TdmSingle* dm = SingleDM();
    if (!dm || !ColorRules) return;
    for (int i = 0; i < pmColorCondition->Items()->Count(); ++i) {
        TMenuItem* item = pmColorCondition->Items()->Items(i);
        if (item->Tag() < ColorRules->Count()) item->SetChecked(ColorRules->Items(item->Tag())->Selected);
    }
    std::string rules;
    for (int i = 0; i < ColorRules->Count(); ++i)
        if (ColorRules->Items(i)->Selected) rules += " ( " + ColorRules->Items(i)->Value + " ) or ";
    if (!rules.empty()) rules.erase(rules.size() - 3);  // the last "or "
    std::string text = ColorCondition;
    if (!rules.empty())
        text = !ColorCondition.empty() && rules.find(ColorCondition) == std::string::npos
                   ? "(" + ColorCondition + ") and (" + rules + ")"
                   : rules;
    text = StringReplace(text, "$$", (Brokers ? Brokers->DatabaseName : std::string()) + "..", rfReplaceAll);
    const std::string kept = ColorCondition, order = ColorOrder;
    try {
        try {
            TCursorScope hourglass;
            if (SqlType == 0 && dm->AppServer.IsDispatch() && QueryDialog)
                OleCall(dm->AppServer, "SetTopRow", {QueryDialog->GetRowLimit()});
            OpenForQuery(text, order);
        } catch (const EAbort&) {
            throw;
        } catch (const std::exception& e) {
            ReportError(e, "TfrmSingle.ApplyColorFilter", "colour filter: " + text);
            Brokers->ShowMessageByCode("E", "000032", {std::string("颜色筛选出错！！")});
            OpenForQuery(kept, order);
        }
        ColorCondition = kept;
        SetEditMode(emBrowse);
        ShowBrowsePage();
        if (gdHead->CanFocus()) gdHead->SetFocus();
    } catch (const EAbort&) {
        throw;
    } catch (const std::exception& e) {
        ColorCondition = kept;
        ShowErrorBox(RkConverter->ToDisplayText(e.what()));
    }
}
