#include "framework/data/DoubleDM.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "framework/data/BodyLineIndex.h"
#include "framework/data/DoubleFormLink.h"
#include "framework/data/FieldText.h"
#include "framework/data/NestedRowChanges.h"
#include "framework/data/RecordEventsOwner.h"
#include "framework/data/SingleFormLink.h"
#include "server/Brokers.h"
#include "toolkit/classes/Properties.h"
#include "toolkit/data/DataSetField.h"
#include "toolkit/data/DataSource.h"
#include "toolkit/rtl/ControlsDisabled.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

// A list item trimmed and cut at its first blank ("MD001 ASC" -> "MD001").
std::string KeyItem(const std::string& item) {
    std::string name = Trim(item);
    if (std::size_t blank = name.find(' '); blank != std::string::npos) name = name.substr(0, blank);
    return name;
}

std::vector<std::string> KeyItems(const std::string& list) {
    std::vector<std::string> items;
    for (const std::string& item : SplitString(list, ','))
        if (!KeyItem(item).empty()) items.push_back(KeyItem(item));
    return items;
}

bool IsEditing(const TDataSet* dataSet) { return dataSet->State() == dsEdit || dataSet->State() == dsInsert; }

}  // namespace

void TdmDouble::Publish(TPublisher<TdmDouble>& p) {
    p.Property("BodyKeyFields", &TdmDouble::BodyKeyFields);
    p.Property("HeadToBodyFields", &TdmDouble::HeadToBodyFields);
    p.Property("BodyAutoNumber", &TdmDouble::BodyAutoNumber);
    p.Property("BodyAutoNumberField", &TdmDouble::BodyAutoNumberField);
    p.Property("MarkHeaderOnBodyChange", &TdmDouble::MarkHeaderOnBodyChange);
    p.Property("DefaultBodyIndexFieldNames", &TdmDouble::DefaultBodyIndexFieldNames);
    p.Method("DataModuleCreate", &TdmDouble::DataModuleCreate);
    p.Method("DataModuleDestroy", &TdmDouble::DataModuleDestroy);
    p.Method("cdsMainNewRecord", &TdmDouble::cdsMainNewRecord);
    p.Method("cdsMainAfterScroll", &TdmDouble::cdsMainAfterScroll);
    p.Method("cdsMainAfterPost", &TdmDouble::cdsMainAfterPost);
    p.Method("cdsMainAfterOpen", &TdmDouble::cdsMainAfterOpen);
    p.Method("cdsBody1AfterOpen", &TdmDouble::cdsBody1AfterOpen);
    p.Method("cdsBody1AfterEdit", &TdmDouble::cdsBody1AfterEdit);
    p.Method("cdsBody1BeforePost", &TdmDouble::cdsBody1BeforePost);
    p.Method("cdsBody1AfterPost", &TdmDouble::cdsBody1AfterPost);
    p.Method("cdsBody1AfterDelete", &TdmDouble::cdsBody1AfterDelete);
    p.Method("cdsBody1AfterScroll", &TdmDouble::cdsBody1AfterScroll);
    p.Method("cdsBody1NewRecord", &TdmDouble::cdsBody1NewRecord);
    p.Method("cdsBody1ReconcileError", &TdmDouble::cdsBody1ReconcileError);
    p.Method("dsBody1DataChange", &TdmDouble::dsBody1DataChange);
}

