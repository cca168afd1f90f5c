// Field handlers for dates, date-time stamps, month-days, year-months and years, in the user's date
// order and separator.
#include "env/Dates.h"
#include "env/Texts.h"
#include "framework/data/RadicalDM.h"
#include "toolkit/data/Field.h"
#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

constexpr int kRepublicOffset = 1911;  // orders 4 and 5 count years from 1912

bool IsDateTyped(const TField* field) { return field->DataType() == ftDate || field->DataType() == ftDateTime; }

bool EditState(const TField* field) {
    return field->DataSet() && (field->DataSet()->State() == dsEdit || field->DataSet()->State() == dsInsert);
}

// The year part of the entry masks: four digits, or the shifted year in two (order 4) or three (5).
std::string YearMask(int order) {
    if (order == 4) return "99";
    if (order == 5) return "999";
    return "9999";
}

// A part of a stored text that is empty, "0" or sorts before "0" holds no value.
bool NoValue(const std::string& part) { return part.empty() || part == "0" || part < "0"; }

// The year of a stored text as the order shows it; "" for orders that show no year.
std::string ShownYear(int year, int order) {
    if (order >= 1 && order <= 3) return ZeroPad(4, year);
    if (order == 4) return IntToStr(year - kRepublicOffset);
    if (order == 5) return ZeroPad(3, year - kRepublicOffset);
    return "";
}

// Splits at the first separator into two trimmed parts (the second empty without a separator).
std::pair<std::string, std::string> SplitOnce(const std::string& text, const std::string& separator) {
    const std::size_t at = separator.empty() ? std::string::npos : text.find(separator);
    if (at == std::string::npos) return {Trim(text), ""};
    return {Trim(text.substr(0, at)), Trim(text.substr(at + separator.size()))};
}

long long NumberPart(const std::string& text) { return StrToInt64Def(Trim(text), 0); }

}  // namespace

std::string TdmRadical::DateFieldEditMask() {
    const std::string year = YearMask(DateOrder), sep = Separator();
    if (DateOrder == 2 || DateOrder == 3) return "99" + sep + "99" + sep + year + ";1; ";
    return year + sep + "99" + sep + "99" + ";1; ";
}

void TdmRadical::DateFieldGetText(TField* Sender, std::string& Text, bool /*DisplayText*/) {
    if (Sender->IsNull()) {
        Text.clear();
        return;
    }
    const TDateTime date = IsDateTyped(Sender) ? Sender->AsDateTime() : StoredDateToDate(Sender->AsString());
    Text = DateToText(DateOrder, DateSeparator, date);
}

void TdmRadical::DateFieldSetText(TField* Sender, const std::string& Text) {
    if (IsDateTyped(Sender)) {
        const TDateTime date = TextToDate(Text, DateOrder, DateSeparator);
        if (date <= 0)
            Sender->Clear();
        else
            Sender->SetAsDateTime(date);
        return;
    }
    const std::string stored = TextToStoredDate(Text, DateOrder, DateSeparator);
    Sender->SetAsString(stored == "0" ? std::string() : stored);
}

void TdmRadical::DateFieldValidate(TField* Sender) {
    if (IsDateTyped(Sender) || !EditState(Sender)) return;
    if (!IsValidStoredDate(Sender->AsString())) RefuseEntry("000005");
}

void TdmRadical::DateTimeFieldGetText(TField* Sender, std::string& Text, bool /*DisplayText*/) {
    Text.clear();
    if (Sender->IsNull()) return;
    if (IsDateTyped(Sender)) {
        Text = DateTimeToText(DateOrder, DateSeparator, Sender->AsDateTime());
        return;
    }
    // Rows stamped with the server's date alone carry eight characters: shown as a date.
    const std::string stamp = Sender->AsString();
    if (stamp.size() == 8)
        Text = DateToText(DateOrder, DateSeparator, StoredDateToDate(stamp));
    else
        Text = DateTimeToText(DateOrder, DateSeparator, StampToDateTime(stamp));
}

std::string TdmRadical::MDFieldEditMask() { return "99" + Separator() + "99" + ";1; "; }

void TdmRadical::MDFieldGetText(TField* Sender, std::string& Text, bool /*DisplayText*/) {
    const std::string stored = Sender->AsString();
    if (stored.empty()) {
        Text.clear();
        return;
    }
    const std::string month = stored.substr(0, 2), day = stored.size() > 2 ? stored.substr(2, 2) : std::string();
    Text = DateOrder == 3 ? day + Separator() + month : month + Separator() + day;
}

