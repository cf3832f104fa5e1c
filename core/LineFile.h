#pragma once

#include "ByteString.h"

#include <string>
#include <string_view>

namespace kelmora {

// Splits file bytes into entries: CR LF, CR, LF each end one entry; a NUL ends the text.
LineList SplitLines(ByteString data);
// The same without the NUL rule, for readers that cut values at NUL themselves.
LineList SplitRawLines(ByteString data);

// Each entry followed by CR LF, the last one too; an empty list gives no bytes.
ByteString JoinLines(const LineList& entries);

// Reads the whole of a regular file. Throws the open error.
ByteString ReadWholeFile(const std::string& path);

// Throws the open error; `entries` is replaced only after a successful read.
void ReadLineFile(const std::string& path, LineList& entries);
LineList ReadLineFile(const std::string& path);

// Replaces the file atomically; throws the create or the write error.
void WriteLineFile(const std::string& path, const LineList& entries);

} // namespace kelmora
