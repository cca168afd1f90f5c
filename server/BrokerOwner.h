#pragma once
// What a broker needs of the window that owns it: its handle and caption, its language settings and
// script conversion, its rights, and the lookup-combo exchange. Program forms implement it; a broker
// without such an owner (tests, tools) works with neutral defaults.
#include <string>

#include "toolkit/rtl/Variant.h"
#include "toolkit/ui/kernel/Messages.h"

class IBrokerOwner {
public:
    virtual ~IBrokerOwner() = default;

    virtual HWND OwnerWindowHandle() = 0;
    virtual std::string OwnerCaption() const = 0;

    // Language mode of the window's converter and the interface and system code pages ("936", "950",
    // "437").
    virtual int LanguageMode() const = 0;
    virtual std::string UICodePage() const = 0;
    virtual std::string SysCodePage() const = 0;
    // A built-in (simplified Chinese) text in the user's script.
    virtual std::string ToUserScript(const std::string& text) = 0;

    // Whether the user's function rights hold the element (0..63).
    virtual bool HasFunctionRight(int element) const = 0;

    // 0 normal; 1 collecting the parameter of a lookup combo; 2 returning its result.
    virtual int LookupExchangeMode() const = 0;
    virtual void StoreLookupParam(const Variant& param) = 0;
    virtual Variant StoredLookupResult() const = 0;
};
