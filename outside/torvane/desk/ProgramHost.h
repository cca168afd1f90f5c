#pragma once
// The programs the work center has open. A program is a library beside the executable
// (<Program>C.so, the name compared without regard to case) whose controller is created with the
// login's start parameters, given a run mode and rights, and shown; the events its controller
// reports go to OnEvent. A controller whose window is gone is dropped on the next call.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "contract/DLLBaseController.h"
#include "toolkit/rtl/Variant.h"

struct TLogin {
    std::string User;
    std::string Company;
    std::string Database;
};

// Why a program could not be opened, with the code ExecWork reports for it.
class EProgramOpen : public Exception {
public:
    EProgramOpen(int code, const std::string& message) : Exception(message), code_(code) {}
    int Code() const { return code_; }

private:
    int code_;
};

class TProgramHost {
public:
    explicit TProgramHost(Variant manager) : manager_(std::move(manager)) {}
    ~TProgramHost();
    TProgramHost(const TProgramHost&) = delete;
    TProgramHost& operator=(const TProgramHost&) = delete;

    struct TOpenRequest {
        std::string Program;  // "Tdef05", "TDEF05" ...
        TLogin Login;
        int RunMode = 0;
        int Rights = 0xFF;
        std::string Param;  // given with SetStartParameter when not empty
        HWND HostWindow = 0;
    };
    // Opens and shows the program; raises EProgramOpen (codes as ExecWork's: -1 no library, -2 not
    // loadable, -6 did not start, -7 failed) with a one-line reason.
    TDLLBaseController& Open(const TOpenRequest& request);

    // The window of an open program (the latest one opened when program is empty); nullptr if none.
    TCustomForm* Window(const std::string& program = "");
    bool IsOpen(const std::string& program);
    // Closes as the user would (events 320 and 304); CloseAll closes every program.
    void Close(const std::string& program);
    void CloseAll();
    std::vector<std::string> OpenPrograms();

    // The library file of a program, or empty when there is none.
    static std::string LibraryOf(const std::string& program);

    std::function<void(const std::string& program, std::int32_t eventCode)> OnEvent;

    void HostNotify(std::int32_t eventCode, TDLLBaseController* sender);

private:
    struct TOpen {
        std::string Program;
        std::unique_ptr<TDLLBaseController> Controller;
    };
    TGetControllerFn ControllerFactory(const std::string& program);
    void Sweep();
    TOpen* Find(const std::string& program);

    Variant manager_;
    std::vector<TOpen> open_;
    int notifying_ = 0;
    std::map<std::string, TGetControllerFn> factories_;
};
