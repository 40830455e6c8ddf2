#pragma once
// Realistic in/out records for trying the cash book by hand and for the
// benchmarks: a two-level subject tree, three fund accounts and records
// spread over a few years, numbered per month as automatic numbering does,
// the older ones verified. The same options always give the same rows.

#include <QString>

namespace kx::tools {

struct TMoneyGenOptions {
    int Records = 100000;
    int FirstYear = 2005;
    int Years = 3;
    unsigned Seed = 18;
};

// Adds the subjects and accounts a data folder lacks, then the records, to
// the database file in one transaction. Empty on success, else the error.
QString GenerateMoneyRecords(const QString& databaseFile, const TMoneyGenOptions& options);

} // namespace kx::tools
