// The base-data rights check: which rows of a level the user may not touch.
#include <algorithm>

#include "env/Log.h"
#include "framework/data/BaseDM.h"
#include "server/Brokers.h"
#include "toolkit/data/Field.h"
#include "toolkit/rtl/ControlsDisabled.h"
#include "toolkit/rtl/Dispatch.h"
#include "toolkit/rtl/ScopeExit.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

constexpr int kDeniedKeysShown = 4;

std::vector<std::string> SplitList(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator);; at = text.find(separator, start)) {
        std::string part = Trim(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (!part.empty()) parts.push_back(part);
        if (at == std::string::npos) break;
        start = at + 1;
    }
    return parts;
}

std::string Unqualified(const std::string& name) {
    std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(dot + 1);
}

// Key values compare without the blanks that pad them to their field's size.
std::string ComparableKey(const std::string& key) {
    std::string out;
    for (const std::string& part : SplitList(key + "-", '-')) out += part + "-";
    return out;
}

// "(F1='v1' AND F2='v2')" for the current row of the parent dataset.
std::string ParentCondition(TDataSet* parent, const std::string& parentKeys, const std::string& table) {
    std::string condition;
    for (const std::string& key : SplitList(parentKeys, ',')) {
        TField* field = parent ? parent->FindField(Unqualified(key)) : nullptr;
        std::string value = field ? field->AsString() : "";
        std::string quoted;
        for (char c : value) quoted += c == '\'' ? std::string("''") : std::string(1, c);
        if (!condition.empty()) condition += " AND ";
        condition += (table.empty() ? "" : table + ".") + Unqualified(key) + "='" + quoted + "'";
    }
    return condition.empty() ? "" : "(" + condition + ")";
}

}  // namespace

bool TdmBase::CheckDataRights(TDataSet* dataSet, const std::string& levelPrefix, std::string& deniedKeys) {
    deniedKeys.clear();
    if (!dataSet || !dataSet->Active() || dataSet->IsEmpty() || !Brokers) return true;
    std::string prefix = levelPrefix;
    if (prefix.empty() || prefix.back() != '_') prefix += "_";
    const TStringList& info = Brokers->ProgramInfo;
    const std::string keyList = info.Values(prefix + "KEY");
    const bool subBody = StartsText("F", prefix);
    const std::string condition = subBody
                                      ? ParentCondition(FindDataSet("cdsBody1"), info.Values("D11_KEY"), info.Values("D11_TABLE"))
                                      : ParentCondition(cdsMain, KeyFields, info.Values(prefix + "TABLE"));
    Variant answer;
    try {
        answer = OleCall(AppServer, "GetBaseLimitedRecs", {prefix, condition, dataSet->RecordCount()});
    } catch (const std::exception& e) {
        ReportError(e, "BaseCD-876(对单身或子单身加基础数据权限时出错):" + std::string(e.what()), "");
        return true;
    }
    try {
        if (!answer.IsArray() || answer.Count() < 2) return true;
        const int count = answer[answer.Low()].Deref().AsInteger();
        if (count == 0) {
            deniedKeys = "ALL";
            return false;
        }
        if (count == dataSet->RecordCount()) return true;
        std::vector<std::string> permitted;
        const Variant& keys = answer[answer.Low() + 1].Deref();
        if (keys.IsArray())
            for (int i = keys.Low(); i <= keys.High(); ++i) permitted.push_back(ComparableKey(VarToStr(keys[i].Deref())));
        else
            for (const std::string& key : SplitList(VarToStr(keys), ';')) permitted.push_back(ComparableKey(key));

        const std::vector<std::string> keyFields = SplitList(keyList, ',');
        const TBookmark position = dataSet->GetBookmark();
        int denied = 0;
        {
            TControlsDisabled still(dataSet);
            TScopeExit back([&] { dataSet->GotoBookmark(position); });
            for (dataSet->First(); !dataSet->Eof(); dataSet->Next()) {
                std::string key;
                for (const std::string& name : keyFields) {
                    TField* field = dataSet->FieldByName(Unqualified(name));
                    std::string value = field->AsString();
                    if (static_cast<int>(value.size()) < field->Size())
                        value.resize(static_cast<std::size_t>(field->Size()), ' ');
                    key += (key.empty() ? "" : "-") + value;
                }
                if (std::find(permitted.begin(), permitted.end(), ComparableKey(key)) != permitted.end()) continue;
                if (denied == kDeniedKeysShown) {
                    deniedKeys += ";...";
                    break;
                }
                deniedKeys += (deniedKeys.empty() ? "" : ";") + key;
                ++denied;
            }
        }
        return false;
    } catch (const std::exception& e) {
        ReportError(e, "BaseCD-876(解读对单身或子单身加基础数据权限的结果时出错):" + std::string(e.what()), "");
        return true;
    }
}
