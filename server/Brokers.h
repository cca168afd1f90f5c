#pragma once
// The program form's single door to the outside that is not a client dataset: the host's manager
// and its three services (validator, lookup windows, counter = named server calls), the company's
// system settings, the program's information record, coded messages, starting other programs and
// submitting jobs. Remote objects are late-bound and held in variants; a variant without a dispatch
// interface means the service is absent, and every operation then returns its empty result.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/classes/Component.h"
#include "toolkit/rtl/Strings.h"
#include "toolkit/rtl/Variant.h"
#include "toolkit/ui/kernel/Messages.h"

class IBrokerOwner;
class TDataSet;

// Which host services AttachServices fetches (elements of ServiceFlags).
enum TBrokerService : int {
    bsValidator = 1,
    bsLookupService = 2,
    bsCounterService = 3
};

// What the caller of LookupData adds to the table, kind and keys.
struct TLookupOptions {
    bool FirstOption = false;          // element 3 of the lookup request
    bool SecondOption = false;         // element 9
    HWND Window = 0;                   // 0: the owner's window
    std::string SearchText;            // what the user typed; empty when nothing
    std::array<std::string, 3> Texts;  // three texts of the caller
};

// The answers of the named server call "INSERTQWJOB" that SubmitJob reports.
enum TSubmitJobKind : int {
    sjApproval = 1,
    sjPager = 2,
    sjMessageCenter = 3
};

class TBrokers : public TComponent {
    TK_CLASS(TBrokers, TComponent)
public:
    explicit TBrokers(TComponent* owner);
    ~TBrokers() override;

    std::string ProgramId;             // upper case, from the library file name
    std::string UserId;                // start parameter 0
    std::string UserGroup;             // USER_GROUP of ProgramInfo
    std::string CompanyId;             // start parameter 1
    std::string DatabaseName;          // start parameter 2: the company database
    std::string ReportName;            // program information 4
    std::string ApprovalSetting6;      // program information 6 (approval server setting)
    std::string ApprovalSetting5;      // program information 5 (approval server setting; "§" selects SP8)
    std::string ProgramName;           // program information 0 (9 for an English interface)
    std::string PrintProgramId;        // program information 1
    std::string TransactionProgramId;  // program information 2 (replaces the default when set)
    std::string TransactionId;         // program information 3 (replaces the default when set)
    TStringList SysValues;             // company system settings, name=value
    std::uint8_t ServiceFlags = 15;
    Variant HostManager;
    Variant LookupService;          // Com_Pickvu
    Variant Validator;              // Com_Validator
    Variant CounterService;         // Com_Counter
    TStringList ProgramInfo;        // what the application server sends at connect time, name=value
    bool ProgramFlag = false;       // program information 7 is "Y"
    std::uint8_t BodyRequired = 0;  // program information 8: "W" 1, "E" 2, "Z" 3, else 0
    int SqlType = 0;                // the application server's SQLTYPE: 1 qualifies names with one dot

    void SetSysValue(const std::string& name, const std::string& value);
    std::string GetSysValue(const std::string& name) const;

    // Fetches the services ServiceFlags asks for from the host manager, then LoadProgramInfo.
    // Any failure: three beeps and false. No host manager: false.
    bool AttachServices();
    // A named server call through the counter service; Unassigned without it. Statements of the
    // forms that carry no database name ("SimpleSql" with two elements, "TransactionSQL") go out
    // with their "$$" resolved.
    Variant CallServer(const std::string& callName, const Variant& params);
    // Every "$$" outside quoted literals replaced by DatabaseName and "..", or "." for SqlType 1.
    std::string ResolveDatabasePrefix(const std::string& sql) const;
    // The validator's lookups; false without the validator or on any failure.
    bool CheckValue(const std::string& table, const std::string& kind, const Variant& keys, Variant& values);
    bool QueryData(const std::string& table, const std::string& kind, const Variant& keys, Variant& values);
    // The host's text of a coded message; empty without a host manager.
    std::string GetMessageText(const std::string& kind, const std::string& code);
    // Shows a coded message in a message dialog and returns the modal result. Kind "W" answered
    // other than OK with abortOnCancel raises EAbort. defaultButton indexes Yes, No, OK, Cancel, ...
    int ShowMessageByCode(const std::string& kind, const std::string& code, int defaultButton, bool abortOnCancel, int codePage,
                          const std::vector<Variant>& args);
    int ShowMessageByCode(const std::string& kind, const std::string& code, const std::vector<Variant>& args = {}) {
        return ShowMessageByCode(kind, code, 2, false, 936, args);
    }
    // The company's system settings into SysValues; false for an empty answer.
    bool LoadSysInfo();
    // The program information record ("ADMMB", "06") into the fields above.
    void LoadProgramInfo();
    // The name of a program from ADMMB; the id itself when unknown.
    std::string GetProgramName(const std::string& programId);
    // The next sequence number for the values of the listed fields of the dataset; "unKnow" when the
    // validator cannot tell.
    std::string QueryMaxSeq(TDataSet& dataSet, const std::string& table, const std::string& fields, const std::string& prefix);
    // Starts another program through the host; -1 without a host manager. With showErrors a negative
    // code is reported as coded message E/000032.
    int RunProgram(const std::string& programId, const Variant& param, bool showErrors, const Variant& modes);
    // Approval job (1), pager message (2), message-center link (3).
    bool SubmitJob(int kind, const Variant& params);
    // The F2 lookup, or the lookup-combo parameter exchange of the owner.
    Variant LookupData(const std::string& table, const std::string& kind, const Variant& keys,
                       const TLookupOptions& options = {});
    // The 14-element lookup parameter the lookup combo opens its window with.
    Variant BuildLookupParam(const std::string& table, const std::string& kind, const Variant& keys,
                             const TLookupOptions& options) const;

    // Small lookup windows of the lookup service; each returns empty without it.
    int GetPhrase2(std::string& text);
    std::string ShowInputDay(const Variant& flag, const std::string& text);
    Variant ShowCharaters(const std::string& user = "", const std::string& company = "", HWND window = 0);
    std::string GetCalcValue(const std::string& text, HWND window = 0);

    // The owner as the broker sees it; nullptr when the owner is not a program window.
    IBrokerOwner* OwnerWindow() const;
    HWND OwnerHandle() const;
    int LanguageMode() const;
    std::string UICodePage() const;
    std::string SysCodePage() const;
    std::string ToUserScript(const std::string& text) const;

private:
    // The call's parameters with the statements of the forms without a database name resolved.
    Variant ResolvedStatements(const std::string& callName, const Variant& params) const;
    bool ValidatorCall(const char* member, const std::string& table, const std::string& kind, const Variant& keys,
                       Variant& values);
    bool SubmitApprovalJob(const Variant& params);
    bool SubmitPagerMessage(const Variant& params);
    bool SubmitMessageCenterLink(const Variant& params);
};

// What RunProgram shows for a negative return code of the host ("" for codes it does not know).
std::string RunProgramErrorText(int code);
