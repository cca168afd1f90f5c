#pragma once
// Writing text into fields the way the framework does everywhere, and the duration check of typed
// time texts.
#include <string>

#include "toolkit/rtl/Variant.h"

class TField;

// Lifts a field's read-only flag for the lifetime of the object and restores it afterwards.
class TReadOnlyLift {
public:
    explicit TReadOnlyLift(TField* field);
    ~TReadOnlyLift();
    TReadOnlyLift(const TReadOnlyLift&) = delete;
    TReadOnlyLift& operator=(const TReadOnlyLift&) = delete;

private:
    TField* field_;
    bool readOnly_;
};

// Nothing without a field. The read-only flag is lifted for the assignment. Small-integer, integer
// and float fields with asEditText parse the text as typed; memo fields take it whole; every other
// field takes it cut to its size in database bytes without splitting a double-byte character.
void SetFieldText(TField* field, const std::string& text, bool asEditText);
// Assigns a value even to a read-only field (the framework's own columns).
void AssignFieldValue(TField* field, const Variant& value);

// A duration text "h:mm:ss" (hours of any width): empty is valid; otherwise three numeric parts,
// hours not negative, minutes and seconds from 0 to 59.
bool ValidTimeText(const std::string& text);
