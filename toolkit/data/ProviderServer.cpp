#include "toolkit/data/ProviderServer.h"

namespace {

void RequireArguments(const VarArgs& args, std::size_t count) {
    if (args.size() < count) throw EOleError("Invalid number of parameters.");
}

}  // namespace

TProviderServer::TProviderServer() {
    DefineMethod("AS_GetRecords", [this](VarArgs& a) {
        RequireArguments(a, 7);
        TRecordsRequest request;
        request.ProviderName = VarToStr(ArgAt(a, 0));
        request.Count = ArgAt(a, 1).AsInteger();
        request.Options = ArgAt(a, 3).IsEmpty() ? 0 : ArgAt(a, 3).AsInteger();
        request.CommandText = VarToStr(ArgAt(a, 4));
        request.Params = ArgAt(a, 5);
        request.OwnerData = ArgAt(a, 6);
        Variant packet = GetRecords(request);
        a[2].Assign(Variant(request.RecsOut));
        a[5].Assign(request.Params);
        a[6].Assign(request.OwnerData);
        return packet;
    });
    DefineMethod("AS_ApplyUpdates", [this](VarArgs& a) {
        RequireArguments(a, 5);
        TUpdatesRequest request;
        request.ProviderName = VarToStr(ArgAt(a, 0));
        request.Delta = ArgAt(a, 1);
        request.MaxErrors = ArgAt(a, 2).AsInteger();
        request.OwnerData = ArgAt(a, 4);
        Variant errors = ApplyUpdates(request);
        a[3].Assign(Variant(request.ErrorCount));
        a[4].Assign(request.OwnerData);
        return errors;
    });
    DefineMethod("AS_DataRequest", [this](VarArgs& a) {
        RequireArguments(a, 2);
        return DataRequest(VarToStr(ArgAt(a, 0)), ArgAt(a, 1));
    });
    DefineMethod("AS_GetProviderNames", [this](VarArgs&) {
        std::vector<Variant> names;
        for (const auto& name : ProviderNames()) names.push_back(Variant(name));
        return VarArrayOf(names);
    });
}
