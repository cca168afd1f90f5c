#pragma once
// The maintenance window for one table (and the base of the master-detail window): record pages
// with a browse grid, save and cancel, start-up by the host's run mode, print formats, batch
// selection and printing, the spreadsheet exports, the calculator, the options dialog, saved query
// conditions, and the keyboard of fast data entry (Enter moves on and saves on the last control,
// Ctrl+Tab switches pages, F-keys act at once).
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/data/SingleDM.h"
#include "framework/data/SingleFormLink.h"
#include "framework/forms/BaseForm.h"

class TPanel;
class TPageControl;
class TExtPageControl;
class TTabSheet;
class TDBGrid;
class TPopupMenu;
class TColumn;
class TColorConditions;
class TCanvas;
class IColorQueryDialog;

class TfrmSingle : public TfrmBase, public ISingleFormLink {
    TK_CLASS_PUBLISHED(TfrmSingle, TfrmBase)
public:
    explicit TfrmSingle(TComponent* owner);
    ~TfrmSingle() override;

    // --- Resource ---------------------------------------------------------------------------------
    TToolButton* btnOK = nullptr;          // 保存
    TToolButton* btnCancel = nullptr;      // 取消
    TToolButton* btnColorQuery = nullptr;  // 颜色筛选 (drop-down pmColorCondition)
    TToolButton* btnCalc = nullptr;        // 计算器
    TImageList* imgSingle = nullptr;
    TPanel* pnlHead = nullptr;
    TExtPageControl* pgHead = nullptr;
    TTabSheet* tbsHead1 = nullptr;
    TTabSheet* tbsUDF = nullptr;
    TTabSheet* tbsBrowse = nullptr;
    TDBGrid* gdHead = nullptr;
    TImageList* SortMapList = nullptr;
    TPopupMenu* mnCondition = nullptr;  // saved conditions of the query button
    TPopupMenu* popPrint = nullptr;
    TPopupMenu* pmColorCondition = nullptr;
    TPopupMenu* pmMultiSelect = nullptr;
    TPopupMenu* pmLookup = nullptr;
    TMenuItem* miPreview = nullptr;  // 预览(&B)
    TMenuItem* miPrint = nullptr;    // 打印(&T)
    TMenuItem* miFormat = nullptr;   // 凭证格式
    TMenuItem* miOK = nullptr;       // 确定 (F12)
    TMenuItem* miCancel = nullptr;   // 取消
    TMenuItem* miExport = nullptr;   // 汇出(&E)
    TMenuItem* miTable2Excel = nullptr;
    TMenuItem* miTable2Excel2 = nullptr;
    TMenuItem* P1 = nullptr;  // 整批处理(&P)
    TMenuItem* miBBPrint = nullptr;
    TMenuItem* miBBSelectAll = nullptr;
    TMenuItem* miBBUnSelectAll = nullptr;
    TMenuItem* miTools = nullptr;  // 工具(&T)
    TMenuItem* miCacl = nullptr;
    TMenuItem* miOptions = nullptr;      // 选项(&O)
    TMenuItem* ppDirectPrint = nullptr;  // 直接打印
    TMenuItem* ppPreview = nullptr;      // 打印预览
    TMenuItem* ppFormat = nullptr;       // 凭证格式 of the print drop-down

    // --- State ------------------------------------------------------------------------------------
    bool IsColorManage = false;
    bool FastInputEnabled = true;
    std::vector<std::string> PageLastControls;
    TWinControl* FinalControl = nullptr;
    std::string ReportName;
    int QueryRowLimit = 0;
    bool TitleSortEnabled = true;
    std::string GeneratedKeyNumber;                // the number NextDocumentNumber produced
    std::string AssignedKeyNumber;                 // the number the last save stored in the numbered key
    TWinControl* AddFocusControl = nullptr;        // takes the focus after Add
    TWinControl* EditFocusControl = nullptr;       // takes the focus after Edit
    std::string FormatKeyField;                    // the field whose value names the print format slot
    TStringList AttachmentKeys;                    // keys of the records that have attachments
    bool CloseWhenShown = false;                   // an import ran: the window closes once it is shown
    bool Previewing = false;                       // DoPrint runs as a preview
    std::unique_ptr<TColorConditions> ColorRules;  // the header grid's colour rules
    IColorQueryDialog* ColorQuery = nullptr;       // the colour filter dialog, once there are rules
    std::string ColorCondition;                    // the last query's condition, which the colour filter narrows
    std::string ColorOrder;

