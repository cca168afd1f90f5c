// Lookups through the host's lookup service: the F2 window (and the lookup combo's exchange of its
// parameter and result with the owner) and the small pick-a-value windows.
#include "server/BrokerOwner.h"
#include "server/Brokers.h"
#include "toolkit/rtl/Dispatch.h"

namespace {
constexpr int kLookupCollectParam = 1;
constexpr int kLookupReturnResult = 2;
}  // namespace

Variant TBrokers::BuildLookupParam(const std::string& table, const std::string& kind, const Variant& keys,
                                   const TLookupOptions& options) const {
    Variant param = VarArrayCreate(0, 13);
    param[0] = table;
    param[1] = kind;
    param[2] = keys;
    param[3] = 1;
    param[4] = options.SearchText;
    param[5] = DatabaseName;
    param[6] = Variant();  // reserved
    const bool texts = !options.Texts[0].empty();
    for (int i = 0; i < 3; ++i) param[7 + i] = texts ? options.Texts[i] : std::string();
    param[10] = ProgramInfo.Values("BaseLimited");
    param[11] = "";
    param[12] = "";
    param[13] = "9";
    return param;
}

Variant TBrokers::LookupData(const std::string& table, const std::string& kind, const Variant& keys,
                             const TLookupOptions& options) {
    IBrokerOwner* owner = OwnerWindow();
    if (owner && owner->LookupExchangeMode() == kLookupCollectParam) {
        owner->StoreLookupParam(BuildLookupParam(table, kind, keys, options));
        return Variant();
    }
    if (owner && owner->LookupExchangeMode() == kLookupReturnResult) return owner->StoredLookupResult();
    if (!LookupService.IsDispatch()) return Variant();

    auto right = [owner](int element) { return owner && owner->HasFunctionRight(element); };
    Variant request = VarArrayCreate(0, 18);
    request[0] = table;
    request[1] = kind;
    request[2] = keys;
    request[3] = options.FirstOption;
    request[4] = options.SearchText;
    request[5] = CompanyId;
    request[6] = DatabaseName;
    request[7] = static_cast<long long>(options.Window ? options.Window : OwnerHandle());
    request[8] = 1;
    request[9] = options.SecondOption;
    request[10] = Variant();  // reserved
    for (int i = 0; i < 3; ++i) request[11 + i] = options.Texts[i];
    request[14] = ProgramInfo.Values("BaseLimited");
    request[15] = right(33) || right(35);
    request[16] = right(32) || right(34);
    request[17] = HostManager;
    request[18] = UserId;
    return OleCall(LookupService, "F2GetData", {request});
}

int TBrokers::GetPhrase2(std::string& text) {
    if (!LookupService.IsDispatch()) {
        text.clear();
        return -1;
    }
    Variant phrase = text;
    VarArgs args{UserId, CompanyId, static_cast<long long>(OwnerHandle()), Variant::Ref(&phrase)};
    int answer = OleCall(LookupService, "GetPhrase2", args).AsInteger();
    text = answer < 0 ? std::string() : VarToStr(phrase);
    return answer;
}

std::string TBrokers::ShowInputDay(const Variant& flag, const std::string& text) {
    if (!LookupService.IsDispatch()) return {};
    return VarToStr(OleCall(LookupService, "ShowInputDay", {flag, text, DatabaseName}));
}

Variant TBrokers::ShowCharaters(const std::string& user, const std::string& company, HWND window) {
    if (!LookupService.IsDispatch()) return Variant();
    return OleCall(LookupService, "ShowCharaters",
                   {user.empty() ? UserId : user, company.empty() ? CompanyId : company,
                    static_cast<long long>(window ? window : OwnerHandle())});
}

std::string TBrokers::GetCalcValue(const std::string& text, HWND window) {
    if (!LookupService.IsDispatch()) return {};
    try {
        return VarToStr(OleCall(LookupService, "GetCalcValue", {text, static_cast<long long>(window ? window : OwnerHandle())}));
    } catch (const EAbort&) {
        throw;
    } catch (const std::exception&) {
        ShowMessageByCode("E", "000032", {ToUserScript("请更新PickvuC.dll")});
        return {};
    }
}
