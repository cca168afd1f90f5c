#pragma once
// Filter expressions of a dataset's Filter property: comparisons of fields with literals joined by
// and / or / not, with parentheses:  MC001 = 'A01' and (FLAG > 0 or MC002 <> 'X')
// Operators = <> != < > <= >=, "is null", "is not null"; strings in single quotes ('' for a quote);
// a string ending in * compares as a prefix; field names may be written [in brackets].
#include <memory>
#include <string>
#include <vector>

#include "toolkit/rtl/Variant.h"

class TDataSet;

class TFilterExpression {
public:
    // Raises EDatabaseError naming the expression when it cannot be read.
    static std::shared_ptr<TFilterExpression> Parse(const std::string& text);
    // Resolves field names against the dataset's fields (unknown names raise EDatabaseError).
    void Bind(const TDataSet& dataSet);
    bool Evaluate(const std::vector<Variant>& row) const;

    struct Node;

private:
    std::shared_ptr<Node> root_;
    std::vector<std::shared_ptr<Node>> fieldNodes_;
};
