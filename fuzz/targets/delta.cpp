// A delta as the application server reads it from a client: decoded from the wire, then every row,
// its kind, its old and new values as texts, and its nested details.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "toolkit/com/RemoteProtocol.h"
#include "toolkit/data/Packets.h"

namespace {

void ReadRows(const TDeltaReader& reader, int depth) {
    if (depth > 4) return;
    const auto& fields = reader.Fields();
    for (int r = 0; r < reader.Count(); ++r) {
        TDeltaRow row = reader.Row(r);
        try {
            row.Id();
            row.Kind();
        } catch (const Exception&) {}
        for (std::size_t f = 0; f < fields.size(); ++f) {
            int field = static_cast<int>(f);
            try {
                if (fields[f].DataType == ftDataSet) {
                    ReadRows(row.Details(field), depth + 1);
                    continue;
                }
                row.Changed(field);
                VarToStr(row.OldValue(field));
                VarToStr(row.NewValue(field));
            } catch (const Exception&) {
                // A value that cannot be read is refused with the reason.
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        TWireReader in(std::string_view(reinterpret_cast<const char*>(data), size), nullptr, kDefaultMaxValues);
        Variant delta = in.Value();
        ReadRows(TDeltaReader(delta), 0);
    } catch (const Exception&) {}
    return 0;
}