TdmDouble::TdmDouble(TComponent* owner) : TdmSingle(owner), lineIndex_(std::make_unique<TBodyLineIndex>()) {
    cdsBody1 = CreateComponent<TClientDataSet>(this);
    cdsBody1->SetName("cdsBody1");
    cdsBody1->BeforeInsert = [this](TDataSet* ds) { cdsBody1BeforeInsert(ds); };
    cdsBody1->AfterOpen = [this](TDataSet* ds) { cdsBody1AfterOpen(ds); };
    cdsBody1->AfterEdit = [this](TDataSet* ds) { cdsBody1AfterEdit(ds); };
    cdsBody1->BeforePost = [this](TDataSet* ds) { cdsBody1BeforePost(ds); };
    cdsBody1->AfterPost = [this](TDataSet* ds) { cdsBody1AfterPost(ds); };
    cdsBody1->AfterDelete = [this](TDataSet* ds) { cdsBody1AfterDelete(ds); };
    cdsBody1->AfterScroll = [this](TDataSet* ds) { cdsBody1AfterScroll(ds); };
    cdsBody1->OnNewRecord = [this](TDataSet* ds) { cdsBody1NewRecord(ds); };
    cdsBody1->OnReconcileError = [this](TClientDataSet* ds, EReconcileError& e, TUpdateKind kind, TReconcileAction& action) {
        cdsBody1ReconcileError(ds, e, kind, action);
    };
    dsBody1 = CreateComponent<TDataSource>(this);
    dsBody1->SetName("dsBody1");
    dsBody1->SetDataSet(cdsBody1);
    dsBody1->OnDataChange = [this](TObject* sender, TField* field) { dsBody1DataChange(sender, field); };

    cdsBodyColor = CreateComponent<TClientDataSet>(this);
    cdsBodyColor->SetName("cdsBodyColor");
    dsBodyColor = CreateComponent<TDataSource>(this);
    dsBodyColor->SetName("dsBodyColor");
    dsBodyColor->SetDataSet(cdsBodyColor);

    cdsMain->OnNewRecord = [this](TDataSet* ds) { cdsMainNewRecord(ds); };
    cdsMain->AfterScroll = [this](TDataSet* ds) { cdsMainAfterScroll(ds); };
    cdsMain->AfterPost = [this](TDataSet* ds) { cdsMainAfterPost(ds); };
    cdsMain->AfterOpen = [this](TDataSet* ds) { cdsMainAfterOpen(ds); };
    OnCreate = [this](TObject* sender) { DataModuleCreate(sender); };
    OnDestroy = [this](TObject* sender) { DataModuleDestroy(sender); };
}

TdmDouble::~TdmDouble() = default;

void TdmDouble::DataModuleCreate(TObject* Sender) {
    if (!BodyClone) BodyClone = CreateComponent<TClientDataSet>(this);
    BodyClone->SetName("BodyClone");
    MarkHeaderOnBodyChange = true;
    SetBodyAutoNumber(true);
    if (!cdsBody1->IndexName().empty())
        InitialBodyOrder = "IndexName=" + cdsBody1->IndexName();
    else if (!cdsBody1->IndexFieldNames().empty())
        InitialBodyOrder = "IndexFieldNames=" + cdsBody1->IndexFieldNames();
    else
        InitialBodyOrder.clear();
    TdmSingle::DataModuleCreate(Sender);
}

void TdmDouble::DataModuleDestroy(TObject* Sender) {
    TdmSingle::DataModuleDestroy(Sender);
    if (BodyClone) {
        BodyClone->Close();
        FreeAndNil(BodyClone);
    }
}

IDoubleFormLink* TdmDouble::DoubleFormLink() const { return dynamic_cast<IDoubleFormLink*>(Owner()); }

// --- Opening ------------------------------------------------------------------------------------

bool TdmDouble::LinkBody() {
    auto* field = dynamic_cast<TDataSetField*>(cdsMain->FindField(BodyDataSetFieldName));
    if (!field) return false;
    field->SetVisible(false);  // the body has its own grid
    if (cdsBody1->DataSetField() != field) cdsBody1->SetDataSetField(field);
    return true;
}

bool TdmDouble::OpenMain() {
    if (!TdmSingle::OpenMain()) return false;
    if (Brokers) SetBodyKeyFields(Brokers->ProgramInfo.Values("D11_KEY"));
    if (LinkBody() && !cdsBody1->Active()) cdsBody1->Open();
    try {
        if (auto* colors =
                dynamic_cast<TDataSetField*>(cdsMainColor->Active() ? cdsMainColor->FindField("qryBodyColor") : nullptr)) {
            cdsBodyColor->SetDataSetField(colors);
            cdsBodyColor->Open();
        }
    } catch (const std::exception&) {
        // The body is shown without colours.
    }
    LabelSystemColumns(cdsBody1);
    return cdsBody1->Active();
}

