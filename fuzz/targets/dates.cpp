// Date texts as users type them and as the database stores them, in every date order, and dates as
// any 8 bytes of a double carried in a variant.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "env/Dates.h"
#include "toolkit/rtl/Variant.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    for (int order = 0; order <= 6; ++order) {
        for (const char* separator : {"/", "-", ".", ""}) {
            try {
                TDateTime date = TextToDate(text, order, separator);
                DateToText(order, separator, date);
                DateTimeToText(order, separator, date);
                TextToStoredDate(text, order, separator);
            } catch (const Exception&) {}
        }
    }
    try {
        DateToText(1, "/", StoredDateToDate(text));
        DateTimeToText(1, "/", StampToDateTime(text));
        IsValidStoredDate(text);
    } catch (const Exception&) {}
    if (size >= sizeof(double)) {
        double value;
        std::memcpy(&value, data, sizeof value);
        try {
            VarToStr(Variant::Date(value));
        } catch (const Exception&) {}
        try {
            DateToText(1, "/", value);
        } catch (const Exception&) {}
    }
    return 0;
}
