#include "outside/torvane/desk/PickerForms.h"

#include "outside/torvane/desk/CalcExpression.h"
#include "outside/torvane/desk/DeskControls.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

void AddOkCancel(TCustomForm* form, TButton*& ok, TButton*& cancel, int top, int right) {
    ok = Place<TButton>(form, form, "btnOK", right - 160, top, 75, 25);
    ok->SetCaption("确定");
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    cancel = Place<TButton>(form, form, "btnCancel", right - 75, top, 75, 25);
    cancel->SetCaption("取消");
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
}

void SetUpDialog(TCustomForm* form, const std::string& name, const std::string& caption, int width, int height) {
    form->SetName(name);
    form->SetCaption(caption);
    form->SetBorderStyle(bsDialog);
    form->SetPosition(poScreenCenter);
    UseDeskFont(form);
    form->SetBounds(0, 0, width, height);
}

}  // namespace

TfrmPhrase::TfrmPhrase(TComponent* owner, const std::string& text, const std::vector<std::string>& phrases) : TForm(owner) {
    SetUpDialog(this, "frmPhrase", "常用词汇", 320, 300);
    lbPhrases = Place<TListBox>(this, this, "lbPhrases", 10, 10, 300, 200);
    for (const std::string& phrase : phrases) lbPhrases->Items()->Add(phrase);
    edPhrase = Place<TEdit>(this, this, "edPhrase", 10, 220, 300, 22);
    edPhrase->SetText(text);
    lbPhrases->OnClick = [this](TObject*) {
        if (lbPhrases->ItemIndex() >= 0) edPhrase->SetText(lbPhrases->Items()->Strings(lbPhrases->ItemIndex()));
    };
    lbPhrases->OnDblClick = [this](TObject*) {
        if (lbPhrases->ItemIndex() >= 0) SetModalResult(mrOk);
    };
    AddOkCancel(this, btnOK, btnCancel, 255, 310);
    SetActiveControl(lbPhrases);
}

bool StoredDateToDay(const std::string& text, TDateTime& day) {
    std::string t = Trim(text);
    if (t.size() != 8) return false;
    int year = 0, month = 0, dayOfMonth = 0;
    if (!TryStrToInt(t.substr(0, 4), year) || !TryStrToInt(t.substr(4, 2), month) || !TryStrToInt(t.substr(6, 2), dayOfMonth))
        return false;
    return TryEncodeDate(year, month, dayOfMonth, day);
}

std::string DayToStoredDate(TDateTime day) { return FormatDateTime("yyyymmdd", day); }

TfrmInputDay::TfrmInputDay(TComponent* owner, const std::string& storedDate) : TForm(owner) {
    SetUpDialog(this, "frmInputDay", "日期", 260, 250);
    btnPrior = Place<TButton>(this, this, "btnPrior", 10, 8, 30, 22);
    btnPrior->SetCaption("<");
    lblMonth = Place<TLabel>(this, this, "lblMonth", 50, 11, 110, 18);
    btnNext = Place<TButton>(this, this, "btnNext", 160, 8, 30, 22);
    btnNext->SetCaption(">");
    btnToday = Place<TButton>(this, this, "btnToday", 195, 8, 55, 22);
    btnToday->SetCaption("今天");
    sgDays = Place<TStringGrid>(this, this, "sgDays", 10, 36, 240, 162);
    sgDays->SetColCount(7);
    sgDays->SetRowCount(7);
    sgDays->SetFixedCols(0);
    sgDays->SetFixedRows(1);
    sgDays->SetDefaultColWidth(33);
    sgDays->SetDefaultRowHeight(22);
    const char* names[] = {"日", "一", "二", "三", "四", "五", "六"};
    for (int c = 0; c < 7; ++c) sgDays->SetCells(c, 0, names[c]);
    AddOkCancel(this, btnOK, btnCancel, 210, 250);

    btnPrior->OnClick = [this](TObject*) { SetDay(IncMonth(day_, -1)); };
    btnNext->OnClick = [this](TObject*) { SetDay(IncMonth(day_, 1)); };
    btnToday->OnClick = [this](TObject*) { SetDay(Date()); };
    sgDays->OnSelectCell = [this](TObject*, int col, int row, bool& canSelect) {
        int dayOfMonth = 0;
        canSelect = TryStrToInt(sgDays->Cells(col, row), dayOfMonth);
        if (canSelect) day_ = EncodeDate(YearOf(day_), MonthOf(day_), dayOfMonth);
    };
    sgDays->OnDblClick = [this](TObject*) { SetModalResult(mrOk); };
    TDateTime day = Date();
    StoredDateToDay(storedDate, day);
    SetDay(day);
    SetActiveControl(sgDays);
}

void TfrmInputDay::SetDay(TDateTime day) {
    day_ = day;
    ShowMonth();
}

