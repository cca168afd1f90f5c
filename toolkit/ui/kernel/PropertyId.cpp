#include "toolkit/ui/kernel/PropertyId.h"

#include <array>

namespace {
constexpr std::array kNames = {
#define TK_PROPERTY_NAME(name) std::string_view(#name),
    TK_PROPERTY_IDS(TK_PROPERTY_NAME)
#undef TK_PROPERTY_NAME
};
}  // namespace

std::string_view PropertyName(TPropertyId id) {
    auto index = static_cast<std::size_t>(id);
    return index < kNames.size() ? kNames[index] : std::string_view("?");
}