void TdmDouble::cdsMainAfterOpen(TDataSet* DataSet) {
    TdmSingle::cdsMainAfterOpen(DataSet);
    BindComboFields(cdsMain);
    // Every open brings new fields: the body is linked to the new dataset field and opened.
    if (LinkBody() && !cdsBody1->Active()) cdsBody1->Open();
    ReapplyDigitGroups();
}

void TdmDouble::cdsBody1AfterOpen(TDataSet* /*DataSet*/) {
    BindComboFields(cdsBody1);
    ReapplyDigitGroups();
    RecloneBody();
}

void TdmDouble::ReapplyDigitGroups() {
    for (int i = 0; i < DigitFieldGroups.Count(); ++i)
        ApplyNumberFormats(DigitFieldGroups.ValueFromIndex(i), StrToIntDef(DigitFieldGroups.Names(i), 0), false);
}

TClientDataSet* TdmDouble::StampSourceOf(TClientDataSet* rows) const {
    return rows == BodyClone && cdsBody1->Active() ? cdsBody1 : rows;
}

bool TdmDouble::RecloneBody() {
    if (!BodyClone) return false;
    try {
        if (!cdsBody1->Active()) return false;
        BodyClone->CloneCursor(cdsBody1, true);
        return BodyClone->Active();
    } catch (const std::exception&) {
        return false;
    }
}

void TdmDouble::SetFieldManagement(bool on) {
    TdmSingle::SetFieldManagement(on);
    ShowSystemColumns(cdsBody1, on);
}

// --- Keys and line numbers ----------------------------------------------------------------------

const std::vector<std::string>& TdmDouble::BodyKeyFieldNames() const {
    if (BodyKeyFields != bodyKeysOf_ || bodyKeys_.empty()) {
        bodyKeysOf_ = BodyKeyFields;
        bodyKeys_ = KeyItems(BodyKeyFields);
    }
    return bodyKeys_;
}

void TdmDouble::SetBodyKeyFields(const std::string& list) {
    if (list == BodyKeyFields) return;
    BodyKeyFields = list;
    if (BodyAutoNumber && BodyAutoNumberField.empty()) {
        std::vector<std::string> keys = BodyKeyFieldNames();
        if (!keys.empty()) BodyAutoNumberField = keys.back();
    }
}

void TdmDouble::SetBodyAutoNumber(bool flag) {
    if (flag == BodyAutoNumber) return;
    BodyAutoNumber = flag;
    BodyAutoNumberField.clear();
    std::vector<std::string> keys = BodyKeyFieldNames();
    if (flag && !keys.empty()) BodyAutoNumberField = keys.back();
}

std::string TdmDouble::GetAutoNumberField() const {
    const std::vector<std::string> headKeys = KeyItems(KeyFields);
    const std::vector<std::string> bodyKeys = BodyKeyFieldNames();
    std::string bodyField;
    for (std::size_t i = 0; i < headKeys.size() && i < bodyKeys.size(); ++i)
        if (SameText(headKeys[i], AutoNumberField)) bodyField = bodyKeys[i];
    return AutoNumberField + "," + bodyField;
}

void TdmDouble::CopyHeaderKeysToBody() {
    const std::vector<std::string> headKeys = KeyItems(KeyFields);
    const std::vector<std::string>& bodyKeys = BodyKeyFieldNames();
    for (std::size_t i = 0; i < headKeys.size() && i < bodyKeys.size(); ++i) {
        TField* head = cdsMain->FindField(headKeys[i]);
        TField* body = cdsBody1->FindField(bodyKeys[i]);
        if (!head || !body) continue;
        if (cdsBody1->State() == dsBrowse) cdsBody1->Edit();
        AssignFieldValue(body, head->Value());
    }
}

