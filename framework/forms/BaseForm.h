#pragma once
// The record-maintenance level of the form chain over the data module's header dataset cdsMain:
// the edit modes (Browse, Edit, Insert) and their status text; the standard commands (add, query,
// edit, delete, navigation, exit, grid views, tool bar, field management, quick search) with their
// tool buttons, menu items and keys; the command flags from the user's rights, record-level rights
// by who created the record; field restrictions and required fields; the close-with-changes
// question; opening with a condition; the document link of a record.
#include <cstdint>
#include <memory>
#include <string>

#include "framework/data/BaseDM.h"
#include "framework/data/FieldLists.h"
#include "framework/forms/QueryDialog.h"
#include "framework/forms/RadicalForm.h"

class TStatusBar;
class TToolBar;
class TToolButton;
class TImageList;
class TMainMenu;
class TMenuItem;
class TCustomGrid;
class TDBGrid;
class TMT_Doc;
class TRkUserIntl;
class TrkSearchDialog;

// Edit modes of a maintenance form (EditMode) and the modes ShowMode takes (1 Browse, 2 Edit, 3 Insert).
enum TEditMode : std::uint8_t {
    emBrowse = 0,
    emEdit = 1,
    emInsert = 2
};

// Host command bits (CommandRights elements) that gate the commands.
enum TCommandElement : int {
    ceAdd = 0,
    ceEdit = 1,
    ceQuery = 2,
    ceDelete = 3,
    cePrint = 4
};

class TfrmBase : public TfrmRadical {
    TK_CLASS_PUBLISHED(TfrmBase, TfrmRadical)
public:
    explicit TfrmBase(TComponent* owner);
    ~TfrmBase() override;

    // --- Resource ---------------------------------------------------------------------------------
    TStatusBar* Status = nullptr;
    TToolBar* ToolBar1 = nullptr;
    TImageList* ImageList1 = nullptr;
    TToolButton* btnAdd = nullptr;
    TToolButton* btnQuery = nullptr;
    TToolButton* btnEdit = nullptr;
    TToolButton* btnDelete = nullptr;
    TToolButton* btnPrint = nullptr;
    TToolButton* ToolButton6 = nullptr;  // separator
    TToolButton* btnFirst = nullptr;
    TToolButton* btnPrior = nullptr;
    TToolButton* btnNext = nullptr;
    TToolButton* btnLast = nullptr;
    TToolButton* btnReFresh = nullptr;
    TToolButton* ToolButton12 = nullptr;  // separator
    TMainMenu* MainMenu = nullptr;
    TMenuItem* MenuItem1 = nullptr;  // 资料(&D)
    TMenuItem* miAdd = nullptr;
    TMenuItem* miQuery = nullptr;
    TMenuItem* miEdit = nullptr;
    TMenuItem* miDelete = nullptr;
    TMenuItem* miViewItem = nullptr;
    TMenuItem* N1 = nullptr;
    TMenuItem* miFirst = nullptr;
    TMenuItem* miPrior = nullptr;
    TMenuItem* miNext = nullptr;
    TMenuItem* miLast = nullptr;
    TMenuItem* N2 = nullptr;
    TMenuItem* NG = nullptr;
    TMenuItem* MenuItem11 = nullptr;  // 功能(&F)
    TMenuItem* miToolBar = nullptr;
    TMenuItem* miManager = nullptr;
    TMenuItem* N3 = nullptr;
    TMenuItem* mnSearch = nullptr;
    TMenuItem* MenuItem16 = nullptr;  // 退出(&X)
    TMenuItem* miExit = nullptr;
    TrkSearchDialog* rkSearchDialog1 = nullptr;  // the quick search ("快速定位")
    TRkUserIntl* RkUserIntl1 = nullptr;          // its texts and font

    // --- State ------------------------------------------------------------------------------------
    std::uint8_t EditMode = emBrowse;
    bool CanAdd = false, CanQuery = false, CanEdit = false, CanDelete = false, CanConfirm = false;
    bool CanUnconfirm = false, CanPrint = false, CanSeeFieldsA = false, CanSeeFieldsB = false;
    bool FieldsAReadOnly = false, FieldsBReadOnly = false, CanSendApproval = false, RightsFlag44 = false;
    bool CanVoid = false;
    std::string RequiredFields;
    std::string FieldsA, FieldsB, Sys024FieldsA, Sys024FieldsB;
    std::string DocumentLink;
    bool IsFocusPageOne = true;
    bool IsKeepOnAdd = true;
    std::string LastCondition, LastOrder;
    TCustomForm* QueryForm = nullptr;     // owned by this form
    IQueryDialog* QueryDialog = nullptr;  // the same object
    bool LastSaveFailed = false;          // set by a failed save, cleared by UpdateCommandStates
    bool CloseAfterSave = false;          // a single add or edit asked from outside (run modes 7, 8)
    bool ItemDocumentFlag = false;        // ViewDocument looks in the item table (INVMB, kind 12)
    // Start-time enable list of the host: "btnAdd=Y;btnDelete=N".
    std::string EnableList;

    // --- Virtual operations, in slot order --------------------------------------------------------
    virtual bool DoAdd(bool reset = true);
    virtual bool DoEdit();
    virtual bool DoDelete(bool ask);
    virtual bool DoQuery() { return true; }
    virtual bool DoPrint(bool preview = false) { return true; }
    virtual bool DoSave() = 0;
    virtual bool DoCancel(bool ask);
    // DoExit of the command table (the toolkit's DoExit is the focus leaving a control).
    virtual bool DoExitForm();
    virtual bool ViewDocument();
    virtual void ApplyRights();
    virtual void ReopenWithQuery();
    virtual bool KeepFailedChanges() { return false; }
    bool ValidateBeforePost(TDataSet* dataSet) override;
    virtual void ShowMode(int mode);
    void RecordChanged(TDataSet* dataSet) override;
    virtual void SaveGridViews();
    virtual void LoadGridViews();
    // Runs once after the grid views were loaded at start-up (the single-table form binds its
    // query dialog here).
    virtual void InitAfterDataModule() {}
    virtual void DecorateValue(const std::string& text, std::string& result) { result = text; }
    virtual bool OpenColorRows(const std::string& condition, const std::string& order);
    virtual bool OpenColorRowsForCurrent();
    virtual void AfterColorRowsOpened() {}
    // After the data module opened its data (start-up).
    virtual void AfterDataOpen();

