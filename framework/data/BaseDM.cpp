#include "framework/data/BaseDM.h"

#include "framework/data/RecordEventsOwner.h"
#include "framework/data/SelectParsing.h"
#include "server/Brokers.h"
#include "toolkit/classes/Properties.h"
#include "toolkit/data/Field.h"
#include "toolkit/rtl/ControlsDisabled.h"
#include "toolkit/rtl/Dispatch.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/rtl/ValueRollback.h"

namespace {

constexpr int kHeaderPacketRows = 20;

}  // namespace

const char* CurrencyDigitTypeName(TCurrencyDigitType kind) {
    switch (kind) {
        case cdtPrice: return "cdtPrice";
        case cdtMoney: return "cdtMoney";
        case cdtUnitCost: return "cdtUnitCost";
        case cdtCostsAmount: return "cdtCostsAmount";
    }
    return "";
}

void TdmBase::Publish(TPublisher<TdmBase>& p) {
    p.Property("KeyFields", &TdmBase::KeyFields);
    p.Property("MainTable", &TdmBase::MainTable);
    p.Property("QuantityFieldNames", &TdmBase::QuantityFieldNames);
    p.Property("FetchOnScroll", &TdmBase::FetchOnScroll);
    p.Property("ServerRecordCount", &TdmBase::ServerRecordCount);
    p.Method("DataModuleCreate", &TdmBase::DataModuleCreate);
    p.Method("DataModuleDestroy", &TdmBase::DataModuleDestroy);
    p.Method("cdsMainBeforeOpen", &TdmBase::cdsMainBeforeOpen);
    p.Method("cdsMainAfterOpen", &TdmBase::cdsMainAfterOpen);
    p.Method("cdsMainAfterEdit", &TdmBase::cdsMainAfterEdit);
    p.Method("cdsMainBeforePost", &TdmBase::cdsMainBeforePost);
    p.Method("cdsMainBeforeScroll", &TdmBase::cdsMainBeforeScroll);
    p.Method("cdsMainAfterScroll", &TdmBase::cdsMainAfterScroll);
    p.Method("cdsMainNewRecord", &TdmBase::cdsMainNewRecord);
    p.Method("NumberFieldSetText", &TdmBase::NumberFieldSetText);
    p.Method("MoneyFieldGetText", &TdmBase::MoneyFieldGetText);
    p.Method("QuantityFieldGetText", &TdmBase::QuantityFieldGetText);
}

TdmBase::TdmBase(TComponent* owner) : TdmRadical(owner) {
    cdsMain = CreateComponent<TClientDataSet>(this);
    cdsMain->SetName("cdsMain");
    cdsMain->RemoteServer = &MIDAS;
    cdsMain->ProviderName = "pvdMain";
    cdsMain->PacketRecords = kHeaderPacketRows;
    cdsMain->FetchOnDemand = false;
    cdsMain->BeforeOpen = [this](TDataSet* ds) { cdsMainBeforeOpen(ds); };
    cdsMain->AfterOpen = [this](TDataSet* ds) { cdsMainAfterOpen(ds); };
    cdsMain->AfterEdit = [this](TDataSet* ds) { cdsMainAfterEdit(ds); };
    cdsMain->BeforePost = [this](TDataSet* ds) { cdsMainBeforePost(ds); };
    cdsMain->BeforeScroll = [this](TDataSet* ds) { cdsMainBeforeScroll(ds); };
    cdsMain->AfterScroll = [this](TDataSet* ds) { cdsMainAfterScroll(ds); };
    cdsMain->OnNewRecord = [this](TDataSet* ds) { cdsMainNewRecord(ds); };

    dsMain = CreateComponent<TDataSource>(this);
    dsMain->SetName("dsMain");
    dsMain->SetDataSet(cdsMain);

    // Opened by OpenMain only: the provider-dataset pass of the connection leaves it alone.
    cdsMainColor = CreateComponent<TClientDataSet>(this);
    cdsMainColor->SetName("cdsMainColor");
    cdsMainColor->PacketRecords = kHeaderPacketRows;

    dsMainColor = CreateComponent<TDataSource>(this);
    dsMainColor->SetName("dsMainColor");

    OnCreate = [this](TObject* sender) { DataModuleCreate(sender); };
    OnDestroy = [this](TObject* sender) { DataModuleDestroy(sender); };
}

TdmBase::~TdmBase() {
    CurrencySettings.clear();
    for (TComponent* component : ComponentList())
        if (auto* dataSet = dynamic_cast<TDataSet*>(component); dataSet && dataSet->Active()) dataSet->Close();
    if (MIDAS.Connected()) MIDAS.Close();
}

