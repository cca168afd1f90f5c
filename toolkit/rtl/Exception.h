#pragma once
// Exceptions of the platform stand-in. Every exception carries the message the user will see.
#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const noexcept { return message_; }
    void SetMessage(std::string message) { message_ = std::move(message); }
    const char* what() const noexcept override { return message_.c_str(); }
    // Class name as the classic run-time reports it ("Exception", "EAbort", ...).
    virtual const char* ClassName() const noexcept { return "Exception"; }

private:
    std::string message_;
};

#define TK_DECLARE_EXCEPTION(Name, Base)                                  \
    class Name : public Base {                                            \
    public:                                                               \
        using Base::Base;                                                 \
        const char* ClassName() const noexcept override { return #Name; } \
    };

// The silent abort: ends an operation after a message was already shown; hosts show nothing for it.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
    explicit EAbort(std::string message) : Exception(std::move(message)) {}
    const char* ClassName() const noexcept override { return "EAbort"; }
};

TK_DECLARE_EXCEPTION(EConvertError, Exception)      // bad conversion of text or variant
TK_DECLARE_EXCEPTION(EVariantError, Exception)      // wrong variant kind, bad array index
TK_DECLARE_EXCEPTION(EOleError, Exception)          // automation: unknown program id or member
TK_DECLARE_EXCEPTION(EOSError, Exception)           // operating-system call failed
TK_DECLARE_EXCEPTION(EInOutError, Exception)        // file input/output failed
TK_DECLARE_EXCEPTION(EDatabaseError, Exception)     // data access
TK_DECLARE_EXCEPTION(EListError, Exception)         // list index out of bounds
TK_DECLARE_EXCEPTION(EInvalidOperation, Exception)  // control or form misuse
TK_DECLARE_EXCEPTION(ESocketConnectionError, Exception)
TK_DECLARE_EXCEPTION(EResNotFound, Exception)  // no resource of that name

// Raises the silent abort.
[[noreturn]] inline void Abort() { throw EAbort(); }
