// Start-up of a program form: from the host's start parameters to a connected, localized window
// with the user's rights.
#include "env/VandrilIni.h"
#include "framework/forms/RadicalForm.h"
#include "server/Brokers.h"
#include "server/DataModuleLink.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/kernel/Application.h"

namespace {

const Variant& Element(const Variant& params, int i) {
    static const Variant empty;
    if (!params.IsArray() || params.DimCount() != 1) return empty;
    int index = params.Low() + i;
    return index <= params.High() ? params[index] : empty;
}

int ParamCount(const Variant& params) { return params.IsArray() && params.DimCount() == 1 ? params.Count() : 0; }

// A window handle given as a number; anything else is no window.
HWND HandleOf(const Variant& value) {
    if (value.IsNumeric()) return static_cast<HWND>(value.AsInt64());
    std::int64_t handle = 0;
    return value.IsString() && TryStrToInt64(value.AsString(), handle) ? static_cast<HWND>(handle) : 0;
}

}  // namespace

bool TfrmRadical::StartProgram(const Variant& params) {
    Hide();
    if (!IsHosted()) {
        ExtraStartValue = VarArrayCreate(0, -1);
    } else if (ParamCount(params) > 4) {
        ExtraStartValue = Element(params, 4);
    } else {
        // The work center always sends the extra value; anything less is a start from elsewhere.
        Brokers->ShowMessageByCode("E", "000038");
        Application->PostMessage(Handle(), WM_CLOSE);
    }
    ResetForm();

    Brokers->UserId = VarToStr(Element(params, 0));
    Brokers->CompanyId = VarToStr(Element(params, 1));
    Brokers->DatabaseName = VarToStr(Element(params, 2));
    Brokers->ProgramId = UpperCase(ProgramId());
    Brokers->AttachServices();
    Brokers->LoadSysInfo();
    LoadRights();

    if (!CodeConversionDone) {
        RkConverter->ConvertForm(this);
        CodeConversionDone = true;
    }
    ApplyLanguage(this, true);
    RkConverter->ApplyScreenFonts();

    if (DataModule) {
        if (IDataModuleLink* link = DataModuleLink()) link->LocalizeFields();
        ApplyLanguageOwn(DataModule, true);
    }
    SetCaption(Brokers->ProgramName + "[" + Brokers->GetSysValue("RKT002") + "]");
    SetCaption(RkConverter->ToDisplayText(Caption()));
    ApplyFieldRestrictions();

    HostWindow = HandleOf(Element(params, 3));
    if (std::string printId = Trim(Brokers->PrintProgramId); !printId.empty()) PrintProgramId = printId;
    DatabaseName = Brokers->DatabaseName;
    return true;
}

void TfrmRadical::ResetForm() {
    const TVandrilIniC ini;
    ProfileFolder = ini.ProfilePath;
    ConfigFileName = ini.FileName;
    SendImageOption = ini.CreateGifBeforeSendQW;
}

void TfrmRadical::LoadRights() {
    DateOrder = StrToIntDef(Brokers->GetSysValue("SYS001"), 1);
    DateSeparator = Brokers->GetSysValue("SYS002");
    IDataModuleLink* link = DataModuleLink();
    if (!link) return;
    link->SetBrokers(Brokers);
    // Known before the datasets open: their fields take date masks built from them.
    link->SetDateSettings(DateOrder, DateSeparator);
    if (!link->OpenDataConnection()) return;
    Brokers->UserGroup = Brokers->ProgramInfo.Values("USER_GROUP");
    ParseFunctionRights();
    link->SetDateSettings(DateOrder, DateSeparator);
    Variant sqlType = link->WhatIs("SQLTYPE");
    SqlType = StrToIntDef(VarToStr(sqlType), 0);
    Brokers->SqlType = SqlType;
}

void TfrmRadical::ParseFunctionRights() {
    GroupList = Brokers->ProgramInfo.Values("GROUP_LIST");
    ExPower = Brokers->ProgramInfo.Values("EX_POWER");
    const std::string powerData = Brokers->ProgramInfo.Values("POWER_DATA");
    FunctionRights = ParsePowerData(powerData);
    if (powerData.empty()) Brokers->ShowMessageByCode("E", "000004");
}