void TdmDouble::MarkBodyKeysPending() {
    const std::vector<std::string>& bodyKeys = BodyKeyFieldNames();
    for (std::size_t i = 0; i + 1 < bodyKeys.size(); ++i)
        if (TField* body = cdsBody1->FindField(bodyKeys[i]); body && body->DataType() == ftString)
            AssignFieldValue(body, kPendingKeyMarker);
}

void TdmDouble::NextLineNumber(TDataSet* dataSet, const std::string& fieldName, std::string& text) {
    text.clear();
    TField* field = dataSet && dataSet->Active() ? dataSet->FindField(fieldName) : nullptr;
    if (!field) return;
    std::int64_t highest = 0;
    if (auto* rows = dynamic_cast<TClientDataSet*>(dataSet)) {
        highest = lineIndex_->HighestNumber(rows, fieldName, StampSourceOf(rows));
    } else {
        TBookmark here = dataSet->GetBookmark();
        TControlsDisabled still(dataSet);
        for (dataSet->First(); !dataSet->Eof(); dataSet->Next()) {
            std::int64_t n = 0;
            if (!TryStrToInt64(Trim(field->AsString()), n)) n = 0;
            if (n > highest) highest = n;
        }
        if (here && dataSet->BookmarkValid(here)) dataSet->GotoBookmark(here);
    }
    const int width = field->DataType() == ftString ? field->Size() : std::max(1, field->DataSize() - 1);
    char number[32];
    std::snprintf(number, sizeof number, "%.*lld", width, static_cast<long long>(highest + 1));
    text = number;
}

void TdmDouble::CopyHeaderFieldsToBody() {
    for (const std::string& pair : SplitString(HeadToBodyFields, ',')) {
        const std::size_t arrow = pair.find("->");
        if (arrow == std::string::npos) continue;
        TField* head = cdsMain->FindField(Trim(pair.substr(0, arrow)));
        TField* body = cdsBody1->FindField(Trim(pair.substr(arrow + 2)));
        if (!head || !body || head->Text() == body->Text()) continue;
        if (cdsBody1->State() == dsBrowse) cdsBody1->Edit();
        SetFieldText(body, head->Text(), false);
    }
}

void TdmDouble::CopyFromPreviousLine() {
    IDoubleFormLink* form = DoubleFormLink();
    if (!form) return;
    // The list first: asking the clone whether it is empty brings it up to the lines typed so far,
    // once per new line.
    const std::string list = form->CarryOverFields();
    if (Trim(list).empty() || !BodyClone || !BodyClone->Active() || BodyClone->IsEmpty()) return;
    BodyClone->Last();
    for (const std::string& name : KeyItems(list)) {
        TField* field = cdsBody1->FindField(name);
        TField* previous = BodyClone->FindField(name);
        if (field && previous && field->IsNull() && !previous->IsNull()) SetFieldText(field, previous->Text(), false);
    }
}

bool TdmDouble::IsDuplicateBodyKey(TField* field, const std::string& fieldList) {
    if (!field || !BodyClone || !BodyClone->Active()) return false;
    std::vector<std::string> names;
    for (const std::string& name : SplitString(fieldList.empty() ? field->FieldName() : fieldList, '+'))
        if (!Trim(name).empty()) names.push_back(Trim(name));
    const std::string current = TBodyLineIndex::KeyText(cdsBody1, names);
    int others = lineIndex_->CountKey(BodyClone, names, current, StampSourceOf(BodyClone));
    // The row being checked is among the rows unless it is a new one; it counts with what it had.
    const TBookmark self = cdsBody1->State() == dsInsert ? 0 : cdsBody1->GetBookmark();
    if (others > 0 && self && BodyClone->BookmarkValid(self)) {
        std::string own = current;
        if (cdsBody1->State() == dsEdit) {
            const TBookmark cloneHere = BodyClone->GetBookmark();
            BodyClone->GotoBookmark(self);
            own = TBodyLineIndex::KeyText(BodyClone, names);
            if (cloneHere && BodyClone->BookmarkValid(cloneHere)) BodyClone->GotoBookmark(cloneHere);
        }
        if (own == current) --others;
    }
    return others > 0;
}

