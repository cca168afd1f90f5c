#pragma once
// Texts of data/ compiled into the libraries that use them (see data/Embed.cmake). Each constant is
// defined only in the library that embeds its file.
#include <string_view>

extern const std::string_view kSchemaSql;       // data/schema.sql    (appserver)
extern const std::string_view kSeedSql;         // data/seed.sql      (appserver)
extern const std::string_view kMessagesTsv;     // data/messages.tsv  (torvane-services)
extern const std::string_view kMessagesEngTsv;  // data/messages.ENG.tsv  (torvane-services)
