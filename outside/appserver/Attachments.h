#pragma once
// The attachments of documents (table ATTACH): files kept per company, program and document key text
// (the key values joined with "||"), their content in base64. The attachment window reaches them
// through the application server's members:
//   AttachmentList([database, company, program, key])   -> rows [file name, size, remark, creator,
//                                                          created]; Unassigned when none
//   AttachmentSave([database, company, program, key, key fields, file name, content (bytes), remark,
//                   user])                               -> "" or the reason it was refused
//   AttachmentLoad([database, company, program, key, file name]) -> bytes; Unassigned when missing
//   AttachmentDelete([database, company, program, key, file name]) -> rows deleted
#include <string>
#include <vector>

#include "outside/appserver/CompanyDatabase.h"
#include "toolkit/rtl/Variant.h"
#include "toolkit/rtl/Visibility.h"

struct AttachmentKey {
    std::string company, program, key;
};

class TK_EXPORT AttachmentStore {
public:
    explicit AttachmentStore(CompanyDatabase& db) : db_(db) {}

    Variant List(const AttachmentKey& key);
    // Stores the file (a file of that name is replaced); "" or the reason.
    std::string Save(const AttachmentKey& key, const std::string& keyFields, const std::string& fileName, const Bytes& content,
                     const std::string& remark, const std::string& user);
    Variant Load(const AttachmentKey& key, const std::string& fileName);
    int Delete(const AttachmentKey& key, const std::string& fileName);

private:
    CompanyDatabase& db_;
};

TK_EXPORT std::string Base64Encode(const Bytes& bytes);
// Characters outside the alphabet are skipped.
TK_EXPORT Bytes Base64Decode(const std::string& text);
