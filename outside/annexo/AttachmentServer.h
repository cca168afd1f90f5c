#pragma once
// The attachment window "AnnexoC.Class1": the files attached to one document of a program. They are kept
// in the company database (table ATTACH, through the application server's Attachment* members) and,
// once opened, in the client folder ClientPath + "Attach/<company>/<program>/<key>/".
//   Init([company, user, program, key text, key field names, mode])   mode "1": files may be added and
//                                                                     deleted; otherwise only opened
//   ParentHandle (put)                                                the owner window's handle
//   ShowModal                                                         shows the window; returns 1 (OK)
//   Files                                                             the file names now attached
// The application server and the company's database come from AttachmentConnection(): by default the
// server made in this process by "Nexor01S.Class1" and a database named like the company; the work
// center gives its session's.
#include <functional>
#include <string>
#include <vector>

#include "toolkit/rtl/Dispatch.h"
#include "toolkit/rtl/Visibility.h"

struct TAttachmentConnection {
    std::function<Variant()> appServer;
    std::function<std::string(const std::string& company)> database;
};
TK_EXPORT TAttachmentConnection& AttachmentConnection();
// The connection new attachment windows start with when nobody installed one.
TK_EXPORT TAttachmentConnection DefaultAttachmentConnection();

struct TAttachmentRequest {
    std::string company, user, program, key, keyFields;
    bool editable = false;
};

class TK_EXPORT TAttachmentServer : public TDispatchObject {
public:
    TAttachmentServer();

    const TAttachmentRequest& Request() const { return request_; }
    void Init(const Variant& params);
    int ShowModal();

private:
    TAttachmentRequest request_;
    long long parentHandle_ = 0;
};

TK_EXPORT DispatchPtr CreateAttachmentServer();
