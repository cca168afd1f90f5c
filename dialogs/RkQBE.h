#pragma once
// The query-by-example window "设置查询条件" of the maintenance windows: the user states which records
// to load on the grid page (one test per row, chosen from the field, operator and logic lists), on
// the advanced page (condition lines added field by field, or typed, with the sort lists) or, for a
// master-detail window, also on the detail page (tests of the body rows, joined through a counting
// sub-query). It answers the text behind WHERE and the text behind ORDER BY.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/QBEConditions.h"
#include "dialogs/QBERecordInfo.h"
#include "dialogs/QBESchemes.h"
#include "framework/forms/QueryDialog.h"
#include "framework/forms/RKForm.h"
#include "toolkit/ui/graphics/OwnerDraw.h"
#include "toolkit/ui/grids/Grid.h"

class TBitBtn;
class TCheckBox;
class TCheckListBox;
class TClientDataSet;
class TComboBox;
class TDataSource;
class TDBCheckBox;
class TDBComboBox;
class TField;
class TLabel;
class TListBox;
class TListItem;
class TListView;
class TImageList;
class TMenuItem;
class TPopupMenu;
class TToolBar;
class TToolButton;
class TMemo;
class TPageControl;
class TPanel;
class TRadioGroup;
class TSpeedButton;
class TStringGrid;
class TTabSheet;
class TDataSet;
class TdmRadical;
class TfrmRadical;
class TWinControl;

class TQBEForm : public TRKForm, public IQueryDialog {
    TK_CLASS_PUBLISHED(TQBEForm, TRKForm)
public:
    explicit TQBEForm(TComponent* owner);
    ~TQBEForm() override;

    // --- Components -------------------------------------------------------------------------------
    TPanel* Panel2 = nullptr;  // the row limit and the detail filter switch
    TLabel* lblTopRow = nullptr;
    TComboBox* cbTopRow = nullptr;
    TCheckBox* chkBody = nullptr;
    TPageControl* ExtPageControl1 = nullptr;
    TTabSheet* TabSheet1 = nullptr;  // 一般选项: the grid
    TTabSheet* TabSheet2 = nullptr;  // 高级设置
    TTabSheet* TabSheet3 = nullptr;  // 单身设置
    TStringGrid* sg1 = nullptr;
    TComboBox* cboField = nullptr;
    TComboBox* CbOperator = nullptr;
    TDBComboBox* cboValue = nullptr;
    TDBCheckBox* ckbValue = nullptr;
    TRadioGroup* rgLogic = nullptr;
    TBitBtn* BbAssign = nullptr;
    TBitBtn* BBClear = nullptr;
    TMemo* Memo1 = nullptr;
    TLabel* lblSort = nullptr;
    TListBox* ListBox1 = nullptr;       // every sortable field
    TCheckListBox* ListBox2 = nullptr;  // the chosen ones; a check mark sorts descending
    TSpeedButton* SpeedButton1 = nullptr;
    TSpeedButton* SpeedButton2 = nullptr;
    TComboBox* cboField2 = nullptr;
    TComboBox* CbOperator2 = nullptr;
    TDBComboBox* cboValue2 = nullptr;
    TDBCheckBox* ckbValue2 = nullptr;
    TRadioGroup* rgLogic2 = nullptr;
    TBitBtn* BbAssign2 = nullptr;
    TBitBtn* BBClear2 = nullptr;
    TMemo* Memo2 = nullptr;
    TMemo* moMsgLNG = nullptr;          // the message lines, hidden
    TClientDataSet* cdsTemp = nullptr;  // the value boxes' field QBE
    TClientDataSet* cdsTemp2 = nullptr;
    TDataSource* dsTemp = nullptr;
    TDataSource* dsTemp2 = nullptr;
    TBitBtn* BBOK = nullptr;
    TBitBtn* BBCancel = nullptr;
    // The saved schemes (查询方案) on the left.
    TPanel* pnlCondition = nullptr;
    TLabel* lblCondition = nullptr;
    TListView* lstCondition = nullptr;
    TBitBtn* btnInsert = nullptr;  // 保存(&N)
    TBitBtn* btnOpen = nullptr;    // 开启(&O)
    TBitBtn* btnDelete = nullptr;  // 删除(&D)
    TToolBar* tbCondition = nullptr;
    TToolButton* ToolButton1 = nullptr;  // cycles the list's view styles; its Tag is the style shown
    TPopupMenu* mnList = nullptr;        // the view styles, on the list's context menu
    TMenuItem* miViewIcon = nullptr;     // 大型图标(&G)
    TMenuItem* miViewSmallIcon = nullptr;
    TMenuItem* miViewList = nullptr;
    TMenuItem* miViewReport = nullptr;
    TImageList* ImageList1 = nullptr;  // small scheme images (also the tool button's)
    TImageList* ImageList2 = nullptr;  // large scheme images

