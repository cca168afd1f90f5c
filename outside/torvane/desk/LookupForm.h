#pragma once
// The F2 lookup window: the catalog entry's caption and column titles over the candidate rows.
// Typing in the search box narrows the rows (a row stays when one of its values contains the
// text, letters compared without regard to case); Up and Down move through the rows from the box;
// one row or several (Ctrl or Shift with the mouse or the keys) are picked with OK, Enter or a
// double click; Esc or Cancel gives none.
#include <string>
#include <vector>

#include "toolkit/rtl/Variant.h"
#include "toolkit/ui/kernel/Forms.h"
#include "toolkit/ui/widgets/Button.h"
#include "toolkit/ui/widgets/Edit.h"
#include "toolkit/ui/widgets/Label.h"
#include "toolkit/ui/widgets/ListView.h"

struct LookupRequest;

class TfrmLookup : public TForm {
    TK_CLASS(TfrmLookup, TForm)
public:
    TfrmLookup(TComponent* owner, const std::string& caption, const std::vector<std::string>& titles, const Variant& rows,
               const std::string& search);

    TLabel* lblSearch;
    TEdit* edSearch;
    TListView* lvRows;
    TLabel* lblCount;
    TButton* btnOK;
    TButton* btnCancel;

    // The rows picked, as the lookup service answers them (an array of rows), or Unassigned.
    Variant Chosen() const;
    // The indexes of the rows shown now.
    const std::vector<int>& Shown() const { return shown_; }

private:
    void ShowRows();

    Variant rows_;
    std::vector<int> shown_;
};

// The rows (indexes) one of whose values contains search; every row for an empty search.
std::vector<int> MatchingRows(const Variant& rows, const std::string& search);
// The lookup service's choose callback: the window, modal.
Variant ChooseLookupRows(const LookupRequest& request, const Variant& rows);
