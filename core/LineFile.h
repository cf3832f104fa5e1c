#pragma once

#include "core/ByteString.h"
#include "core/LineList.h"

#include <string>
#include <string_view>

namespace kelmora {

// Splits file bytes into entries: CR LF, CR, LF each end one entry; a NUL ends the text.
TLineList SplitLines(TByteString data);
// The same without the NUL rule, for readers that cut values at NUL themselves.
TLineList SplitRawLines(TByteString data);

// Each entry followed by CR LF, the last one too; an empty list gives no bytes.
TByteString JoinLines(const TLineList& entries);

// Reads the whole of a regular file. Throws the open error.
TByteString ReadWholeFile(const std::string& path);
// Reads what is left of an open file or pipe (standard input); `name` goes in the open error.
TByteString ReadWholeStream(int fd, const std::string& name);

// Throws the open error; `entries` is replaced only after a successful read.
void ReadLineFile(const std::string& path, TLineList& entries);
TLineList ReadLineFile(const std::string& path);

// Replaces the file atomically; throws the create or the write error.
void WriteLineFile(const std::string& path, const TLineList& entries);

} // namespace kelmora