    // --- State ------------------------------------------------------------------------------------
    TClientDataSet* MasterDataSet = nullptr;
    std::string MasterTable;
    std::string MasterKeyFields;
    std::string MasterFieldExprs;
    TClientDataSet* DetailDataSet = nullptr;
    std::string DetailTable;
    std::string DetailKeyFields;
    std::string DetailFieldExprs;
    std::string DetailTableSuffix;
    TStringList FieldNames;        // parallel to cboField's items
    TStringList DetailFieldNames;  // parallel to cboField2's items
    TRecordInfoList GridFields;
    std::string MasterCondition;
    std::string DetailCondition;
    std::string CombinedCondition;
    std::string OrderText;
    int LabelWidth = 14;
    bool Translated = false;
    std::string LastGridField;
    TStringList Operators;       // C_Operators: label, tab, token
    TStringList GridFieldPicks;  // the grid's field pick list: caption, tab, name
    TStringList LogicPicks;      // "AND", "OR"

    // --- IQueryDialog -----------------------------------------------------------------------------
    void SetMasterSource(TClientDataSet* dataSet, const std::string& table, bool hideRowLimit, const std::string& fieldExprs,
                         const std::string& keyFields) override;
    void SetDetailSource(TClientDataSet* dataSet, const std::string& table, const std::string& suffix,
                         const std::string& fieldExprs, const std::string& keyFields) override;
    bool Execute(std::string& condition, std::string& order) override;
    std::string GetCondition() const override;
    std::string GetOrder() const override;
    void SetRowLimit(int rows) override;
    int GetRowLimit() const override;
    bool ApplyScheme(const std::string& activePage, const std::string& scheme) override;
    bool RunScheme(std::string& condition, std::string& order) override;
    void SetSchemesChanged(std::function<void()> handler) override { schemesChanged_ = std::move(handler); }

    // --- Saved schemes --------------------------------------------------------------------------
    void InitSchemeColumns();
    // Reloads the list from the server; false when it cannot be read (the reason is raised).
    bool LoadSchemes();
    // Stores what the current page holds under the name; false when the server refuses.
    bool SaveScheme(const std::string& name, bool replace);
    void btnInsertClick(TObject* Sender);
    void btnOpenClick(TObject* Sender);
    void btnDeleteClick(TObject* Sender);
    // A scheme renamed in the list: refused names keep the old caption (S is set back).
    void lstConditionEdited(TObject* Sender, TListItem* Item, std::string& S);
    TCustomForm* Window() override { return this; }
    // The scheme list's view styles: the button runs the next style's handler by name.
    void ToolButton1Click(TObject* Sender);
    void ViewIconExecute(TObject* Sender);
    void ViewSmallIconExecute(TObject* Sender);
    void ViewListExecute(TObject* Sender);
    void ViewReportExecute(TObject* Sender);

    // --- Building ---------------------------------------------------------------------------------
    void BuildFieldLists();
    void BuildDetailFieldLists();
    void BuildGridFields();
    void LoadKeyRows();
    // The condition of grid row r with its logic word; "" when the row states no test.
    std::string RowCondition(int row);
    std::string GridCondition();
    void DoCondition();
    // Message line n of the list (the language file's, else the built-in one).
    std::string MessageLine(int line) const;
    // The row that Enter, Down or Insert would make (see the grid rules); -1 when none may be made.
    int NewRowIndex(WORD key) const;
    // Removes rows without a field (the sole row is emptied instead); true when any went.
    bool RemoveEmptyRows();
    // A field chosen in the grid row: the row's value cell is reset and prepared for it.
    void sg1PickListClick(int row, const std::string& caption);
    // The value a grid cell's drop-down offers (field captions, operator labels, a field's pick
    // texts, the logic words).
    std::vector<std::string> GridPickList(int col, int row) const;

