#include "outside/annexo/AttachmentServer.h"

#include "outside/annexo/AttachmentForm.h"
#include "toolkit/com/ComObj.h"
#include "toolkit/rtl/SysUtils.h"

TAttachmentConnection DefaultAttachmentConnection() {
    return {[] { return CreateOleObject("Nexor01S.Class1"); }, [](const std::string& company) { return company; }};
}

TAttachmentConnection& AttachmentConnection() {
    static TAttachmentConnection connection = DefaultAttachmentConnection();
    return connection;
}

TAttachmentServer::TAttachmentServer() {
    DefineMethod("Init", [this](VarArgs& a) {
        Init(ArgAt(a, 0));
        return Variant();
    });
    DefineProperty(
        "ParentHandle", [this] { return Variant(parentHandle_); },
        [this](const Variant& v) { parentHandle_ = v.Deref().IsEmpty() ? 0 : v.Deref().AsInt64(); });
    DefineMethod("ShowModal", [this](VarArgs&) { return Variant(ShowModal()); });
    DefineProperty("Files", [this] {
        std::vector<Variant> names;
        TAttachmentFiles files(request_);
        for (const TAttachedFile& f : files.List()) names.push_back(f.fileName);
        return VarArrayOf(names);
    });
}

void TAttachmentServer::Init(const Variant& params) {
    request_.company = Trim(VarToStr(ElementAt(params, 0)));
    request_.user = Trim(VarToStr(ElementAt(params, 1)));
    request_.program = UpperCase(Trim(VarToStr(ElementAt(params, 2))));
    request_.key = VarToStr(ElementAt(params, 3));
    request_.keyFields = VarToStr(ElementAt(params, 4));
    request_.editable = Trim(VarToStr(ElementAt(params, 5))) == "1";
}

int TAttachmentServer::ShowModal() {
    TAttachmentFiles files(request_);
    TOwnedPtr<TfrmAttachments> form(CreateComponent<TfrmAttachments>(nullptr, files));
    form->ShowModal();
    return 1;
}

DispatchPtr CreateAttachmentServer() { return std::make_shared<TAttachmentServer>(); }
