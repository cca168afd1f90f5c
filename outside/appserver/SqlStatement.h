#pragma once
// One prepared statement of a company database with Variant values: bound parameters in, rows out.
// Prepared once and run many times (the cursors of the providers and the statements of delta
// application). Each backend supplies its own kind.
#include <string>
#include <vector>

#include "toolkit/rtl/Variant.h"
#include "toolkit/rtl/Visibility.h"

class TK_EXPORT SqlStatement {
public:
    virtual ~SqlStatement() = default;

    virtual const std::string& Sql() const = 0;
    // Resets the statement and binds the values to its "?" parameters in order (missing ones are null).
    virtual void Bind(const std::vector<Variant>& params) = 0;
    // Steps once: true when a row is ready. Raises EDatabaseError with the database's message.
    virtual bool Step() = 0;
    // Runs a statement that returns no rows; the number of rows it changed.
    virtual int Execute(const std::vector<Variant>& params = {}) = 0;
    // Execute with the values read where the caller keeps them (they outlive the call): no copies.
    virtual int ExecuteInPlace(const std::vector<const Variant*>& params);
    // Ends the current run (a stepped statement may be left before its last row).
    virtual void Reset() = 0;

    virtual int ColumnCount() const = 0;
    virtual std::string ColumnName(int i) const = 0;
    virtual std::string DeclaredType(int i) const = 0;  // "" for expressions
    virtual Variant Column(int i) const = 0;
    // The first `count` columns of the current row into out[0..count-1].
    virtual void ReadColumns(Variant* out, int count) const;
    std::vector<Variant> Row() const;
    // True for a statement that only reads.
    virtual bool ReadOnly() const = 0;
};
