#pragma once

namespace kelmora::cli {

struct TCheckOptions;

// Reads the draw and the tickets, checks them and writes the report in the asked form to
// standard output or the output file. Throws TKelmoraError for a file that cannot be read or
// written, and when the output file is one of the inputs (before anything is written).
void RunBatchCheck(const TCheckOptions& options);

} // namespace kelmora::cli
