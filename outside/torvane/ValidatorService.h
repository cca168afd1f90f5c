#pragma once
// The validator (the manager's Com_Validator): coded lookups answered by the application server.
//   CheckValue(table, kind, database, keys, out values) -> bool   (values: the first row)
//   QueryData(table, kind, database, keys, out rows)    -> bool   (rows: every row)
//   QueryMaxSeq(table, database, fields, values, prefix, out number) -> bool
// An empty database means the logged-in one.
#include <memory>

#include "outside/torvane/HostSession.h"
#include "toolkit/rtl/Dispatch.h"

class TValidatorService : public TDispatchObject {
public:
    explicit TValidatorService(std::shared_ptr<HostSession> session);

private:
    // Forwards the call with the database at databaseArg resolved; the argument at outArg is written
    // back to the caller's variable.
    Variant Forward(const std::string& member, VarArgs& args, std::size_t databaseArg, std::size_t outArg);

    std::shared_ptr<HostSession> session_;
};
