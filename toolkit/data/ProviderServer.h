#pragma once
// The provider protocol's members (Provider.h) bound once for every server that speaks it: the members
// check their arguments, unpack them into a request, call the server's operation and write the
// by-reference results back. A server derives from this and implements the operations.
#include <string>
#include <vector>

#include "toolkit/rtl/Dispatch.h"

// AS_GetRecords as the server sees it. The operation sets RecsOut and may change OwnerData (the cursor
// token) and the values of Params; both go back to the caller.
struct TRecordsRequest {
    std::string ProviderName;
    int Count = -1;
    int Options = 0;
    std::string CommandText;
    Variant Params;
    Variant OwnerData;
    int RecsOut = 0;
};

// AS_ApplyUpdates as the server sees it. The operation sets ErrorCount.
struct TUpdatesRequest {
    std::string ProviderName;
    Variant Delta;
    int MaxErrors = 0;
    Variant OwnerData;
    int ErrorCount = 0;
};

class TProviderServer : public TDispatchObject {
public:
    // The data packet of the request (Provider.h).
    virtual Variant GetRecords(TRecordsRequest& request) = 0;
    // The error packet of the delta's application.
    virtual Variant ApplyUpdates(TUpdatesRequest& request) = 0;
    // The provider's answer to a free-form request.
    virtual Variant DataRequest(const std::string& providerName, const Variant& data) = 0;
    virtual std::vector<std::string> ProviderNames() const = 0;

protected:
    TProviderServer();
};
