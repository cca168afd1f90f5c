#include "outside/pickvu/LookupService.h"

#include "toolkit/com/ComObj.h"

namespace {

const Variant& Arg(const VarArgs& args, std::size_t i) {
    static const Variant empty;
    return i < args.size() ? args[i].Deref() : empty;
}

Variant Element(const Variant& array, int i) {
    if (!array.IsArray() || i >= array.Count()) return {};
    return array[array.Low() + i].Deref();
}

LookupCallbacks BuiltInCallbacks() {
    LookupCallbacks c;
    c.choose = [](const LookupRequest&, const Variant& rows) { return rows; };
    c.phrase = [](const std::string&, const std::string&, std::string&) { return -1; };
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
    DefineMethod("F2GetData", [this](VarArgs& a) { return F2GetData(Arg(a, 0)); });
    DefineMethod("GetPhrase2", [this](VarArgs& a) {
        std::string text = VarToStr(Arg(a, 3));
        int answer = callbacks_.phrase(VarToStr(Arg(a, 0)), VarToStr(Arg(a, 1)), text);
        if (answer >= 0 && a.size() > 3) a[3].Assign(text);
        return Variant(answer);
    });
    DefineMethod("ShowInputDay", [this](VarArgs& a) {
        return Variant(callbacks_.inputDay(Arg(a, 0), VarToStr(Arg(a, 1)), VarToStr(Arg(a, 2))));
    });
    DefineMethod("ShowCharaters", [this](VarArgs& a) { return callbacks_.characters(a); });
    DefineMethod("GetCalcValue", [this](VarArgs& a) { return Variant(callbacks_.calculate(VarToStr(Arg(a, 0)))); });
}

const Variant& TLookupService::AppServer() {
    if (!appServer_.IsDispatch()) appServer_ = CreateOleObject("Nexor01S.Class1");
    return appServer_;
}

Variant TLookupService::F2GetData(const Variant& params) {
    if (!params.IsArray()) return {};
    LookupRequest request;
    request.params = params;
    request.table = VarToStr(Element(params, 0));
    request.kind = VarToStr(Element(params, 1));
    request.keys = Element(params, 2);
    request.search = VarToStr(Element(params, 4));
    if (params.Count() >= 19) {
        request.companyId = VarToStr(Element(params, 5));
        request.databaseName = VarToStr(Element(params, 6));
    } else {
        request.databaseName = VarToStr(Element(params, 5));
    }
    Variant list = OleCall(AppServer(), "GetLookupList",
                           {request.table, request.kind, request.databaseName, request.keys, request.search});
    if (!list.IsArray()) return {};   // no such lookup in the catalog
    request.caption = VarToStr(Element(list, 0));
    Variant titles = Element(list, 1);
    for (int i = 0; titles.IsArray() && i < titles.Count(); ++i) request.titles.push_back(VarToStr(Element(titles, i)));
    Variant chosen = callbacks_.choose(request, Element(list, 2));
    if (!chosen.IsArray() || chosen.Count() == 0) return {};
    return chosen;
}
