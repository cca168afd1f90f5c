#include "dialogs/QBERecordInfo.h"

#include "toolkit/rtl/SysUtils.h"

std::string TRecordInfo::PickCode(const std::string& text) const {
    for (int i = 0; i < PickList.Count(); ++i) {
        const std::string& line = PickList[i];
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        if (line.substr(0, tab) == text) return line.substr(tab + 1);
    }
    return text;
}

TRecordInfo* TRecordInfoList::AddInfo(const std::string& name, std::unique_ptr<TRecordInfo> info) {
    TRecordInfo* raw = info.get();
    owned_.push_back(std::move(info));
    AddObject(name + "=" + raw->Caption, raw);
    return raw;
}

TRecordInfo* TRecordInfoList::FindCaption(const std::string& caption) const {
    const std::string wanted = UpperCase(caption);
    for (int i = 0; i < Count(); ++i)
        if (TRecordInfo* info = Info(i); info && UpperCase(info->Caption) == wanted) return info;
    return nullptr;
}

void TRecordInfoList::Clear() {
    TStringList::Clear();
    owned_.clear();
}

int QBEFieldKind(TFieldType type) {
    if (type == ftString) return 1;
    return IsNumericFieldType(type) ? 0 : -1;
}

bool IsQBENumberType(TFieldType type) { return type == ftSmallint || type == ftInteger || type == ftWord || type == ftFloat; }
