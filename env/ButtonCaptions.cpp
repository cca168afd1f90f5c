#include "env/ButtonCaptions.h"

#include <array>
#include <utility>

std::string ButtonCaption(std::string_view name) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 11> captions{{
        {"Yes", "是(&Y)"},
        {"No", "否(&N)"},
        {"OK", "确定"},
        {"Cancel", "取消"},
        {"Abort", "中断(&A)"},
        {"Retry", "重试(&R)"},
        {"Ignore", "忽略(&I)"},
        {"All", "全部(&A)"},
        {"NoToAll", "全否(&o)"},
        {"YesToAll", "全是(&A)"},
        {"Help", "帮助(&H)"},
    }};
    for (const auto& [button, caption] : captions)
        if (button == name) return std::string(caption);
    return std::string(name);
}
