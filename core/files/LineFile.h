#pragma once

#include "core/base/ByteString.h"
#include "core/base/FileDescriptor.h"
#include "core/base/LineList.h"

#include <string>
#include <string_view>

namespace kelmora {

// Splits file bytes into entries: CR LF, CR, LF each end one entry; a NUL ends the text.
TLineList SplitLines(TLineList::TBuffer data);
// The same for bytes in a string, which are copied.
TLineList SplitLines(std::string_view data);
// The same without the NUL rule, for readers that cut values at NUL themselves.
TLineList SplitRawLines(std::string_view data);

// Each entry followed by CR LF, the last one too; an empty list gives no bytes.
TByteString JoinLines(const TLineList& entries);

// Reading stops at the reader's limit, TLineList::kMaxBytes: more is the open error. With
// `endsAtNul` only the bytes before the first NUL are kept (all that SplitLines uses): a file
// is read no further, a stream is read to its end without keeping what follows.

// Opens a file for reading without waiting on a fifo. Throws the open error.
TFileDescriptor OpenForReading(const std::string& path);
// Reads the whole of a regular file. Throws the open error.
TByteString ReadWholeFile(const std::string& path, bool endsAtNul = false);
// The same for a file the caller opened; `name` goes in the open error.
TByteString ReadOpenFile(int fd, const std::string& name, bool endsAtNul = false);
// Reads what is left of an open file or pipe; `name` goes in the open error, an empty name
// stands for standard input.
TByteString ReadWholeStream(int fd, const std::string& name, bool endsAtNul = false);

// ReadOpenFile and ReadWholeStream up to a NUL, into a line list's buffer for SplitLines: its
// bytes are not cleared before they are read into.
TLineList::TBuffer ReadOpenFileForLines(int fd, const std::string& name);
TLineList::TBuffer ReadWholeStreamForLines(int fd, const std::string& name);

// Throws the open error; `entries` is replaced only after a successful read.
void ReadLineFile(const std::string& path, TLineList& entries);
TLineList ReadLineFile(const std::string& path);

// Replaces the file atomically; throws the create or the write error.
void WriteLineFile(const std::string& path, const TLineList& entries);

} // namespace kelmora