    // Overrides of the radical form.
    void OnF2Key(WORD& key, TWinControl* control) override;
    void OnF3Key(WORD& key, TWinControl* control) override;
    void OnF4Key(WORD& key, TWinControl* control) override;
    void OnF11Key(WORD& key, TWinControl* control) override;
    void ProgramHook63() override;
    void ApplyFieldRestrictions() override;
    void LoadRights() override;
    void ResetForm() override;
    void LoadRequiredFields() override;
    void UpdateCommandStates() override;
    TDataModuleClass DataModuleClass() const override;
    int RecordEditMode() const override { return EditMode; }

    // --- Other operations -------------------------------------------------------------------------
    void SetEditMode(std::uint8_t mode);
    void SetRequiredFields(const std::string& list);
    void AddRequiredFields(const std::string& list);
    // attribute "ReadOnly" or "Disabled".
    void ApplyToFields(const std::string& list, const std::string& attribute);
    bool ReadInputSetting(const std::string& settingName, const std::string& elementName, bool def);
    TMT_Doc* GetUserDocument();
    // The first required field of the dataset's group that is writable, visible, a data field and
    // blank; the field is reported in field. False when there is none.
    bool FirstEmptyRequired(TDataSet* dataSet, const std::string& list, TField*& field);
    // Opens the dataset with the condition ("All" counts as empty) and order; remembers them for
    // cdsMain and refreshes the colour rows. Failures are logged and swallowed.
    virtual void OpenWithCondition(TDataSet* dataSet, const std::string& condition, const std::string& order);
    // The query dialog of the window, made on first use.
    IQueryDialog* EnsureQueryDialog();
    // The query dialog saved, deleted or renamed a scheme.
    virtual void SchemesChanged() {}
    // Deletes the current row (every row from the last up for a nested detail), with the delete
    // and scroll handlers removed meanwhile when suspend is set.
    void DeleteCurrent(TDataSet* dataSet, bool nested, bool suspend);
    // Moves the focus to the field's control (pages made active) or the grid column showing it.
    void FocusField(TField* field);
    // The data module as the base data module.
    TdmBase* BaseDM() const;
    TClientDataSet* MainDataSet() const;
    // The text of a status panel (0 mode, 1 message, 2 "单据笔数", 3 position, 4 server).
    std::string StatusText(int panel) const;
    void SetStatusText(int panel, const std::string& text);
    // The grid that has the focus (or holds the focused control), nullptr when none.
    TCustomGrid* ActiveGrid() const;

    // Published views for hosts and scripts.
    int EditModeValue() const { return EditMode; }
    bool LastSaveFailedValue() const { return LastSaveFailed; }

    // --- Published handlers -----------------------------------------------------------------------
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormActivate(TObject* Sender) {}
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void miAddClick(TObject* Sender);
    void miQueryClick(TObject* Sender);
    void miEditClick(TObject* Sender);
    void miDeleteClick(TObject* Sender);
    void miViewItemClick(TObject* Sender);
    void miFirstClick(TObject* Sender);
    void miPriorClick(TObject* Sender);
    void miNextClick(TObject* Sender);
    void miLastClick(TObject* Sender);
    void NGClick(TObject* Sender);
    void MenuItem11Click(TObject* Sender);
    void miToolBarClick(TObject* Sender);
    void miManagerClick(TObject* Sender);
    void mnSearchClick(TObject* Sender);
    void miExitClick(TObject* Sender);
    void DateFieldDBComboDlgExit(TObject* Sender);
    // The quick search's handlers (Dialog: its open window).
    void rkSearchDialog1InitDialog(TObject* Dialog);
    void rkSearchDialog1SelectField(TObject* Dialog, const std::string& FieldName, const std::string& DisplayLabel);
    void rkSearchDialog1BeforeSearch(TObject* Dialog);
    void rkSearchDialog1AfterSearch(TObject* Dialog, bool& Found);

protected:
    // The mode's status text ("浏览", "更改", "新增"; English for other code pages).
    std::string ModeText(int mode) const;
    // Whether the current record of cdsMain may be edited, deleted ... by the record-level rights.
    void ApplyRecordRights(TDataSet* dataSet);
    // The six record-level flags (edit, delete, confirm, unconfirm, print, void) from rights elements.
    void SetRecordFlags(const int* elements);
    // Quick search on a grid (the find dialog); true when one ran.
    virtual bool QuickSearch(TCustomGrid* grid);
    // The control bound to a field of the dataset (DataSource's dataset and DataField), or nullptr.
    TWinControl* ControlOfField(const TField* field) const;
    // The field a data-aware control shows (its DataSource's dataset and DataField), or nullptr.
    static TField* ControlField(const TComponent* control);
    bool HasPendingChanges() const;

private:
    TFieldListCache requiredLists_;  // RequiredFields as FirstEmptyRequired last read it
    void BuildResource();
    void BuildToolBar();
    void BuildMenu();
    void BuildSearch();
    std::unique_ptr<TMT_Doc> userDocument_;
    bool userDocumentLoaded_ = false;
};

using TBaseFormClass = TClassOf<TfrmBase>;
