#include "outside/appserver/Attachments.h"

#include <array>
#include <ctime>

#include "toolkit/rtl/SysUtils.h"

namespace {

constexpr const char* kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr const char* kWhere = " WHERE CompanyID = ? AND Parent = ? AND KeyValues = ?";

std::string Stamp() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d%H%M%S000", &local);
    return text;
}

bool ValidFileName(const std::string& name) {
    return !Trim(name).empty() && name.size() <= 255 && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos && name != "." && name != "..";
}

}  // namespace

std::string Base64Encode(const Bytes& bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const unsigned n =
            (bytes[i] << 16) | ((i + 1 < bytes.size() ? bytes[i + 1] : 0) << 8) | (i + 2 < bytes.size() ? bytes[i + 2] : 0);
        out += kAlphabet[(n >> 18) & 63];
        out += kAlphabet[(n >> 12) & 63];
        out += i + 1 < bytes.size() ? kAlphabet[(n >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? kAlphabet[n & 63] : '=';
    }
    return out;
}

Bytes Base64Decode(const std::string& text) {
    std::array<int, 256> value{};
    value.fill(-1);
    for (int i = 0; i < 64; ++i) value[static_cast<unsigned char>(kAlphabet[i])] = i;
    Bytes out;
    unsigned buffer = 0;
    int bits = 0;
    for (char c : text) {
        const int v = value[static_cast<unsigned char>(c)];
        if (v < 0) continue;
        buffer = (buffer << 6) | static_cast<unsigned>(v);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out.push_back(static_cast<std::uint8_t>((buffer >> bits) & 0xFF));
        }
    }
    return out;
}

Variant AttachmentStore::List(const AttachmentKey& key) {
    SqlResult rows = db_.Query(
        std::string("SELECT FileName, FileSize, Remark, CREATOR, CREATE_DATE FROM ATTACH") + kWhere + " ORDER BY FileName",
        {key.company, key.program, key.key});
    if (rows.rows.empty()) return {};
    std::vector<Variant> out;
    for (const SqlRow& row : rows.rows) out.push_back(VarArrayOf(row));
    return VarArrayOf(out);
}

std::string AttachmentStore::Save(const AttachmentKey& key, const std::string& keyFields, const std::string& fileName,
                                  const Bytes& content, const std::string& remark, const std::string& user) {
    if (Trim(key.key).empty()) return "没有单据键值, 不能保存附件";
    if (!ValidFileName(fileName)) return "附件文件名不正确: " + fileName;
    db_.InTransaction([&] {
        db_.Query(std::string("DELETE FROM ATTACH") + kWhere + " AND FileName = ?",
                  {key.company, key.program, key.key, fileName});
        db_.Query(
            "INSERT INTO ATTACH (CompanyID, Parent, KeyValues, FileName, KeyFields, FileSize, Content, Remark, "
            "COMPANY, CREATOR, CREATE_DATE, FLAG) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1)",
            {key.company, key.program, key.key, fileName, keyFields, static_cast<long long>(content.size()),
             Base64Encode(content), remark, key.company, user, Stamp()});
    });
    return "";
}

Variant AttachmentStore::Load(const AttachmentKey& key, const std::string& fileName) {
    SqlResult rows = db_.Query(std::string("SELECT Content FROM ATTACH") + kWhere + " AND FileName = ?",
                               {key.company, key.program, key.key, fileName});
    if (rows.rows.empty()) return {};
    return Variant(Base64Decode(VarToStr(rows.rows[0][0])));
}

int AttachmentStore::Delete(const AttachmentKey& key, const std::string& fileName) {
    return db_
        .Query(std::string("DELETE FROM ATTACH") + kWhere + " AND FileName = ?", {key.company, key.program, key.key, fileName})
        .changes;
}