void TdmRadical::MDFieldSetText(TField* Sender, const std::string& Text) {
    auto [first, second] = SplitOnce(Text, Separator());
    if (first.empty() && second.empty()) {
        Sender->SetAsString("");
        return;
    }
    const long long month = NumberPart(DateOrder == 3 ? second : first);
    const long long day = NumberPart(DateOrder == 3 ? first : second);
    Sender->SetAsString(ZeroPad(2, month) + ZeroPad(2, day));
}

void TdmRadical::MDFieldValidate(TField* Sender) {
    if (!EditState(Sender)) return;
    const std::string stored = Sender->AsString();
    if (stored.empty()) return;
    int month = 0, day = 0;
    if (stored.size() != 4 || !TryStrToInt(stored.substr(0, 2), month) || month < 1 || month > 12) RefuseEntry("100002");
    // Any year: 29 February is a valid month-day.
    if (!TryStrToInt(stored.substr(2, 2), day) || day < 1 || day > DaysInAMonth(2000, month)) RefuseEntry("000005");
}

std::string TdmRadical::YMFieldEditMask() {
    const std::string year = YearMask(DateOrder), sep = Separator();
    if (DateOrder == 2 || DateOrder == 3) return "99" + sep + year + ";1; ";
    return year + sep + "99" + ";1; ";
}

void TdmRadical::YMFieldGetText(TField* Sender, std::string& Text, bool /*DisplayText*/) {
    Text.clear();
    if (Sender->IsNull()) return;
    const std::string stored = Sender->AsString();
    const std::string yearText = stored.substr(0, 4), month = stored.size() > 4 ? stored.substr(4, 2) : std::string();
    if (NoValue(yearText) || NoValue(month)) return;
    const std::string year = ShownYear(StrToIntDef(yearText, 0), DateOrder);
    if (year.empty()) return;
    Text = DateOrder == 2 || DateOrder == 3 ? month + Separator() + year : year + Separator() + month;
}

void TdmRadical::YMFieldSetText(TField* Sender, const std::string& Text) {
    auto [first, second] = SplitOnce(Trim(Text), Separator());
    long long year = 0, month = 0;
    bool known = first > "0" && second > "0";
    if (known && DateOrder == 1) {
        year = NumberPart(first);
        month = NumberPart(second);
    } else if (known && (DateOrder == 2 || DateOrder == 3)) {
        month = NumberPart(first);
        year = NumberPart(second);
    } else if (known && (DateOrder == 4 || DateOrder == 5)) {
        year = NumberPart(first) + kRepublicOffset;
        month = NumberPart(second);
    } else {
        known = false;
    }
    Sender->SetAsString(known ? ZeroPad(4, year) + ZeroPad(2, month) : std::string());
}

void TdmRadical::YMFieldValidate(TField* Sender) {
    if (!EditState(Sender)) return;
    const std::string stored = Sender->AsString();
    if (stored.empty()) return;
    const int year = StrToIntDef(stored.substr(0, 4), 0);
    if (year < 1753 || year > 9999) RefuseEntry("200820");
    const int month = stored.size() < 6 ? 0 : StrToIntDef(stored.substr(4, 2), 0);
    if (month < 1 || month > 12) RefuseEntry("100002");
}

std::string TdmRadical::YearFieldEditMask() { return YearMask(DateOrder) + ";1; "; }

void TdmRadical::YearFieldGetText(TField* Sender, std::string& Text, bool /*DisplayText*/) {
    Text.clear();
    if (Sender->IsNull()) return;
    const std::string yearText = Sender->AsString().substr(0, 4);
    if (NoValue(yearText)) return;
    Text = ShownYear(StrToIntDef(yearText, 0), DateOrder);
}

void TdmRadical::YearFieldSetText(TField* Sender, const std::string& Text) {
    const std::string trimmed = Trim(Text);
    // A cleared entry stays empty rather than becoming year 0 (or 1911 in orders 4 and 5).
    if (trimmed.empty() || DateOrder < 1 || DateOrder > 5) {
        Sender->SetAsString("");
        return;
    }
    long long year = NumberPart(trimmed);
    if (DateOrder == 4 || DateOrder == 5) year += kRepublicOffset;
    Sender->SetAsString(ZeroPad(4, year));
}
