#include "outside/annexo/AttachmentStoreClient.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "toolkit/os/Paths.h"
#include "toolkit/os/Registry.h"
#include "toolkit/rtl/Exception.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

// A key text or name as one folder name: separators and other awkward characters become "_".
std::string FolderName(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|') c = '_';
    return out.empty() || out == "." || out == ".." ? "_" + out : out;
}

std::string ClientFolder() {
    TRegistry registry;
    std::string client;
    if (registry.OpenKeyReadOnly("Software\\RKT\\Vandril")) client = registry.ReadString("ClientPath");
    if (client.empty()) return TempFolder();
    return IncludeTrailingPathDelimiter(StringReplace(client, "\\", "/", rfReplaceAll));
}

}  // namespace

TAttachmentFiles::TAttachmentFiles(TAttachmentRequest request) : request_(std::move(request)) {
    server_ = AttachmentConnection().appServer();
    database_ = AttachmentConnection().database(request_.company);
}

Variant TAttachmentFiles::Params(std::vector<Variant> extra) const {
    std::vector<Variant> params{database_, request_.company, request_.program, request_.key};
    params.insert(params.end(), extra.begin(), extra.end());
    return VarArrayOf(params);
}

std::vector<TAttachedFile> TAttachmentFiles::List() {
    std::vector<TAttachedFile> files;
    Variant rows = OleCall(server_, "AttachmentList", {Params({})});
    for (int r = 0; rows.IsArray() && r < rows.Count(); ++r) {
        const Variant row = ElementAt(rows, r);
        files.push_back({VarToStr(ElementAt(row, 0)), ElementAt(row, 1).IsNull() ? 0 : ElementAt(row, 1).AsInt64(),
                         VarToStr(ElementAt(row, 2)), VarToStr(ElementAt(row, 3)), VarToStr(ElementAt(row, 4))});
    }
    return files;
}

void TAttachmentFiles::Add(const std::string& path, const std::string& remark) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw EInOutError("无法读取文件 " + path);
    Bytes content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string name = std::filesystem::path(path).filename().string();
    const std::string refused = VarToStr(
        OleCall(server_, "AttachmentSave", {Params({request_.keyFields, name, Variant(content), remark, request_.user})}));
    if (!refused.empty()) throw Exception(refused);
}

std::string TAttachmentFiles::Folder() const {
    return ClientFolder() + "Attach/" + FolderName(request_.company) + "/" + FolderName(request_.program) + "/" +
           FolderName(request_.key) + "/";
}

std::string TAttachmentFiles::Fetch(const std::string& fileName) {
    Variant content = OleCall(server_, "AttachmentLoad", {Params({fileName})});
    if (content.IsEmpty()) throw Exception("附件 " + fileName + " 已不存在");
    std::filesystem::create_directories(Folder());
    const std::string path = Folder() + FolderName(fileName);
    const Bytes bytes = content.AsBytes();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw EInOutError("无法写入文件 " + path);
    return path;
}

void TAttachmentFiles::Remove(const std::string& fileName) {
    OleCall(server_, "AttachmentDelete", {Params({fileName})});
    std::error_code ignored;
    std::filesystem::remove(Folder() + FolderName(fileName), ignored);
}
