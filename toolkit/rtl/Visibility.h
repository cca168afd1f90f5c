#pragma once
// Libraries built on the toolkit (the program library, the servers) hide their symbols by default; what
// one of them offers other binaries (an entry loaded by name, a class a host links against) says so.
#define TK_EXPORT __attribute__((visibility("default")))