// --- New rows -----------------------------------------------------------------------------------

void TdmDouble::cdsMainNewRecord(TDataSet* DataSet) {
    TdmSingle::cdsMainNewRecord(DataSet);
    BodySortField = nullptr;  // a new document starts in the body's own order
}

void TdmDouble::cdsBody1BeforeInsert(TDataSet* /*DataSet*/) {
    // A body row is only added while its document is being edited; the toolkit would otherwise put the
    // header into edit state by itself.
    if (!IsEditing(cdsMain)) Abort();
}

void TdmDouble::cdsBody1NewRecord(TDataSet* DataSet) {
    if (!IsEditing(cdsMain)) {
        DataSet->Cancel();
        return;
    }
    StampSystemColumns(DataSet);
    InitBodyRecord();
    if (IDoubleFormLink* form = DoubleFormLink()) form->BodyGridToFirstColumn();
}

void TdmDouble::InitBodyRecord() {
    if (cdsMain->State() == dsInsert)
        MarkBodyKeysPending();
    else
        CopyHeaderKeysToBody();
    if (BodyAutoNumber && !BodyAutoNumberField.empty()) {
        std::string number;
        NextLineNumber(BodyClone, BodyAutoNumberField, number);
        if (TField* field = cdsBody1->FindField(BodyAutoNumberField); field && !number.empty())
            SetFieldText(field, number, false);
    }
    CopyHeaderFieldsToBody();
    CopyFromPreviousLine();
    if (IDoubleFormLink* form = DoubleFormLink()) form->ApplyBodyUserDefaults();
    if (ISingleFormLink* form = FormLink()) {
        TUDFRules rules = form->UDFDefinitions("Z01D", "ALL");
        if (!rules.empty()) LoadUDFValues(cdsBody1, rules);
    }
}

// --- Posting and deleting body rows -------------------------------------------------------------

void TdmDouble::cdsBody1AfterEdit(TDataSet* DataSet) { StampSystemColumns(DataSet); }

void TdmDouble::cdsBody1BeforePost(TDataSet* DataSet) {
    if (IRecordEventsOwner* owner = RecordEventsOwner(); owner && !owner->ValidateBeforePost(DataSet)) Abort();
    BodyBeforePostHook();
    if (RefuseBodyPost()) Abort();
    lineIndex_->RowPosting(cdsBody1);
}

void TdmDouble::MarkHeaderModified() {
    if (cdsMain->State() == dsBrowse) cdsMain->Edit();
}

void TdmDouble::cdsBody1AfterPost(TDataSet* /*DataSet*/) {
    lineIndex_->RowPosted(cdsBody1);
    if (MarkHeaderOnBodyChange) MarkHeaderModified();
}

void TdmDouble::cdsBody1AfterDelete(TDataSet* /*DataSet*/) {
    if (MarkHeaderOnBodyChange) MarkHeaderModified();
}

void TdmDouble::cdsMainAfterPost(TDataSet* /*DataSet*/) {
    if (IDoubleFormLink* form = DoubleFormLink()) form->HeaderPosted();
}

void TdmDouble::dsBody1DataChange(TObject* /*Sender*/, TField* /*Field*/) {
    if (IDoubleFormLink* form = DoubleFormLink()) form->BodyDataChanged();
}

// --- Saving a new document ----------------------------------------------------------------------

