#pragma once
// A window owning a broker, with the settings a test chooses, and a host manager whose members the
// test defines; both record what the broker asks of them.
#include <map>
#include <memory>

#include "framework/forms/FunctionRights.h"
#include "server/BrokerOwner.h"
#include "server/Brokers.h"
#include "tests/testkit/DispatchDoubles.h"
#include "toolkit/classes/Component.h"

class TOwnerWindow : public TComponent, public IBrokerOwner {
public:
    TOwnerWindow() : TComponent(nullptr) {}

    HWND OwnerWindowHandle() override { return 4711; }
    std::string OwnerCaption() const override { return caption; }
    int LanguageMode() const override { return languageMode; }
    std::string UICodePage() const override { return uiCodePage; }
    std::string SysCodePage() const override { return sysCodePage; }
    // Marks converted texts so that tests see which texts went through the conversion.
    std::string ToUserScript(const std::string& text) override { return markConversions ? "{" + text + "}" : text; }
    bool HasFunctionRight(int element) const override { return rights.Contains(element); }
    int LookupExchangeMode() const override { return lookupMode; }
    void StoreLookupParam(const Variant& param) override { storedParam = param; }
    Variant StoredLookupResult() const override { return storedResult; }

    std::string caption = "文档信息录入作业[演示公司]";
    int languageMode = 0;
    std::string uiCodePage = "936";
    std::string sysCodePage = "936";
    bool markConversions = false;
    TFunctionRights rights;
    int lookupMode = 0;
    Variant storedParam;
    Variant storedResult;
};

// A manager whose GetMessage answers from a table ("E000001" -> text) and whose services are the
// recording objects given.
inline std::shared_ptr<TRecordingDispatch> MakeManager(std::map<std::string, std::string> texts,
                                                       std::shared_ptr<TRecordingDispatch> validator = nullptr,
                                                       std::shared_ptr<TRecordingDispatch> counter = nullptr,
                                                       std::shared_ptr<TRecordingDispatch> lookup = nullptr) {
    auto manager = std::make_shared<TRecordingDispatch>();
    manager->On("GetMessage", [texts](VarArgs& a) {
        auto it = texts.find(VarToStr(a.at(0)) + VarToStr(a.at(1)));
        return Variant(it == texts.end() ? std::string() : it->second);
    });
    manager->OnProperty("Com_Validator", [validator] { return validator ? Variant(DispatchPtr(validator)) : Variant(); });
    manager->OnProperty("Com_Counter", [counter] { return counter ? Variant(DispatchPtr(counter)) : Variant(); });
    manager->OnProperty("Com_Pickvu", [lookup] { return lookup ? Variant(DispatchPtr(lookup)) : Variant(); });
    return manager;
}
