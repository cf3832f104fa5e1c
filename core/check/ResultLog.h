#pragma once

#include "core/base/ByteString.h"

#include <string>
#include <string_view>

namespace kelmora {

class TResultLog {
public:
    TResultLog() : text_(kCrLf) {}

    // After user text without a final line break the entry goes on a new line instead.
    void AppendEntry(std::string_view entry);
    void AppendLineBreakEntry() { AppendEntry(kCrLf); }
    void Clear() { text_.clear(); }
    // For callers that build many entries at once: `bytes` must be what AppendEntry would add
    // for them, which holds whenever the text ends with a line break.
    void AppendPrepared(std::string_view bytes) { text_ += bytes; }
    void Reserve(std::size_t extra) { text_.reserve(text_.size() + extra); }
    void SaveToFile(const std::string& path) const;

    const TByteString& Text() const { return text_; }
    // The user's own edits of the text become the log.
    void SetText(TByteString text) { text_ = std::move(text); }
    bool EndsWithLineBreak() const { return EndsWith(text_, kCrLf); }

private:
    TByteString text_;
};

} // namespace kelmora
