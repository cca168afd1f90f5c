#include "bench/company/CompanyFiller.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <random>
#include <vector>

#include "outside/appserver/CompanyDatabase.h"

namespace {

constexpr const char* kInsertHeader =
    "INSERT INTO ADMMC (MC001, MC002, MC003, MC004, MC005, COMPANY, CREATOR, USR_GROUP, CREATE_DATE, FLAG) "
    "VALUES (?, ?, ?, ?, ?, 'DEMO', 'DS', 'ADMIN', ?, 1)";
constexpr const char* kInsertLine =
    "INSERT INTO ADMMD (MD001, MD002, MD003, MD004, MD005, MD006, MD007, MD008, COMPANY, CREATOR, USR_GROUP, "
    "CREATE_DATE, FLAG) VALUES (?, ?, ?, ?, ?, ?, ?, ?, 'DEMO', 'DS', 'ADMIN', ?, 1)";
constexpr const char* kStamp = "20240102083000000";

constexpr std::array kSubjects = {"客户", "供应商", "品号", "订单", "采购", "库存", "会计", "凭证", "工单",
                                  "报价", "出货",   "收料", "部门", "员工", "币种", "仓库", "科目", "项目"};
constexpr std::array kKinds = {"信息档", "单头档", "单身档", "明细档", "统计档", "记录档", "月档"};
constexpr std::array kSystems = {"ADM", "CMS", "COP", "PUR", "INV", "ACT"};
constexpr std::array kRemarks = {"由系统自动维护", "每月结账后更新", "与总账相关", "旧版资料, 保留查询"};
constexpr std::array kFieldNames = {"单别", "单号",   "日期",   "客户编号", "品号",   "品名",     "规格",   "数量",
                                    "单价", "金额",   "币种",   "汇率",     "备注",   "部门",     "业务员", "仓库",
                                    "批号", "状态码", "审核码", "税额",     "交货日", "付款条件", "单位",   "包装",
                                    "重量", "体积",   "产地",   "联系人",   "电话",   "地址"};
constexpr std::array kEntities = {"CMSMF", "ADMMA", "RKTMA"};

struct FieldType {
    const char* code;
    std::vector<double> lengths;
    int weight;
};
const std::vector<FieldType>& FieldTypes() {
    static const std::vector<FieldType> types = {{"V", {10, 20, 30, 40, 60, 80, 255}, 40},
                                                 {"C", {1, 2, 4, 8, 11, 17}, 20},
                                                 {"N", {16.4, 20.6, 12.2, 8}, 25},
                                                 {"D", {8}, 5},
                                                 {"T", {16}, 4},
                                                 {"Z", {4}, 5},
                                                 {"I", {16}, 1}};
    return types;
}

// A small deterministic generator: the same seed gives the same company on every platform.
class Dice {
public:
    explicit Dice(unsigned seed) : engine_(seed) {}
    int Below(int n) { return static_cast<int>(engine_() % static_cast<unsigned>(n)); }
    int Between(int low, int high) { return low + Below(high - low + 1); }
    template <class List>
    auto Pick(const List& list) -> decltype(list[0]) {
        return list[static_cast<std::size_t>(Below(static_cast<int>(list.size())))];
    }

private:
    std::mt19937 engine_;
};

const FieldType& PickType(Dice& dice) {
    int total = 0;
    for (const FieldType& t : FieldTypes()) total += t.weight;
    int roll = dice.Below(total);
    for (const FieldType& t : FieldTypes()) {
        if (roll < t.weight) return t;
        roll -= t.weight;
    }
    return FieldTypes().front();
}

std::string Numbered(const char* format, long long n) {
    char text[32];
    std::snprintf(text, sizeof text, format, n);
    return text;
}

// One document and its lines.
long long AddDocument(CompanyDatabase& db, Dice& dice, const std::string& code, const FillOptions& options) {
    const std::string fileName = std::string(dice.Pick(kSubjects)) + dice.Pick(kKinds);
    const Variant remark = dice.Below(2) == 0 ? Variant::Null() : Variant(dice.Pick(kRemarks));
    db.Cached(kInsertHeader).Execute({code, fileName, Numbered("%lld", dice.Between(1, 8)), dice.Pick(kSystems), remark, kStamp});

    const int lines = dice.Between(options.minLines, std::max(options.minLines, options.maxLines));
    const std::string letters = {static_cast<char>('A' + dice.Below(26)), static_cast<char>('A' + dice.Below(26))};
    SqlStatement& insert = db.Cached(kInsertLine);
    for (int l = 1; l <= lines; ++l) {
        const FieldType& type = PickType(dice);
        const double length = dice.Pick(type.lengths);
        const Variant entity = dice.Below(10) == 0 ? Variant(dice.Pick(kEntities)) : Variant("");
        const std::string description = dice.Below(4) == 0 ? std::string(dice.Pick(kRemarks)) : std::string();
        insert.Execute({code, Numbered("%04lld", l), letters + Numbered("%03lld", l), dice.Pick(kFieldNames), type.code, length,
                        description, entity, kStamp});
    }
    return lines;
}

}  // namespace

FillResult FillCompany(const std::string& location, const FillOptions& options,
                       const std::function<void(long long, long long)>& progress) {
    CompanyDatabase::Create(location);
    CompanyDatabase db(location);
    Dice dice(options.seed);
    FillResult result;
    const long long batch = std::max(1LL, options.batch);
    for (long long start = 0; start < options.documents; start += batch) {
        const long long end = std::min(options.documents, start + batch);
        db.InTransaction([&] {
            for (long long d = start; d < end; ++d) {
                result.lines += AddDocument(db, dice, options.prefix + Numbered("%07lld", options.firstNumber + d), options);
                ++result.documents;
            }
        });
        if (progress) progress(result.documents, options.documents);
    }
    return result;
}
