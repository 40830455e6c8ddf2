#pragma once
// Text columns sort by their code page 936 bytes, so Chinese names come out
// in the order the cashier knows (GBK order follows pinyin for common
// characters).

#include <string_view>

struct sqlite3;

namespace kx::db {

inline constexpr const char* kCp936Collation = "CP936";

// Registers the "CP936" collation on a connection; every connection that
// opens a data folder must do this before touching a text column.
void RegisterCollations(sqlite3* db);

// The order of "CP936": two UTF-8 texts (invalid bytes read as U+FFFD, as
// QString::fromUtf8 reads them) compared by their GBK bytes. Characters GBK
// cannot hold all become '?' there, so texts whose GBK bytes are equal are
// told apart by their UTF-8 bytes: different texts never compare equal.
// Negative, zero or positive, as memcmp.
int CompareCp936(std::string_view a, std::string_view b);

} // namespace kx::db
