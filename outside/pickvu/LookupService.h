#pragma once
// The lookup server "PickvuS.Class1": the F2 lookup and the small pick-a-value services. The rows come
// from the application server's lookup catalog; what the user would pick in a window is answered by
// replaceable callbacks (the work center installs windows, tests install scripts).
//   F2GetData(params)                         -> chosen rows (0-based rows of 0-based values) or Unassigned;
//                                                params as the framework sends them: 0 table, 1 kind, 2 keys,
//                                                4 search text, 5 company, 6 database (19 elements), or the
//                                                14-element lookup-combo form with the database at 5
//   GetPhrase2(user, company, window, var text) -> number; negative = nothing chosen (text unchanged);
//                                                the phrases offered are the company's (lookup "ADMPH",
//                                                "01": the user's own, then everyone's)
//   ShowInputDay(flag, text, database)        -> text
//   ShowCharaters(...)                        -> the callback's answer
//   GetCalcValue(text, window)                -> text
//   AppServer (put)                           the application server the rows come from (default: one
//                                             made in this process by "Nexor01S.Class1")
#include <functional>
#include <string>
#include <vector>

#include "toolkit/rtl/Dispatch.h"
#include "toolkit/rtl/Visibility.h"

struct LookupRequest {
    std::string table, kind, search, companyId, databaseName;
    Variant keys;
    std::string caption;              // of the catalog entry
    std::vector<std::string> titles;  // column titles
    Variant params;                   // everything the caller sent
};

struct LookupCallbacks {
    // The F2 window: given the candidate rows, the rows chosen. Default: every candidate.
    std::function<Variant(const LookupRequest& request, const Variant& rows)> choose;
    // The common-phrase window offering the phrases: may change the text; a negative answer means
    // cancelled. Default: -1.
    std::function<int(const std::string& user, const std::string& company, const std::vector<std::string>& phrases,
                      std::string& text)>
        phrase;
    // The date-entry window. Default: the text unchanged.
    std::function<std::string(const Variant& flag, const std::string& text, const std::string& database)> inputDay;
    // The character window. Default: Unassigned.
    std::function<Variant(const VarArgs& args)> characters;
    // The calculator. Default: the text unchanged.
    std::function<std::string(const std::string& text)> calculate;
};

// The callbacks new lookup-service objects start with.
TK_EXPORT LookupCallbacks& DefaultLookupCallbacks();

class TK_EXPORT TLookupService : public TDispatchObject {
public:
    TLookupService();

    LookupCallbacks& Callbacks() { return callbacks_; }

    Variant F2GetData(const Variant& params);
    // The common phrases of the user in the connected company (or the company's database of that
    // name); none when there are none.
    std::vector<std::string> Phrases(const std::string& user, const std::string& company);

private:
    const Variant& AppServer();

    LookupCallbacks callbacks_;
    Variant appServer_;
};

TK_EXPORT DispatchPtr CreateLookupService();
