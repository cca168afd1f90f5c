#include "outside/pickvu/LookupService.h"

#include "toolkit/com/ComObj.h"
#include "toolkit/rtl/Exception.h"

namespace {

LookupCallbacks BuiltInCallbacks() {
    LookupCallbacks c;
    c.choose = [](const LookupRequest&, const Variant& rows) { return rows; };
    c.phrase = [](const std::string&, const std::string&, const std::vector<std::string>&, std::string&) { return -1; };
    c.inputDay = [](const Variant&, const std::string& text, const std::string&) { return text; };
    c.characters = [](const VarArgs&) { return Variant(); };
    c.calculate = [](const std::string& text) { return text; };
    return c;
}

}  // namespace

LookupCallbacks& DefaultLookupCallbacks() {
    static LookupCallbacks callbacks = BuiltInCallbacks();
    return callbacks;
}

TLookupService::TLookupService() : callbacks_(DefaultLookupCallbacks()) {
    DefineMethod("F2GetData", [this](VarArgs& a) { return F2GetData(ArgAt(a, 0)); });
    DefineMethod("GetPhrase2", [this](VarArgs& a) {
        std::string text = VarToStr(ArgAt(a, 3));
        const std::string user = VarToStr(ArgAt(a, 0));
        const std::string company = VarToStr(ArgAt(a, 1));
        int answer = callbacks_.phrase(user, company, Phrases(user, company), text);
        if (answer >= 0 && a.size() > 3) a[3].Assign(text);
        return Variant(answer);
    });
    DefineMethod("ShowInputDay", [this](VarArgs& a) {
        return Variant(callbacks_.inputDay(ArgAt(a, 0), VarToStr(ArgAt(a, 1)), VarToStr(ArgAt(a, 2))));
    });
    DefineMethod("ShowCharaters", [this](VarArgs& a) { return callbacks_.characters(a); });
    DefineMethod("GetCalcValue", [this](VarArgs& a) { return Variant(callbacks_.calculate(VarToStr(ArgAt(a, 0)))); });
    DefineProperty(
        "AppServer", [this] { return appServer_; }, [this](const Variant& v) { appServer_ = v.Deref(); });
}

const Variant& TLookupService::AppServer() {
    if (!appServer_.IsDispatch()) appServer_ = CreateOleObject("Nexor01S.Class1");
    return appServer_;
}

Variant TLookupService::F2GetData(const Variant& params) {
    if (!params.IsArray()) return {};
    LookupRequest request;
    request.params = params;
    request.table = VarToStr(ElementAt(params, 0));
    request.kind = VarToStr(ElementAt(params, 1));
    request.keys = ElementAt(params, 2);
    request.search = VarToStr(ElementAt(params, 4));
    if (params.Count() >= 19) {
        request.companyId = VarToStr(ElementAt(params, 5));
        request.databaseName = VarToStr(ElementAt(params, 6));
    } else {
        request.databaseName = VarToStr(ElementAt(params, 5));
    }
    Variant list =
        OleCall(AppServer(), "GetLookupList", {request.table, request.kind, request.databaseName, request.keys, request.search});
    if (!list.IsArray()) return {};  // no such lookup in the catalog
    request.caption = VarToStr(ElementAt(list, 0));
    Variant titles = ElementAt(list, 1);
    for (int i = 0; titles.IsArray() && i < titles.Count(); ++i) request.titles.push_back(VarToStr(ElementAt(titles, i)));
    Variant chosen = callbacks_.choose(request, ElementAt(list, 2));
    if (!chosen.IsArray() || chosen.Count() == 0) return {};
    return chosen;
}

std::vector<std::string> TLookupService::Phrases(const std::string& user, const std::string& company) {
    std::vector<std::string> phrases;
    Variant rows;
    // The connected company's phrases; a server that serves no connection finds the company by name.
    for (const std::string& database : {std::string(), company}) {
        try {
            if (OleCall(AppServer(), "QueryData", {"ADMPH", "01", database, VarArrayOf({user}), Variant::Ref(&rows)}).AsBool())
                break;
        } catch (const Exception&) {
            rows = Variant();
        }
    }
    for (int r = 0; rows.IsArray() && r < rows.Count(); ++r) phrases.push_back(VarToStr(ElementAt(ElementAt(rows, r), 0)));
    return phrases;
}
