#pragma once
// What an in-process automation server library exports. The loader owns the returned object
// (deletes it through its virtual destructor); nullptr means the library does not serve that id.
#include "toolkit/rtl/Dispatch.h"
#include "toolkit/rtl/Visibility.h"

extern "C" {
typedef IDispatchObject* (*TkCreateObjectFn)(const char* progId);
}

#define TK_SERVER_EXPORT extern "C" TK_EXPORT
// Usage in a server library:
//   TK_SERVER_EXPORT IDispatchObject* TkCreateObject(const char* progId) { ... }
