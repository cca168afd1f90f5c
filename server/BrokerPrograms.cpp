// Starting other programs through the host and submitting jobs (approval queue, pager, message center).
#include "server/Brokers.h"
#include "toolkit/com/ComObj.h"
#include "toolkit/rtl/Dispatch.h"
#include "toolkit/rtl/Format.h"

namespace {

Variant DefaultModes() { return VarArrayOf({0, 4, Variant()}); }

const Variant& Element(const Variant& array, int i) {
    static const Variant empty;
    if (!array.IsArray()) return empty;
    int index = array.Low() + i;
    return index <= array.High() ? array[index] : empty;
}

std::string ParamsText(const Variant& params) {
    if (!params.IsArray()) return VarToStr(params);
    std::string text;
    for (int i = params.Low(); i <= params.High(); ++i) {
        if (i > params.Low()) text += ",";
        text += VarToStr(params[i]);
    }
    return text;
}

}  // namespace

std::string RunProgramErrorText(int code) {
    switch (code) {
        case -1: return "[%s]作业程序文档不存在!";
        case -2: return "[%s]作业程序文档装入失败!";
        case -3: return "[%s]作业程序启动时无法录入公用元件!";
        case -4: return "[%s]作业程序启动时取作业权限错误!";
        case -5: return "[%s]作业程序无运行作业权限!";
        case -6: return "[%s]作业程序起始化错误!";
        case -7: return "[%s]作业程序发生不可预知的错误!";
        default: return {};
    }
}

int TBrokers::RunProgram(const std::string& programId, const Variant& param, bool showErrors, const Variant& modes) {
    if (HostManager.IsEmptyOrNull()) return -1;
    Variant who = VarArrayOf({UserId, CompanyId, programId, static_cast<long long>(OwnerHandle())});
    Variant modeArray = modes.IsEmptyOrNull() ? DefaultModes() : modes;
    Variant out;
    VarArgs args{who, param, modeArray, 2, Variant::Ref(&out)};
    int code = OleCall(HostManager, "ExecWork", args).AsInteger();
    if (showErrors && code < 0) {
        std::string pattern = RunProgramErrorText(code);
        std::string text =
            pattern.empty() ? std::string() : Format(ToUserScript(pattern), {ToUserScript(GetProgramName(programId))});
        ShowMessageByCode("E", "000032", {text});
    }
    return code;
}

bool TBrokers::SubmitJob(int kind, const Variant& params) {
    switch (kind) {
        case sjApproval: return SubmitApprovalJob(params);
        case sjPager: return SubmitPagerMessage(params);
        case sjMessageCenter: return SubmitMessageCenterLink(params);
        default: return false;
    }
}

bool TBrokers::SubmitApprovalJob(const Variant& params) {
    try {
        const std::string procedure = ApprovalSetting5.find("§") != std::string::npos ? "SP8" : "SP7";
        Variant mail;
        CheckValue("RKTMB", "02", VarArrayOf({CompanyId}), mail);
        if (!params.IsArray() || params.DimCount() != 1) return false;
        const int count = params.Count();
        if (count != 14 && count != 16) return false;

        // The job body: who and what, then the request's entries in the approval system's order.
        std::vector<Variant> body{
            UserId, CompanyId, ProgramId, Element(params, 1), Element(params, 2), Element(params, 0), Element(params, 3)};
        for (int i = 4; i <= 11; ++i) body.push_back(Element(params, i));
        body.push_back(Element(params, count - 2));  // table text
        body.push_back(Element(params, count - 1));  // field definitions

        std::vector<Variant> record{CompanyId, ProgramId, Element(params, 6), UserId,          VarArrayOf(body),
                                    "N",       "",        Variant::Null(),    Variant::Null(), "",
                                    "936"};
        if (count == 16) {
            record.push_back(Element(params, 12));
            record.push_back(Element(params, 13));
        }
        record.push_back(procedure);

        Variant answer = CallServer("INSERTQWJOB", VarArrayOf({VarArrayOf(record)}));
        switch (answer.IsNumeric() || answer.IsString() ? answer.AsInteger() : -1) {
            case 0: ShowMessageByCode("I", "200007"); return true;
            case 1: ShowMessageByCode("E", "200128"); return false;
            case 2: ShowMessageByCode("E", "200129"); return false;
            default: throw Exception("UnDefined Error from Counter");
        }
    } catch (const EAbort&) {
        throw;
    } catch (const std::exception&) {
        return false;
    }
}

bool TBrokers::SubmitPagerMessage(const Variant& params) {
    Variant pager;
    try {
        pager = CreateOleObject("RKTPagerC.Class1");
    } catch (const EOleError&) {
        return false;  // no pager installed
    }
    OleCall(pager, "ShowSendTorvane", {UserId, VarArrayOf({CompanyId, ProgramId}), Element(params, 0), "", ""});
    return true;
}

bool TBrokers::SubmitMessageCenterLink(const Variant& params) {
    if (!HostManager.IsDispatch()) return false;
    const std::string link =
        "<A href=\"zorq://Velora/" + CompanyId + "/" + ProgramId + "/query/" + ParamsText(params) + "\">" + ProgramName + "</A>";
    Variant out;
    VarArgs args{VarArrayOf({UserId, CompanyId, "TMCI05"}), VarArrayOf({"0", VarArrayOf({"", "", link})}), DefaultModes(), 2,
                 Variant::Ref(&out)};
    OleCall(HostManager, "ExecWork", args);
    return true;
}
