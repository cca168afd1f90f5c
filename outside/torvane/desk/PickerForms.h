#pragma once
// The lookup service's small windows: common phrases, a date picker, a character picker and a
// calculator. Each is modal; OK (or Enter, or a double click on a choice) gives the value, Esc or
// Cancel leaves the caller's value as it was.
#include <string>
#include <vector>

#include "toolkit/rtl/DateTime.h"
#include "toolkit/ui/grids/Grids.h"
#include "toolkit/ui/kernel/Forms.h"
#include "toolkit/ui/widgets/Button.h"
#include "toolkit/ui/widgets/Edit.h"
#include "toolkit/ui/widgets/Label.h"
#include "toolkit/ui/widgets/ListBox.h"

class TfrmPhrase : public TForm {
    TK_CLASS(TfrmPhrase, TForm)
public:
    TfrmPhrase(TComponent* owner, const std::string& text, const std::vector<std::string>& phrases);
    TListBox* lbPhrases;
    TEdit* edPhrase;
    TButton* btnOK;
    TButton* btnCancel;
};

// A month of days; the chosen day as a stored date "YYYYMMDD".
class TfrmInputDay : public TForm {
    TK_CLASS(TfrmInputDay, TForm)
public:
    TfrmInputDay(TComponent* owner, const std::string& storedDate);
    TLabel* lblMonth;
    TButton* btnPrior;
    TButton* btnNext;
    TButton* btnToday;
    TStringGrid* sgDays;
    TButton* btnOK;
    TButton* btnCancel;

    TDateTime Day() const { return day_; }
    void SetDay(TDateTime day);
    std::string StoredDate() const;

private:
    void ShowMonth();
    TDateTime day_ = 0;
};

// A table of special characters; the chosen one.
class TfrmCharacters : public TForm {
    TK_CLASS(TfrmCharacters, TForm)
public:
    explicit TfrmCharacters(TComponent* owner);
    TStringGrid* sgChars;
    TButton* btnOK;
    TButton* btnCancel;
    std::string Chosen() const;
};

// An expression line with the digit and operator keys; OK gives its value.
class TfrmCalculator : public TForm {
    TK_CLASS(TfrmCalculator, TForm)
public:
    TfrmCalculator(TComponent* owner, const std::string& text);
    TEdit* edExpression;
    TLabel* lblResult;
    TButton* btnOK;
    TButton* btnCancel;
    // The expression's value as text; empty when it is not a valid expression.
    std::string Result() const;

private:
    void ShowResult();
};

// A stored date's day ("YYYYMMDD"); nothing for another text.
bool StoredDateToDay(const std::string& text, TDateTime& day);
std::string DayToStoredDate(TDateTime day);