    // --- Published handlers -----------------------------------------------------------------------
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormActivate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void FormKeyPress(TObject* Sender, char32_t& Key);
    void ExtPageControl1Change(TObject* Sender);
    void cbTopRowKeyPress(TObject* Sender, char32_t& Key);
    void cboFieldChange(TObject* Sender);
    void cboField2Change(TObject* Sender);
    void BbAssignClick(TObject* Sender);
    void BbAssign2Click(TObject* Sender);
    void BBClearClick(TObject* Sender);
    void BBClear2Click(TObject* Sender);
    void Memo1Change(TObject* Sender);
    void Memo2Change(TObject* Sender);
    void chkBodyClick(TObject* Sender);
    void ListBox1DblClick(TObject* Sender);
    void ListBox2DblClick(TObject* Sender);
    void ForFloatKeyPress(TObject* Sender, char32_t& Key);
    void DateFieldDBComboDlgExit(TObject* Sender);
    void BBOKClick(TObject* Sender);
    void sg1SelectCell(TObject* Sender, int ACol, int ARow, bool& CanSelect);
    void sg1KeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void sg1ValidateEdit(TObject* Sender, int ACol, int ARow, std::string& Value, bool& Accept);
    void sg1DrawCell(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State);

    void cboFieldDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State);
    void ListBox1MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void sg1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

    // Moves ListBox2's item from one index to another (the drop of a drag inside the list; an index
    // below the items is the last).
    void MoveSortItem(int from, int to);
    // The label of operator line i.
    std::string OperatorLabel(int index) const;
    // A text with its tabs expanded to the tab stops of the field lists.
    std::string TabExpanded(const std::string& text) const;

private:
    // The controls and sources of the advanced page or the detail page.
    struct TValuePage {
        TComboBox* field;
        TComboBox* op;
        TDBComboBox* value;
        TDBCheckBox* check;
        TRadioGroup* logic;
        TBitBtn* assign;
        TMemo* memo;
        TClientDataSet* temp;
        TStringList* names;
        TClientDataSet* dataSet;
        std::string table;
        std::string exprs;
    };
    TValuePage Page(bool detail);
    void WireHandlers();
    void BuildFieldListsOf(bool detail);
    void PrepareValueEditor(bool detail);
    void AddConditionLine(bool detail);
    void AddGridRow(int index);
    void DeleteGridRow(int row);
    void PrepareGridRow(int row, const std::string& caption);
    bool IsNumberOnlyRow(int row) const;
    TQBEDateRules DateRules() const;
    TfrmRadical* MaintenanceForm() const;
    TdmRadical* DataModuleOf(TDataSet* dataSet) const;
    int DatabaseKind() const;
    std::string DatabasePrefix() const;
    void LoadLanguageTexts();
    void UpdateDefaultButton();
    void CreateSchemePanel();
    void CreateViewStyleMenu();
    void ShowSchemesAs(int style);
    // What the current page holds as a scheme, and a scheme shown on its page.
    TQBEScheme CurrentScheme() const;
    void ShowScheme(const TQBEScheme& scheme);
    // Calls a scheme member of the application server: "" on success, else the reason.
    std::string CallSchemeServer(const std::string& member, const Variant& params);

    std::function<void()> schemesChanged_;
    bool activated_ = false;
    bool builtOnGrid_ = true;               // the last condition came from the grid page
    TClientDataSet* cdsConvert_ = nullptr;  // converts year-month texts with the data module's handler
};

// The field-expression list for the table ATTACH.
extern const char* const kAttachFieldExprs;
// The items of a field-expression list, each as "expression alias".
std::vector<std::string> ParseFieldExprs(const std::string& fieldExprs);
// The control description of a field in a control-type list ("CheckBox;Y;N", "CustomEdit;cboX"), "".
std::string ControlDescription(const TStrings* controlTypes, const std::string& fieldName);

// Makes TQBEForm the query dialog of the maintenance windows.
void RegisterQueryDialog();
