#pragma once
// The find dialog's window: the text to find (with the last one offered), the field to search, case
// and whole-word options, direction and origin, "next" and "close". It searches the grid of the
// TrkSearchDialog that opened it; the dialog's events run from here.
#include <string>
#include <vector>

#include "toolkit/ui/graphics/OwnerDraw.h"
#include "toolkit/ui/kernel/Forms.h"

class TButton;
class TCheckBox;
class TComboBox;
class TDBGrid;
class TGroupBox;
class TLabel;
class TRadioButton;
class TrkSearchDialog;

class TfrmSearchDlg : public TForm {
    TK_CLASS_PUBLISHED(TfrmSearchDlg, TForm)
public:
    explicit TfrmSearchDlg(TComponent* owner);

    TLabel* lblSearchText = nullptr;
    TComboBox* cbbText = nullptr;
    TGroupBox* grpFields = nullptr;
    TComboBox* cbbFields = nullptr;
    TGroupBox* grpOptions = nullptr;
    TCheckBox* chkCase = nullptr;
    TCheckBox* chkWholeWords = nullptr;
    TGroupBox* grpDirection = nullptr;
    TRadioButton* rbForward = nullptr;
    TRadioButton* rbBackward = nullptr;
    TGroupBox* grpOrigin = nullptr;
    TRadioButton* rbCursor = nullptr;
    TRadioButton* rbBeginning = nullptr;
    TButton* btnNext = nullptr;
    TButton* btnClose = nullptr;

    TrkSearchDialog* Dialog = nullptr;
    TDBGrid* Grid = nullptr;
    // Field names parallel to cbbFields' items.
    std::vector<std::string> FieldNames;

    // The chosen field's name ("" when none is chosen).
    std::string SelectedFieldName() const;

    void FormShow(TObject* Sender);
    void FormActivate(TObject* Sender);
    void cbbTextKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void cbbFieldsChange(TObject* Sender);
    void cbbFieldsDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State);
    void rbBeginningClick(TObject* Sender);
    void btnNextClick(TObject* Sender);
    void btnCloseClick(TObject* Sender);

private:
    // Puts the texts and font of the dialog's UserIntl on the window.
    void ApplyUserIntl();
};
