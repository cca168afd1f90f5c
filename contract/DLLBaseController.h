#pragma once
// The controller of a program library, as the work center and the library share it. The work center
// gets one from the library's export GetController, writes HostManager and OnHostNotify, and calls the
// operations by their slot in the table of virtual operations, so their order below is the contract
// (slots 0..17; the virtual destructor comes after them). It destroys the controller when done.
//
// Event codes the host hears through OnHostNotify: 256 created (after the version check), 272 shown,
// 288 hidden, 304 destroyed (ResultCode and ReturnValue already set), 320 closing.
#include <cstddef>
#include <cstdint>
#include <string>

#include "toolkit/rtl/Variant.h"
#include "toolkit/rtl/Visibility.h"
#include "toolkit/ui/kernel/Forms.h"

class TDLLBaseController;

// The host's callback: a code address and the object it belongs to, like a method pointer; called
// only when the code part is assigned.
struct THostNotifyEvent {
    using TCode = void (*)(void* data, std::int32_t eventCode, TDLLBaseController* sender);
    TCode Code = nullptr;
    void* Data = nullptr;

    explicit operator bool() const { return Code != nullptr; }
    void operator()(std::int32_t eventCode, TDLLBaseController* sender) const { Code(Data, eventCode, sender); }

    // The callback that calls object->*Method.
    template <class T, void (T::*Method)(std::int32_t, TDLLBaseController*)>
    static THostNotifyEvent Of(T* object) {
        return {[](void* data, std::int32_t eventCode, TDLLBaseController* sender) {
                    (static_cast<T*>(data)->*Method)(eventCode, sender);
                },
                object};
    }
};

enum THostEvent : std::int32_t {
    heCreated = 0x100,    // 256
    heShown = 0x110,      // 272
    heHidden = 0x120,     // 288
    heDestroyed = 0x130,  // 304
    heClosing = 0x140,    // 320
};

class TDLLBaseController {
public:
    TDLLBaseController(const TDLLBaseController&) = delete;
    TDLLBaseController& operator=(const TDLLBaseController&) = delete;

    // Slot 0: the program's version text; left untouched without a program window.
    virtual void GetProgramVersion(std::string& version) = 0;
    // Slot 1: -1 when the window is visible, else 0.
    virtual std::int32_t GetVisible() = 0;
    // Slot 2.
    virtual void SetVisible(bool visible) = 0;
    // Slot 3: 0 without a window.
    virtual HWND GetWindowHandle() = 0;
    // Slot 4: [user, company, database, host window, extra...]; 0 started, -1 not.
    virtual std::int32_t CreateProgram(Variant startParams) = 0;
    // Slot 5.
    virtual std::int32_t SetStartParameter(const Variant& params) = 0;
    // Slot 6: -1 without a window.
    virtual std::int32_t SetRunMode(std::int32_t runMode, std::int32_t rights, const Variant& modeParam) = 0;
    // Slot 7.
    virtual void ShowProgramModal(Variant& returnValue) = 0;
    // Slot 8.
    virtual void CloseProgram(bool silent) = 0;
    // Slot 9: [user, company, program id, program name]; -1 without a window.
    virtual std::int32_t GetConnectInfo(Variant& info) = 0;
    // Slot 10.
    virtual bool IsProgramClosed() = 0;
    // Slots 11..15: the form's events; here they only tell the host.
    virtual void NotifyCreated() { NotifyHost(heCreated); }
    virtual void DoFormShow(TObject* sender) { NotifyHost(heShown); }
    virtual void DoFormHide(TObject* sender) { NotifyHost(heHidden); }
    virtual void DoFormDestroy(TObject* sender) { NotifyHost(heDestroyed); }
    virtual void DoFormClose(TObject* sender, TCloseAction& action) { NotifyHost(heClosing); }
    // Slot 16.
    virtual void NotifyHost(std::int32_t eventCode) {
        if (OnHostNotify) OnHostNotify(eventCode, this);
    }
    // Slot 17: a hook for descendants.
    virtual void AfterNotify() {}

    virtual ~TDLLBaseController() = default;

    // Fields, in this order after the table pointer; the host writes HostManager and OnHostNotify.
    std::int32_t Reserved = 0;    // kept for layout
    Variant HostManager;          // the host's manager automation object
    std::int32_t ResultCode = 0;  // the form's, when it is destroyed
    Variant ReturnValue;          // likewise
    THostNotifyEvent OnHostNotify;

protected:
    TDLLBaseController() = default;
};

// The layout the host relies on (offsetof on a class with virtual operations is supported by the
// compilers we build with).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
static_assert(offsetof(TDLLBaseController, Reserved) == sizeof(void*), "fields start after the table pointer");
static_assert(offsetof(TDLLBaseController, HostManager) > offsetof(TDLLBaseController, Reserved));
static_assert(offsetof(TDLLBaseController, ResultCode) == offsetof(TDLLBaseController, HostManager) + sizeof(Variant));
static_assert(offsetof(TDLLBaseController, ReturnValue) > offsetof(TDLLBaseController, ResultCode));
static_assert(offsetof(TDLLBaseController, OnHostNotify) == offsetof(TDLLBaseController, ReturnValue) + sizeof(Variant));
#pragma GCC diagnostic pop
static_assert(sizeof(std::int32_t) == 4 && sizeof(THostNotifyEvent) == 2 * sizeof(void*),
              "the callback is a code address and an object");

// The library's exports: GetController and the two class references (host/ControllerClass.h); the
// library hides every other symbol.
#define TDEF_LIBRARY_EXPORT TK_EXPORT
extern "C" {
typedef TDLLBaseController* (*TGetControllerFn)();
}
inline constexpr const char* kGetControllerSymbol = "GetController";
