#include "outside/torvane/desk/WorkCenter.h"

#include <strings.h>

#include "outside/annexo/AttachmentServer.h"
#include "outside/torvane/HostManager.h"
#include "outside/torvane/ServerLocation.h"
#include "toolkit/rtl/Dispatch.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

// The manager as programs see it: every member goes to the work center's manager, and message
// lookups are written down (scripts check which coded messages a program showed).
class TRecordingManager : public IDispatchObject {
public:
    TRecordingManager(DispatchPtr inner, std::vector<TMessageLookup>& lookups) : inner_(std::move(inner)), lookups_(lookups) {}

    Variant Invoke(const std::string& member, InvokeKind kind, VarArgs& args) override {
        Variant result = inner_->Invoke(member, kind, args);
        if (kind == InvokeKind::Method && strcasecmp(member.c_str(), "GetMessage") == 0)
            lookups_.push_back({VarToStr(ArgAt(args, 0)), VarToStr(ArgAt(args, 1)), VarToStr(result)});
        return result;
    }

private:
    DispatchPtr inner_;
    std::vector<TMessageLookup>& lookups_;
};

}  // namespace

std::string QuotedSql(const std::string& text) { return "'" + StringReplace(text, "'", "''", rfReplaceAll) + "'"; }

TWorkCenter::TWorkCenter() : hostManager_(std::make_shared<THostManager>()) {
    manager_ = Variant(DispatchPtr(std::make_shared<TRecordingManager>(hostManager_, lookups_)));
    programs_ = std::make_unique<TProgramHost>(manager_);
    programs_->OnEvent = [this](const std::string& program, std::int32_t code) {
        if (OnEvent) OnEvent(program, code);
    };
    hostManager_->SetExecWorkHandler([this](VarArgs& args) { return ExecWork(args); });
}

TWorkCenter::~TWorkCenter() {
    if (loggedIn_) AttachmentConnection() = DefaultAttachmentConnection();
    hostManager_->SetExecWorkHandler(nullptr);
    programs_.reset();
}

Variant TWorkCenter::Query(const std::string& sql, const std::string& fields) {
    Variant counter = OleGet(manager_, "Com_Counter");
    Variant context = VarArrayOf({VarArrayOf({login_.Company, login_.Database})});
    return OleCall(counter, "GETCOUNTER", {"SimpleSQL", VarArrayOf({sql, fields, login_.Database, "N"}), context});
}

void TWorkCenter::Login(const TLogin& login, const std::string& password) {
    TLogin checked{Trim(login.User), Trim(login.Company), Trim(login.Database)};
    if (checked.User.empty() || checked.Company.empty() || checked.Database.empty())
        throw Exception("用户、公司与数据库都必须输入");
    TLogin previous = login_;
    login_ = checked;
    try {
        // The session opens with the password on the first query below; a daemon checks it there.
        hostManager_->Session().SetCredentials(checked.User, password);
        // A missing database is refused by the server with its name; company and user ids are
        // matched without regard to case and taken as the company database spells them.
        checked.Company = KnownId("SELECT MB001 FROM RKTMB WHERE UPPER(MB001) = UPPER(" + QuotedSql(checked.Company) + ")",
                                  "MB001", "公司 " + checked.Company + " 不存在");
        checked.User = KnownId("SELECT MA001 FROM RKTMA WHERE UPPER(MA001) = UPPER(" + QuotedSql(checked.User) + ")", "MA001",
                               "用户 " + checked.User + " 不存在");
    } catch (...) {
        login_ = previous;
        throw;
    }
    login_ = checked;
    OleCall(manager_, "Connect", {VarArrayOf({checked.User, checked.Company, checked.Database})});
    loggedIn_ = true;
    // Attachment windows the programs open keep their files through this session's server.
    HostSession& session = hostManager_->Session();
    AttachmentConnection() = {[&session] { return session.AppServer(); },
                              [&session](const std::string& company) { return session.DatabaseFor(company); }};
}

std::string TWorkCenter::KnownId(const std::string& sql, const std::string& field, const std::string& missing) {
    Variant rows = Query(sql, field);
    if (!rows.IsArray() || rows.Count() == 0) throw Exception(missing);
    return Trim(VarToStr(ElementAt(ElementAt(rows, 0), 0)));
}

std::vector<TProgramEntry> TWorkCenter::ProgramList() {
    std::vector<TProgramEntry> list;
    Variant rows = Query("SELECT MB001, MB002 FROM ADMMB ORDER BY MB001", "MB001,MB002");
    for (int i = 0; rows.IsArray() && i < rows.Count(); ++i) {
        Variant row = ElementAt(rows, i);
        list.push_back({VarToStr(ElementAt(row, 0)), VarToStr(ElementAt(row, 1))});
    }
    return list;
}

TDLLBaseController& TWorkCenter::Open(const std::string& program, int runMode, int rights, const std::string& param) {
    if (!loggedIn_) throw EProgramOpen(-4, "not logged in");
    TProgramHost::TOpenRequest request;
    request.Program = program;
    request.Login = login_;
    request.RunMode = runMode;
    request.Rights = rights;
    request.Param = param;
    request.HostWindow = hostWindow_;
    return programs_->Open(request);
}

bool TWorkCenter::BringForward(const std::string& program) {
    TCustomForm* window = programs_->Window(program);
    if (!window || !window->Visible()) return false;
    if (window->WindowState() == wsMinimized) window->SetWindowState(wsNormal);
    window->BringToFront();
    window->SetFocus();
    return true;
}

std::string TWorkCenter::ServerText() const { return ConfiguredServerLocation().Text(); }

int TWorkCenter::ExecWork(VarArgs& args) {
    // [user, company, program, window], parameter, [run mode, ..., mode parameter], 2, out result
    Variant who = ArgAt(args, 0);
    std::string program = VarToStr(ElementAt(who, 2));
    Variant parameter = ArgAt(args, 1);
    if (strcasecmp(program.c_str(), "TMCI05") == 0) {
        // The message centre: [flag, [text, text, link text]]
        Variant texts = ElementAt(parameter, 1);
        std::string text = texts.IsArray() ? VarToStr(ElementAt(texts, 2)) : VarToStr(parameter);
        if (OnMessageCenter) OnMessageCenter(text);
        return 0;
    }
    int runMode = 0;
    Variant modes = ArgAt(args, 2);
    if (modes.IsArray()) {
        Variant mode = ElementAt(modes, 0);
        if (!mode.IsEmpty() && !mode.IsNull()) runMode = mode.AsInteger();
    }
    try {
        Open(program, runMode, 0xFF, parameter.IsArray() ? std::string() : VarToStr(parameter));
        return 0;
    } catch (const EProgramOpen& e) {
        return e.Code();
    } catch (const std::exception&) {
        return -7;
    }
}
