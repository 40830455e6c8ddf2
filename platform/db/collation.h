#pragma once
// Text columns sort by their code page 936 bytes, so Chinese names come out
// in the order the cashier knows (GBK order follows pinyin for common
// characters).

struct sqlite3;

namespace kx::db {

inline constexpr const char* kCp936Collation = "CP936";

// Registers the "CP936" collation on a connection; every connection that
// opens a data folder must do this before touching a text column.
void RegisterCollations(sqlite3* db);

} // namespace kx::db
