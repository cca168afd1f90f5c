#pragma once
// The user-definition file UserDef.ini in the client folder: the default voucher (print) format of
// each program and format slot, in section VoucherFormatDef under the key program + "_" + slot (every
// "=" of the slot written "$EQUAL$"). The section is kept in memory and reloaded after each write.
#include <string>

#include "toolkit/rtl/Strings.h"

inline constexpr const char* kNoDefaultFormat = "<New>";

class TUserDefIni {
public:
    // The file of the configured client folder.
    TUserDefIni();
    explicit TUserDefIni(std::string fileName);

    const std::string& FileName() const { return fileName_; }
    // The caption stored for the slot, or "<New>" when there is none.
    std::string GetFormat(const std::string& program, const std::string& slot) const;
    // Stores the caption; "<New>" (any case) deletes the key instead. Raises EInOutError when the
    // file cannot be written.
    void SetFormat(const std::string& program, const std::string& slot, const std::string& caption);
    void DeleteFormat(const std::string& program, const std::string& slot);

    static std::string KeyOf(const std::string& program, const std::string& slot);

private:
    void Load();
    std::string fileName_;
    TStringList section_;
};
