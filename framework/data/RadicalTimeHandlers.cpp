// Field handlers for times of day, days, months, durations, percentages and number formats.
#include <algorithm>

#include "env/Numbers.h"
#include "env/Texts.h"
#include "framework/data/FieldText.h"
#include "framework/data/RadicalDM.h"
#include "toolkit/data/Field.h"
#include "toolkit/rtl/Format.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

// A typed number part; 0 when it is not a number.
long long NumberPart(const std::string& text) { return StrToInt64Def(Trim(text), 0); }

bool EditState(const TField* field) {
    return field->DataSet() && (field->DataSet()->State() == dsEdit || field->DataSet()->State() == dsInsert);
}

// Trimmed number as two digits; blank stores empty.
void SetTwoDigits(TField* field, const std::string& text) {
    const std::string trimmed = Trim(text);
    field->SetAsString(trimmed.empty() ? std::string() : ZeroPad(2, NumberPart(trimmed)));
}

// Whether the field's text is a number in the range (empty passes).
bool InRange(const TField* field, int low, int high) {
    const std::string text = Trim(field->AsString());
    if (text.empty()) return true;
    int value = 0;
    return TryStrToInt(text, value) && value >= low && value <= high;
}

}  // namespace

std::string TdmRadical::TimeFieldEditMask() { return "99:99;1; "; }

void TdmRadical::TimeFieldGetText(TField* Sender, std::string& Text, bool /*DisplayText*/) {
    Text = Sender->AsString();
    if (!Text.empty()) Text.insert(std::min<std::size_t>(2, Text.size()), ":");
}

void TdmRadical::TimeFieldSetText(TField* Sender, const std::string& Text) {
    std::string blank = Trim(Text);
    if (blank.empty() || blank == ":") {
        Sender->SetAsString("");
        return;
    }
    const std::size_t colon = Text.find(':');
    const std::string hours = Text.substr(0, colon);
    const std::string minutes = colon == std::string::npos ? std::string() : Text.substr(colon + 1);
    Sender->SetAsString(ZeroPad(2, NumberPart(hours)) + ZeroPad(2, NumberPart(minutes)));
}

void TdmRadical::TimeFieldValidate(TField* Sender) {
    if (!EditState(Sender)) return;
    const std::string text = Sender->AsString();
    if (text.empty()) return;
    int hours = -1, minutes = -1;
    bool valid = text.size() == 4 && TryStrToInt(text.substr(0, 2), hours) && TryStrToInt(text.substr(2, 2), minutes) &&
                 hours >= 0 && hours <= 23 && minutes >= 0 && minutes <= 59;
    if (!valid) RefuseEntry("100187");
}

std::string TdmRadical::DayFieldEditMask() { return "99;1; "; }

std::string TdmRadical::MonthFieldEditMask() { return "99;1; "; }

void TdmRadical::DayFieldSetText(TField* Sender, const std::string& Text) { SetTwoDigits(Sender, Text); }

void TdmRadical::MonthFieldSetText(TField* Sender, const std::string& Text) { SetTwoDigits(Sender, Text); }

void TdmRadical::DayFieldValidate(TField* Sender) {
    if (!InRange(Sender, 1, 31)) RefuseEntry("000005");
}

void TdmRadical::MonthFieldValidate(TField* Sender) {
    if (!InRange(Sender, 1, 12)) RefuseEntry("100002");
}

std::string TdmRadical::SecondFieldEditMask() { return "9999:99:99;1; "; }

void TdmRadical::SecondFldGetText(TField* Sender, std::string& Text, bool /*DisplayText*/) {
    Text = Sender->IsNull() ? std::string() : SecondsToDuration(Sender->AsLargeInt());
}

void TdmRadical::SecondFldSetText(TField* Sender, const std::string& Text) {
    if (Text == "0") {
        Sender->SetAsLargeInt(0);
        return;
    }
    std::vector<std::string> parts = SplitString(Text, ':');
    parts.resize(std::max<std::size_t>(parts.size(), 3));
    const std::string duration =
        ZeroPad(4, NumberPart(parts[0])) + ":" + ZeroPad(2, NumberPart(parts[1])) + ":" + ZeroPad(2, NumberPart(parts[2]));
    if (!ValidTimeText(duration)) RefuseEntry("100187");
    const Variant total = AddDuration(duration, "0000:00:00", 1);
    Sender->SetAsLargeInt(total[total.Low()].AsInt64());
}

std::string TdmRadical::PercentFieldEditMask() { return "###.##%;1; "; }

void TdmRadical::PercentFieldGetText(TField* Sender, std::string& Text, bool /*DisplayText*/) {
    Text = Sender->IsNull() ? std::string() : Format("%3.2f%%", {Sender->AsFloat() * 100});
}

void TdmRadical::PercentFieldSetText(TField* Sender, const std::string& Text) {
    std::string number = Text.substr(0, Text.find('%'));
    const std::size_t point = number.find('.');
    if (point != std::string::npos) number = Trim(number.substr(0, point)) + "." + Trim(number.substr(point + 1));
    Sender->SetAsFloat(StrToFloatDef(Trim(number), 0) / 100);
}

std::string TdmRadical::NumberFieldDisplayFormat(int digits) {
    if (digits <= 0) return "#,##0.#######";
    return "#,##0." + std::string(static_cast<std::size_t>(std::min(digits, 11)), '0');
}

std::string TdmRadical::NumberFieldEditFormat() { return "##0.#######"; }
