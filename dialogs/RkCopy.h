#pragma once
// The copy window "复制": the two steps of copying a document. The source page asks for the key of the
// document to copy (the current document's key is proposed) and has the owner window read it; the
// destination page asks for the key of the new document, typed straight into the new header's key
// fields. At most eight key fields.
#include <array>
#include <string>
#include <vector>

#include "framework/forms/CopyDialog.h"
#include "framework/forms/RKForm.h"

class TBitBtn;
class TDBEdit;
class TEdit;
class TGroupBox;
class TLabel;
class TPageControl;
class TRkLookupButton;
class TTabSheet;

inline constexpr int kCopyKeyFields = 8;

class TfrmCopy : public TRKForm {
    TK_CLASS_PUBLISHED(TfrmCopy, TRKForm)
public:
    explicit TfrmCopy(TComponent* owner);

    TPageControl* pgCopy = nullptr;
    TTabSheet* tbsSource = nullptr;
    TTabSheet* tbsDest = nullptr;
    TGroupBox* gbSource = nullptr;
    TGroupBox* gbDest = nullptr;
    std::array<TLabel*, kCopyKeyFields> lblSource{};
    std::array<TEdit*, kCopyKeyFields> edSource{};
    std::array<TLabel*, kCopyKeyFields> lblDest{};
    std::array<TDBEdit*, kCopyKeyFields> edDest{};
    std::array<TRkLookupButton*, kCopyKeyFields> btnDest{};
    TBitBtn* BBOK = nullptr;
    TBitBtn* BBPrior = nullptr;
    TBitBtn* BBCancel = nullptr;

    // --- State ------------------------------------------------------------------------------------
    bool AllowEmpty = false;
    std::vector<std::string> SourceKeys;  // what the source page sent to LoadCopySource
    std::vector<std::string> DestKeys;    // what the destination page held when it closed
    TCopyData Data;                       // what the owner's LoadCopySource gave

    // Binds the pages to the key fields of the dataset; false (after the error message) when the
    // dataset lacks one of them.
    bool PrepareFields(TClientDataSet* dataSet, TDataSource* source, const std::string& keyFields);
    // The window's code converter: the owner window's.
    TCodeConverter* Converter() const;
    bool OnSourcePage() const;

    // --- Published handlers -----------------------------------------------------------------------
    void BBOKClick(TObject* Sender);
    void BBPriorClick(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);

private:
    int fieldCount_ = 0;
    void ShowSourcePage();
    void ShowDestPage();
    void RefuseEmpty(TLabel* label, TWinControl* edit);
};

// Runs the copy window for the owner (a maintenance window that is an ICopySource): true when it
// closed with OK; data then holds what the source gave.
bool ExecuteCopy(TCustomForm* owner, TClientDataSet* dataSet, TDataSource* source, bool allowEmpty, const std::string& keyFields,
                 TCopyData& data);

// Makes ExecuteCopy the copy dialog of the master-detail windows.
void RegisterCopyDialog();