void TfrmInputDay::ShowMonth() {
    int year = YearOf(day_), month = MonthOf(day_);
    lblMonth->SetCaption(std::to_string(year) + "年" + (month < 10 ? "0" : "") + std::to_string(month) + "月");
    for (int row = 1; row < 7; ++row)
        for (int col = 0; col < 7; ++col) sgDays->SetCells(col, row, "");
    int offset = DayOfWeek(EncodeDate(year, month, 1)) - 1;  // Sunday first
    for (int d = 1; d <= DaysInAMonth(year, month); ++d) {
        int cell = offset + d - 1;
        sgDays->SetCells(cell % 7, 1 + cell / 7, std::to_string(d));
    }
    int cell = offset + DayOf(day_) - 1;
    TDateTime keep = day_;
    sgDays->SetCol(cell % 7);
    sgDays->SetRow(1 + cell / 7);
    day_ = keep;
}

std::string TfrmInputDay::StoredDate() const { return DayToStoredDate(day_); }

TfrmCharacters::TfrmCharacters(TComponent* owner) : TForm(owner) {
    SetUpDialog(this, "frmCharacters", "特殊字符", 360, 250);
    static const char* chars[] = {"①", "②", "③", "④", "⑤",  "⑥",  "⑦",  "⑧",  "⑨",  "⑩", "√", "×", "±", "÷", "≠", "≤", "≥",
                                  "∞", "℃", "‰", "§", "№",  "☆",  "★",  "○",  "●",  "◎", "◇", "◆", "□", "■", "△", "▲", "→",
                                  "←", "↑", "↓", "※", "㎡", "㎏", "㎜", "㎝", "㎞", "¥", "€", "Φ", "Ω", "α", "β", "γ"};
    constexpr int kColumns = 10;
    int count = static_cast<int>(sizeof chars / sizeof chars[0]);
    sgChars = Place<TStringGrid>(this, this, "sgChars", 10, 10, 340, 170);
    sgChars->SetFixedCols(0);
    sgChars->SetFixedRows(0);
    sgChars->SetColCount(kColumns);
    sgChars->SetRowCount((count + kColumns - 1) / kColumns);
    sgChars->SetDefaultColWidth(32);
    sgChars->SetDefaultRowHeight(32);
    for (int i = 0; i < count; ++i) sgChars->SetCells(i % kColumns, i / kColumns, chars[i]);
    sgChars->OnDblClick = [this](TObject*) { SetModalResult(mrOk); };
    AddOkCancel(this, btnOK, btnCancel, 210, 350);
    SetActiveControl(sgChars);
}

std::string TfrmCharacters::Chosen() const { return sgChars->Cells(sgChars->Col(), sgChars->Row()); }

TfrmCalculator::TfrmCalculator(TComponent* owner, const std::string& text) : TForm(owner) {
    SetUpDialog(this, "frmCalculator", "计算器", 230, 270);
    edExpression = Place<TEdit>(this, this, "edExpression", 10, 10, 210, 22);
    edExpression->SetText(text);
    lblResult = Place<TLabel>(this, this, "lblResult", 10, 38, 210, 18);
    const char* keys[4][4] = {{"7", "8", "9", "/"}, {"4", "5", "6", "*"}, {"1", "2", "3", "-"}, {"0", ".", "C", "+"}};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            std::string key = keys[r][c];
            std::string name = key == "/"   ? "Divide"
                               : key == "*" ? "Multiply"
                               : key == "-" ? "Minus"
                               : key == "+" ? "Plus"
                               : key == "." ? "Point"
                               : key == "C" ? "Clear"
                                            : key;
            auto* button = Place<TButton>(this, this, "btn" + name, 10 + c * 54, 62 + r * 34, 48, 28);
            button->SetCaption(key);
            button->SetTabStop(false);
            button->OnClick = [this, key](TObject*) {
                if (key == "C")
                    edExpression->SetText("");
                else
                    edExpression->SetText(edExpression->Text() + key);
            };
        }
    }
    auto* equals = Place<TButton>(this, this, "btnEquals", 10, 198, 210, 28);
    equals->SetCaption("=");
    equals->SetTabStop(false);
    equals->OnClick = [this](TObject*) {
        std::string result = Result();
        if (!result.empty()) edExpression->SetText(result);
    };
    edExpression->OnChange = [this](TObject*) { ShowResult(); };
    AddOkCancel(this, btnOK, btnCancel, 235, 220);
    ShowResult();
    SetActiveControl(edExpression);
}

std::string TfrmCalculator::Result() const {
    std::optional<double> value = EvaluateExpression(edExpression->Text());
    return value ? CalcValueText(*value) : std::string();
}

void TfrmCalculator::ShowResult() {
    std::string result = Result();
    lblResult->SetCaption(result.empty() ? (Trim(edExpression->Text()).empty() ? "" : "算式有误") : "= " + result);
}
