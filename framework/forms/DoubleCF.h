#pragma once
// The maintenance window of documents: one header ("单头", cdsMain) and its body rows ("单身", cdsBody1)
// held by a master-detail data module. Under the header pages a splitter and the body grid; the
// master-detail versions of add, edit, delete, query, save and cancel; editing the body in the grid
// (Ctrl+Down enters it, Ctrl+Delete deletes a line); re-reading the current document; copying a
// document through the copy dialog; the document's attachments; the body exports.
#include <string>
#include <vector>

#include "framework/data/DoubleDM.h"
#include "framework/data/DoubleFormLink.h"
#include "framework/forms/CopyDialog.h"
#include "framework/forms/SingleCF.h"

class TImage;
class TSplitter;

class TfrmDouble : public TfrmSingle, public IDoubleFormLink, public ICopySource {
    TK_CLASS_PUBLISHED(TfrmDouble, TfrmSingle)
public:
    explicit TfrmDouble(TComponent* owner);
    ~TfrmDouble() override;

    // --- Resource ---------------------------------------------------------------------------------
    TImage* ImgConfirm = nullptr;  // the stamp on page 0 (48 by 49, transparent)
    TSplitter* sprBody = nullptr;
    TPageControl* pgBody = nullptr;
    TTabSheet* tbsBody1 = nullptr;
    TDBGrid* gdBody1 = nullptr;
    TPanel* pnlFoot = nullptr;
    TToolButton* btnFlow = nullptr;    // drop-down DropDownPopupMenu
    TToolButton* btnAttach = nullptr;  // 附件
    TPopupMenu* DropDownPopupMenu = nullptr;
    TMenuItem* mnuMessageCenter = nullptr;  // 消息中心
    TMenuItem* mnuAttach = nullptr;         // 附件 (hidden)
    TMenuItem* mnuCopy = nullptr;           // 复制单据
    TMenuItem* miCopy = nullptr;            // 复制单据(&Y) of the data menu, Ctrl+D: the keyboard's way
    TMenuItem* miBodyToExcel = nullptr;     // 单身资料转Excel（含格式）, Ctrl+F3
    TMenuItem* miBodyToExcel2 = nullptr;    // 单身资料转Excel（不含格式）, Ctrl+F4

    // --- State a concrete program sets ------------------------------------------------------------
    std::string ConfirmField;  // "N"/empty not confirmed, "Y" confirmed, "V" void, "U" locked
    std::string BodyConfirmField;
    std::string ConfirmDateField;
    std::string ApprovalStatusField;
    int ConfirmAfterSave = 2;
    bool PrintAfterSave = false;
    bool CheckClosingDate = false;
    double ClosingDate = 0;
    std::string StatusBodyFields;     // comma-separated body fields shown in the status line
    std::string CarryOverBodyFields;  // body fields a new line takes from the previous one
    int BodyRequired = 0;             // 1 ask before saving an empty body, 2 refuse, 0/3 allow
    bool KeepPosition = true;
    int SavedHeadHeight = 0;
    bool AttachmentsEnabled = false;
    bool BodyTitleSortEnabled = true;
    std::string SavedSequenceNumber;     // the number the sequence field showed before the save
    std::string AssignedSequenceNumber;  // the number the server gave the document just saved

    TdmDouble* DoubleDM() const { return dynamic_cast<TdmDouble*>(DataModule); }
    TDataModuleClass DataModuleClass() const override;

    // --- Operations of the chain ------------------------------------------------------------------
    bool DoAdd(bool reset = true) override;
    bool DoEdit() override;
    bool DoDelete(bool ask) override;
    bool DoQuery() override;
    void ShowBrowsePage() override;
    bool DoSave() override;
    bool DoCancel(bool ask) override;
    void ReopenWithQuery() override;
    bool ValidateBeforePost(TDataSet* dataSet) override;
    void ShowMode(int mode) override;
    void UpdateCommandStates() override;
    void OpenWithCondition(TDataSet* dataSet, const std::string& condition, const std::string& order) override;
    void UpdateBatchMenu() override;
    void pgHeadChange(TObject* Sender) override;
    void InitAfterDataModule() override;
    void ResetForm() override;
    void ShowAttachments() override;
    void LoadAttachmentKeys() override;
    bool DialogKey(WORD key, TShiftState shift) override;
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void FormKeyPress(TObject* Sender, char32_t& Key);