void TdmBase::DataModuleCreate(TObject* Sender) {
    TdmRadical::DataModuleCreate(Sender);
    FetchOnScroll = true;
    MoneyFieldAutoZero = MoneyFieldThousand = QuantityFieldAutoZero = QuantityFieldThousand = true;
}

void TdmBase::DataModuleDestroy(TObject* Sender) { TdmRadical::DataModuleDestroy(Sender); }

bool TdmBase::IsLocalServer() const { return MIDAS.Address == "127.0.0.1"; }

void TdmBase::SetKeyFields(const std::string& keys) {
    if (!SameText(keys, KeyFields)) KeyFields = keys;
}

void TdmBase::ParseHeaderSelect(const std::string& statement) { HeaderExtraColumns = HeaderExtraColumnsOf(statement); }

void TdmBase::ParseBodySelect(const std::string& statement) {
    TBodySelectParts parts = ParseBodySelectText(statement);
    BodyExtraColumns = parts.ExtraColumns;
    BodyJoinClause = parts.JoinClause;
}

int TdmBase::AfterConnectHook() { return OpenMain() ? 1 : 0; }

bool TdmBase::OpenMain() {
    const TStringList& info = Brokers->ProgramInfo;
    MainTable = info.Values("M11_TABLE");
    SetKeyFields(info.Values("M11_KEY"));
    if (StartsText("Y", Brokers->GetSysValue("SYS150"))) {
        ParseHeaderSelect(info.Values("M11_SELECT"));
        ParseBodySelect(info.Values("D11_SELECT"));
    }
    cdsMain->Open();
    LabelSystemColumns(cdsMain);
    bool open = cdsMain->Active();
    try {
        cdsMainColor->RemoteServer = &MIDAS;
        cdsMainColor->ProviderName = "pvdColor";
        cdsMainColor->Open();
    } catch (const std::exception&) {
        // The program runs without colour rows.
    }
    return open;
}

void TdmBase::cdsMainBeforeOpen(TDataSet* /*DataSet*/) {}

void TdmBase::cdsMainAfterOpen(TDataSet* DataSet) {
    std::vector<std::string> sources;
    for (int i = 0; i < CurrencyFieldGroups.Count(); ++i) {
        std::string name = CurrencyFieldGroups.Names(i);
        std::string source = name.substr(0, name.find("||"));
        bool seen = false;
        for (const auto& s : sources) seen = seen || SameText(s, source);
        if (!seen) sources.push_back(source);
    }
    for (const std::string& source : sources)
        if (TField* field = CurrencySourceField(source, DataSet)) ApplyCurrencyFormats(nullptr, field, "");
    try {
        if (AppServer.IsDispatch()) ServerRecordCount = OleCall(AppServer, "GetRecCount").AsInteger();
    } catch (const std::exception&) {
        ServerRecordCount = 0;
    }
}

IRecordEventsOwner* TdmBase::RecordEventsOwner() const { return dynamic_cast<IRecordEventsOwner*>(Owner()); }

void TdmBase::cdsMainNewRecord(TDataSet* DataSet) {
    StampSystemColumns(DataSet);
    NewRecordStep(DataSet);
    InitNewRecord();
}

void TdmBase::cdsMainAfterEdit(TDataSet* DataSet) {
    if (IRecordEventsOwner* owner = RecordEventsOwner(); owner && owner->RecordEditMode() == 1) StampSystemColumns(DataSet);
}

void TdmBase::cdsMainBeforePost(TDataSet* DataSet) {
    if (IRecordEventsOwner* owner = RecordEventsOwner(); owner && !owner->ValidateBeforePost(DataSet)) Abort();
}

void TdmBase::cdsMainAfterScroll(TDataSet* DataSet) {
    try {
        if (IRecordEventsOwner* owner = RecordEventsOwner()) owner->RecordChanged(DataSet);
    } catch (const std::exception&) {
        // The form's refresh of its commands must not stop the scroll.
    }
}

void TdmBase::cdsMainBeforeScroll(TDataSet* /*DataSet*/) {
    if (!FetchOnScroll || cdsMain->State() != dsBrowse || !cdsMain->MoreRowsAvailable()) return;
    if (!cdsMain->Eof() && cdsMain->RecNo() < cdsMain->RecordCount()) return;
    TValueRollback dataChange(dsMain->OnDataChange, TDataChangeEvent());
    TControlsDisabled still(cdsMain);
    cdsMain->GetNextPacket();
}

TDataSet* TdmBase::FindDataSet(const std::string& name) const {
    for (TComponent* component : ComponentList())
        if (auto* dataSet = dynamic_cast<TDataSet*>(component); dataSet && SameText(dataSet->Name(), name)) return dataSet;
    return nullptr;
}
