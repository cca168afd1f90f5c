#pragma once
// The fields the query dialog's grid offers: one TRecordInfo per field (its caption, the column or
// expression written into the condition, its edit mask, pick list and type) in a TRecordInfoList,
// whose lines are "name=caption" with the record as the line's object. The list owns the records.
#include <memory>
#include <string>
#include <vector>

#include "toolkit/data/DataTypes.h"
#include "toolkit/rtl/Strings.h"

class TRecordInfo {
public:
    std::string Caption;   // trimmed display label
    std::string SqlName;   // qualified column or expression
    std::string EditMask;  // the date or year-month mask, or empty
    TStringList PickList;  // lines of display text, a tab and a code
    TFieldType DataType = ftUnknown;
    bool IsCheckBox = false;

    // The code of the pick-list line shown as text; the text itself when no line shows it.
    std::string PickCode(const std::string& text) const;
};

class TRecordInfoList : public TStringList {
public:
    TRecordInfoList() = default;
    TRecordInfoList(const TRecordInfoList&) = delete;
    TRecordInfoList& operator=(const TRecordInfoList&) = delete;

    // Adds "name=caption" with the record (the list takes it).
    TRecordInfo* AddInfo(const std::string& name, std::unique_ptr<TRecordInfo> info);
    TRecordInfo* Info(int index) const { return static_cast<TRecordInfo*>(Objects(index)); }
    // The record whose caption is caption (compared in upper case); nullptr when none.
    TRecordInfo* FindCaption(const std::string& caption) const;
    // Removes every line and frees the records.
    void Clear();

private:
    std::vector<std::unique_ptr<TRecordInfo>> owned_;
};

// The field kinds of the grid: 1 text, 0 number, -1 not offered.
int QBEFieldKind(TFieldType type);
// Values of these types are written unquoted on the advanced and detail pages.
bool IsQBENumberType(TFieldType type);