    // --- Virtual operations introduced ------------------------------------------------------------
    virtual bool CopyDocument();
    virtual void BeforeCopyBody() {}
    virtual void AfterCopyHead() {}
    virtual void AfterCopyBodyRow() {}
    // A copied row's extra entry (an array) for the program.
    virtual void CopyBodyExtra(const Variant& extra) {}
    virtual Variant CopyHeadValue(TField* field);
    virtual Variant CopyBodyValue(TField* field);
    virtual void AfterSave() {}

    // --- Other operations -------------------------------------------------------------------------
    // Shows the body page and puts the focus into the body grid (on its first column when asked).
    void EnterBody(bool firstColumn);
    // Header and body as the active page asks (browse page: header alone).
    void UpdateLayout();
    // The key condition of the current document: M11_TABLE.field = value terms joined with " and ".
    std::string KeyCondition();
    // Numbers the server gave: the saved document's number and whether it numbered it.
    bool ServerNumbering() const;
    // The key text of the current document ("||" between the key values).
    std::string DocumentKeyText() { return CurrentKeyText(); }
    // Ctrl+Delete on the body: with an editable body that has lines, asks C/000005 and deletes the
    // current line on OK; true when it asked.
    bool DeleteBodyLine();
    // The closing-date check of edit, delete and save; false (after E/000009) when the document is closed.
    bool PassesClosingDate();
    // Whether the document's confirmation code forbids editing and deleting ("Y", "U", "V").
    bool ConfirmationLocks() const;
    // Whether the body may take new lines and lose lines now.
    bool BodyEditable() const { return bodyEditable_; }

    // --- ICopySource ------------------------------------------------------------------------------
    bool LoadCopySource(const std::vector<std::string>& keyValues, TCopyData& data) override;

    // --- IDoubleFormLink --------------------------------------------------------------------------
    std::string CarryOverFields() const override { return CarryOverBodyFields; }
    void BodyGridToFirstColumn() override;
    void ApplyBodyUserDefaults() override;
    void BodyDataChanged() override;
    void HeaderPosted() override {}
    bool BodyTitleSortAllowed() const override { return BodyTitleSortEnabled; }
    void RefreshBody() override;
    bool BrowsePageShowing() const override;
    bool BodyGridShowing() const override;
    void ShowStatusPanel(int panel, const std::string& text) override { SetStatusText(panel, text); }

    // --- Published handlers -----------------------------------------------------------------------
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void pgHeadResize(TObject* Sender);
    void gdBody1Enter(TObject* Sender);
    void gdBody1Exit(TObject* Sender);
    void gdBody1KeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void gdBody1TitleButtonClick(TObject* Sender, const std::string& FieldName);
    void btnReFreshClick(TObject* Sender);
    void mnuCopyClick(TObject* Sender);
    void btnAttachClick(TObject* Sender);
    void miBodyToExcelClick(TObject* Sender);
    void miBodyToExcel2Click(TObject* Sender);

private:
    void BuildDoubleResource();
    void BuildDoubleMenus();
    // Body appends and deletes allowed or not; the grid and the foot panel follow.
    void AllowBodyChanges(bool allow);
    // Brings the body into the order of its sequence field when it has none, the clone too.
    void IndexBody();
    // The body and its clone after add or edit started; raises "Copy Body Clone Error!!".
    void PrepareBody();
    void ShowAttachmentState();
    bool SaveDocument(bool inserting);
    void AfterSuccessfulSave(bool inserting, bool renumbered);
    void ReopenOnKey(const std::string& condition);
    std::string ReopenFromCurrentCondition();
    void CopyIntoNewDocument(const TCopyData& data);
    void LabelBodyUserFields();
    void ApplyBodyTitleColors();
    bool EmptyBodyRefused();
    bool bodyEditable_ = false;
    bool layingOut_ = false;
    std::vector<std::string> copySourceKeys_;
};

using TDoubleFormClass = TClassOf<TfrmDouble>;
