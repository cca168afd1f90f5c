#pragma once
// Text fields. Size counts bytes in the database code page (936, GBK, unless changed): a string 10
// holds ten GBK bytes, five Chinese characters. A longer text is cut without splitting a character.
#include "toolkit/data/Field.h"

class TStringField : public TField {
public:
    TStringField() : TField(ftString) {}
    // Code page in which Size is counted.
    static int DatabaseCodePage;

    Variant Normalize(const Variant& value) const override;
};

// The text cut to maxBytes of the code page, never splitting a character (maxBytes <= 0: unchanged).
std::string FitToFieldSize(const std::string& text, int maxBytes, int codePage);
