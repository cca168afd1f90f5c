#pragma once
// The find dialog component (rkSearchDialog1 of the maintenance windows): Execute opens the small
// stay-on-top window TfrmSearchDlg over a data grid; each "next" searches the records already in
// the grid's dataset, from the current one or from the beginning, for the next one whose cell in
// the chosen column contains (or, whole words only, equals) the typed text, and leaves the dataset
// on it. The last text searched is offered again the next time.
#include <functional>
#include <string>

#include "controls/RkSearchIntl.h"
#include "toolkit/rtl/Exception.h"

class TDBGrid;
class TfrmSearchDlg;

TK_DECLARE_EXCEPTION(ESearchError, Exception)

enum TSearchDirection {
    sdForward,
    sdBackward
};
TK_ENUM_TYPE(TSearchDirection, "sdForward", "sdBackward")
enum TSearchOrigin {
    soFromCursor,
    soFromBeginning
};
TK_ENUM_TYPE(TSearchOrigin, "soFromCursor", "soFromBeginning")
enum TSearchSortFields {
    sfSortByFieldName,
    sfSortByFieldNo
};
TK_ENUM_TYPE(TSearchSortFields, "sfSortByFieldName", "sfSortByFieldNo")

// Dialog is the open window (a TfrmSearchDlg).
using TRkSearchDialogEvent = std::function<void(TObject* Dialog)>;
using TRkAfterExecuteEvent = std::function<void(TObject* Dialog, bool& Found)>;
using TRkOnInitSearchDlgEvent = std::function<void(TObject* Dialog)>;
using TRkSelectFieldEvent = std::function<void(TObject* Dialog, const std::string& FieldName, const std::string& DisplayLabel)>;

class TrkSearchDialog : public TComponent {
    TK_CLASS_PUBLISHED(TrkSearchDialog, TComponent)
public:
    explicit TrkSearchDialog(TComponent* owner);
    ~TrkSearchDialog() override;

    std::string Caption = "Search text";
    bool CaseSensitive = false;
    TSearchDirection Direction = sdForward;
    TSearchOrigin Origin = soFromCursor;
    bool WholeWordsOnly = false;
    bool ShowMessages = true;
    TSearchSortFields SortFields = sfSortByFieldName;

    TDBGrid* SearchGrid() const { return grid_; }
    void SetSearchGrid(TDBGrid* grid);
    TRkUserIntl* UserIntl() const { return intl_; }
    void SetUserIntl(TRkUserIntl* intl);
    // The dialog's own messages (used when it has no UserIntl).
    TRkUserMessages* UserMessages() const { return messages_.get(); }
    // The messages in force: UserIntl's when there is one.
    const TRkUserMessages& Messages() const;

    // The text of the last search (offered again by the next Execute).
    const std::string& LastSearchText() const { return lastText_; }
    // The window while Execute runs, else nullptr.
    TfrmSearchDlg* Window() const { return window_; }

    // Runs the window modally; ESearchError when the grid has no open dataset. True only when the
    // window closed with OK (it has no OK button).
    bool Execute();

    TRkSearchDialogEvent BeforeSearch;
    TRkAfterExecuteEvent AfterSearch;
    TRkOnInitSearchDlgEvent OnInitDialog;
    TRkSelectFieldEvent OnSelectField;

    void Notification(TComponent* component, TOperation operation) override;

private:
    TDBGrid* grid_ = nullptr;
    TRkUserIntl* intl_ = nullptr;
    TOwnedPtr<TRkUserMessages> messages_;
    std::string lastText_;
    TfrmSearchDlg* window_ = nullptr;
};

// Moves the grid's dataset to the next record (the prior one when backward; the first, or last,
// when fromBeginning) whose display text in the column of fieldName, trailing blanks removed,
// contains text (equals it with wholeWords; compared upper-cased unless caseSensitive). True when
// found, the dataset then on that record; otherwise it stays on the record it was on.
bool FindText(TDBGrid* grid, const std::string& fieldName, const std::string& text, bool fromBeginning, bool backward,
              bool wholeWords, bool caseSensitive);
