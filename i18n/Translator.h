#pragma once
// The translator library, loaded by name at run time: simplified <-> traditional Chinese conversion
// of UTF-8 texts. Each conversion entry is
//   long F(const char* text, long length, char* out, long capacity)
// which returns the length of the whole result (writing it, NUL-terminated, when it fits in capacity)
// or -1 on failure. GetBIG5Data and GetGBData (the text's bytes in those code pages) and SaveOrder
// (writes the "Language" table file) are looked up too; the framework itself needs only the two
// conversions.
#include <string>

#include "toolkit/os/DynLib.h"
#include "toolkit/rtl/Exception.h"

inline constexpr const char* kTranslatorLibrary = "libRklanguage.so";

extern "C" {
typedef long (*TTextConversionEntry)(const char* text, long length, char* out, long capacity);
typedef int (*TSaveOrderEntry)(const char* fileName);
}

class TTranslator {
public:
    // Loads the library: "Load Library %s Error!" when it cannot be loaded, "Get Library Procedure
    // Address Error!" when a conversion entry is missing (both Exception).
    explicit TTranslator(const std::string& libraryName = kTranslatorLibrary);
    TTranslator(const TTranslator&) = delete;
    TTranslator& operator=(const TTranslator&) = delete;

    std::string GBtoBIG5(const std::string& text) const { return Run(gbToBig5_, text); }
    std::string BIG5toGB(const std::string& text) const { return Run(big5ToGb_, text); }

    TTextConversionEntry GetBIG5Data() const { return getBig5Data_; }
    TTextConversionEntry GetGBData() const { return getGbData_; }
    TSaveOrderEntry SaveOrder() const { return saveOrder_; }

private:
    std::string Run(TTextConversionEntry entry, const std::string& text) const;

    TDynLib library_;
    TTextConversionEntry gbToBig5_ = nullptr;
    TTextConversionEntry big5ToGb_ = nullptr;
    TTextConversionEntry getBig5Data_ = nullptr;
    TTextConversionEntry getGbData_ = nullptr;
    TSaveOrderEntry saveOrder_ = nullptr;
};

// Calls a conversion entry with a buffer large enough for its result; Exception when it fails.
std::string CallTextConversion(TTextConversionEntry entry, const std::string& text);