    TdmSingle* SingleDM() const { return dynamic_cast<TdmSingle*>(DataModule); }
    TDataModuleClass DataModuleClass() const override;

    // --- Operations of the chain ------------------------------------------------------------------
    bool DoAdd(bool reset = true) override;
    bool DoEdit() override;
    bool DoDelete(bool ask) override;
    bool DoQuery() override;
    bool DoSave() override;
    bool DoCancel(bool ask) override;
    bool KeepFailedChanges() override { return false; }
    bool ValidateBeforePost(TDataSet* dataSet) override;
    void ShowMode(int mode) override;
    void UpdateCommandStates() override;
    void InitAfterDataModule() override;
    void AfterFormShow() override;
    void ResetForm() override;
    void OpenWithCondition(TDataSet* dataSet, const std::string& condition, const std::string& order) override;
    bool DialogKey(WORD key, TShiftState shift) override;

    // --- Virtual operations introduced, in slot order ---------------------------------------------
    virtual void pgHeadChange(TObject* Sender);
    // The field of a table by name: the main dataset's when the table is M11_TABLE.
    virtual TField* FindFieldOfTable(const std::string& table, const std::string& fieldName);
    virtual void ShowAttachments() {}
    virtual bool HasAttachment(const std::string& keyText) { return AttachmentKeys.IndexOf(keyText) >= 0; }
    virtual void LoadAttachmentKeys() {}
    // Bound combo boxes become required fields unless the interface is the simplified one.
    virtual void AddRequiredCombos();
    virtual void UpdateBatchMenu();
    virtual void QueryUDFValue(TField* field) {}
    virtual void RecomputeUDF(TField* field) {}
    virtual TField* FindUDFSourceField(const std::string& name) { return nullptr; }
    // Opens the records of the last query that meet the rules in force.
    virtual void ApplyColorFilter();
    // After a query, a filter or a selection: the browse page shows (a master-detail window lays out again).
    virtual void ShowBrowsePage();
    virtual void ColorMenuClick(TObject* Sender);
    // Runs after the start-up condition opened cdsMain.
    virtual void AfterStartCondition() {}
    virtual bool AddWithValues(const Variant& values);
    virtual bool EditWithValues(const Variant& values);
    virtual void FollowGridLink(TField* field) {}
    virtual void SavedConditionClick(TObject* Sender);
    // The approval server settings of the program information (5 and 6).
    virtual std::string ApprovalSetting5();
    virtual std::string ApprovalSetting6();
    virtual std::string LinkValues(TField* field) { return field ? field->AsString() : std::string(); }
    virtual std::string GetFormatKey();
    virtual void BuildFormatMenu(TMenuItem* menu, bool reload);
    // Run mode 11: every document of the XML saved; false when the text is not a document.
    virtual bool ImportFromXml(const std::string& text);

    // --- Other operations -------------------------------------------------------------------------
    // The next number of the automatic key (date prefix and the key list); "unknown" on failure.
    std::string NextDocumentNumber();
    // Page set-up: page 0 active, PageLastControls and FinalControl computed.
    void SetUpPages();
    // Key-field and required-field colours of the bound controls and the grid titles.
    void ApplyFieldColors();
    // The calculator on the active control.
    void RunCalculator();
    // Selection of browse-grid rows (the MultiSelected column).
    void ToggleRowSelection();
    // Sorts by a clicked title column (not the MultiSelected one).
    void SortByTitle(TColumn* column);
    // Loads the saved conditions into the query button's drop-down.
    void LoadSavedConditions();
    // Reads the window's colour-rule document: with rules for the header grid, the colour filter's
    // menu is rebuilt and its dialog made.
    void LoadColorRules();
    void BuildColorMenu();
    // A rule of the colour menu drawn in the colours it paints (the highlight under the mouse).
    void DrawColorMenuItem(TMenuItem* item, TCanvas* canvas, TRect rect, bool selected);
    void SchemesChanged() override { LoadSavedConditions(); }
    // Select all and none of the browse grid.
    void SelectAllRows(bool select);
    // The detail pages (all but tbsUDF and tbsBrowse at the end).
    std::vector<TTabSheet*> DetailPages() const;
    // Moves to the next or previous page as Ctrl+Tab does (wrapping over the detail pages while editing).
    void SwitchPage(bool forward);