void TdmDouble::BeforeInsertSave() {
    if (!cdsBody1->Active() || cdsBody1->IsEmpty()) return;
    // Pairs of the header's key field and the body's field it fills.
    const std::vector<std::string> headKeys = KeyItems(KeyFields);
    const std::vector<std::string> bodyKeys = BodyKeyFieldNames();
    std::vector<std::pair<TField*, TField*>> keys;
    for (std::size_t i = 0; i < headKeys.size() && i < bodyKeys.size(); ++i) {
        TField* head = cdsMain->FindField(headKeys[i]);
        TField* body = cdsBody1->FindField(bodyKeys[i]);
        if (head && body) keys.emplace_back(head, body);
    }
    TField* flag = cdsBody1->FindField("FLAG");
    std::vector<Variant> headValues;
    for (const auto& [head, body] : keys) headValues.push_back(body->Normalize(head->Value()));
    // Lines posted in this edit (a negative FLAG) were checked and stamped when posted; only their
    // keys change, so they take them in one pass. Any other line is edited and posted by itself.
    bool othersLeft = false;
    const TBodyWalk walk(*this);
    const auto stampedInThisEdit = [](const Variant& value) { return FlagMark(value) < 0; };
    if (flag) {
        ModifyNestedRows(cdsBody1, [&](std::vector<Variant>& values) {
            if (!stampedInThisEdit(values[static_cast<std::size_t>(flag->Slot())])) {
                othersLeft = true;
                return false;
            }
            bool changed = false;
            for (std::size_t i = 0; i < keys.size(); ++i) {
                Variant& value = values[static_cast<std::size_t>(keys[i].second->Slot())];
                if (value == headValues[i] || (value.IsNull() && headValues[i].IsNull())) continue;
                value = headValues[i];
                changed = true;
            }
            return changed;
        });
    }
    if (flag && !othersLeft) return;
    const TBookmark here = cdsBody1->GetBookmark();
    // The keys change as they are filled in and may move the rows in the body's order: every row is
    // visited by its bookmark, taken before the first change.
    std::vector<TBookmark> rows;
    for (cdsBody1->First(); !cdsBody1->Eof(); cdsBody1->Next())
        if (!flag || !stampedInThisEdit(flag->Value())) rows.push_back(cdsBody1->GetBookmark());
    for (TBookmark row : rows) {
        if (!cdsBody1->BookmarkValid(row)) continue;
        cdsBody1->GotoBookmark(row);
        try {
            cdsBody1->Edit();
            CopyHeaderKeysToBody();
            cdsBody1->Post();
        } catch (const std::exception&) {
            cdsBody1->Cancel();
        }
    }
    if (here && cdsBody1->BookmarkValid(here)) cdsBody1->GotoBookmark(here);
}

// --- Combo fields ---------------------------------------------------------------------------------

void TdmDouble::BindComboFields(TDataSet* dataSet) {
    const TStrings* types = ControlTypeOf(dataSet);
    for (int i = 0; types && i < types->Count(); ++i) {
        const std::vector<std::string> parts = SplitString(types->Strings(i), ';');
        if (parts.size() < 3 || !SameText(Trim(parts[1]), "CustomEdit")) continue;
        TField* field = dataSet->FindField(Trim(parts[0]));
        TComponent* control = Owner() ? Owner()->FindComponent(Trim(parts[2])) : nullptr;
        TStrings* items = control && control->InheritsFrom("TCustomComboBox") ? GetStringsProp(control, "Items") : nullptr;
        if (!field || !items) continue;
        field->OnGetText = [this, dataSet](TField* sender, std::string& text, bool displayText) {
            text = sender->AsString();
            if (displayText && !text.empty()) ComboDisplayText(dataSet, nullptr, text, text, sender->FieldName());
        };
        field->OnSetText = [items](TField* sender, const std::string& typed) {
            const std::string text = Trim(typed);
            for (int j = 0; j < items->Count(); ++j) {
                const std::string& line = items->Strings(j);
                const std::size_t tab = line.find('\t');
                const std::string shown = line.substr(0, tab);
                const std::string value = tab == std::string::npos ? line : line.substr(tab + 1);
                if (SameText(text, shown) || SameText(text, value)) {
                    sender->SetAsString(value);
                    return;
                }
            }
            sender->SetAsString(text);
        };
    }
}