    // --- ISingleFormLink --------------------------------------------------------------------------
    bool ColorManaged() const override { return IsColorManage; }
    void ReopenColorRows(bool inserted) override;
    void ResetRowColors() override {}
    void ApplyColorSettings(TDataSet* colorRow) override {}
    bool HeaderRowSelected(TBookmark bookmark) const override;
    void HeaderDataSetOpening() override;
    bool TitleSortAllowed() const override { return TitleSortEnabled; }
    std::string GeneratedNumber() const override { return GeneratedKeyNumber; }
    void ApplyUserDefaults() override;
    TUDFRules UDFDefinitions(const std::string& level, const std::string& selector) override;
    void ShowSaveError(const std::string& text) override;
    // An error box under the window's caption.
    void ShowErrorBox(const std::string& text);
    std::string ToUserScript(const std::string& text) const override { return RkConverter->ToDisplayText(text); }
    std::string KeyedText(const std::string& className, const std::string& key, const std::string& defaultText) const override {
        return LangText(className, key, true, defaultText);
    }

    // Published views.
    int ActivePageIndexValue() const;
    const std::string& GeneratedNumberValue() const { return GeneratedKeyNumber; }

    // --- Published handlers -----------------------------------------------------------------------
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void FormKeyPress(TObject* Sender, char32_t& Key);
    void FormResize(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void pgHeadChanging(TObject* Sender, bool& AllowChange);
    void miOKClick(TObject* Sender);
    void miCancelClick(TObject* Sender);
    void miPrintClick(TObject* Sender);
    void miPreviewClick(TObject* Sender);
    void MenuItem1Click(TObject* Sender);
    void popPrintPopup(TObject* Sender);
    void MenuItemVoucherFormatClick(TObject* Sender);
    void miTable2ExcelClick(TObject* Sender);
    void miTable2Excel2Click(TObject* Sender);
    void P1Click(TObject* Sender);
    void miBBPrintClick(TObject* Sender);
    void miBBSelectAllClick(TObject* Sender);
    void miBBUnSelectAllClick(TObject* Sender);
    void btnCalcClick(TObject* Sender);
    void miCaclClick(TObject* Sender);
    void miOptionsClick(TObject* Sender);
    void btnColorQueryClick(TObject* Sender);
    void gdHeadDblClick(TObject* Sender);
    void gdHeadKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void gdHeadTitleClick(TColumn* Column);
    void gdHeadColEnter(TObject* Sender);

protected:
    // The print formats of the report: one radio item per format, "<无格式>" when there is none.
    void FillFormatMenu(TMenuItem* menu);
    // Enter on a control while editing: save, next page or next control. True when handled.
    bool EnterKey();
    // The key text of the current record ("||" between the key values).
    std::string CurrentKeyText();
    // Steps 3 to 6 of a query: the row limit to the server, open, Browse; a refused condition is
    // reported and the window keeps what it showed.
    bool RunQuery(const std::string& condition, const std::string& order);
    // Opens cdsMain with the condition and order, raising what the server refuses.
    void OpenForQuery(const std::string& condition, const std::string& order);

private:
    void BuildSingleResource();
    void BuildSingleMenus();
    void ShowModeOnPages(int mode);
    bool BrowsePageShowing() const;
    TTabSheet* pageLeft_ = nullptr;
    bool importing_ = false;
    // The user-defined column rules by level and selector, asked of the server once per window.
    std::map<std::pair<std::string, std::string>, TUDFRules> udfDefinitions_;
};

using TSingleFormClass = TClassOf<TfrmSingle>;
