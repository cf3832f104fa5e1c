#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace kelmora {
class TSafeFileWriter;
}

namespace kelmora::report {

// The report on its way out, written in pieces as it grows: to a descriptor, or to a file
// saved by TSafeFileWriter. Text comes in code page 932 and goes out as it is, or
// as UTF-8 with LF line ends.
class TOutputStream {
public:
    TOutputStream(int fd, bool utf8) : fd_(fd), utf8_(utf8) {}
    // `file` is open and stays so while this stream writes to it.
    TOutputStream(TSafeFileWriter& file, bool utf8) : file_(&file), utf8_(utf8) {}
    TOutputStream(const TOutputStream&) = delete;
    TOutputStream& operator=(const TOutputStream&) = delete;
    ~TOutputStream() = default;

    bool Utf8() const { return utf8_; }
    // Bytes as they are (ASCII, or text already in the output's encoding).
    void Write(std::string_view bytes)
    {
        // A report is mostly short pieces: those that fit go straight into the buffer.
        if (bytes.size() <= kPiece - used_ && carry_.empty()) {
            Put(bytes);
            return;
        }
        WriteAndFlush(carry_.empty() ? bytes : EndText(bytes));
    }
    // Code page 932 text (CR LF line ends) in the output's encoding. Pieces of text are decoded
    // as the one text they make, as the window decodes the log: a label that ends in a lone
    // lead byte reads on into what follows it.
    void WriteText(std::string_view text)
    {
        if (utf8_)
            WriteTextAsUtf8(text);
        else
            Write(text);
    }
    // Texts one after another, as WriteText of each, with one look at the room left.
    template <class... Texts>
    void WriteTexts(const Texts&... texts)
    {
        if (!utf8_ && (std::string_view(texts).size() + ...) <= kPiece - used_)
            (Put(texts), ...);
        else
            (WriteText(texts), ...);
    }
    // One line end of the output's kind.
    void EndLine() { Write(utf8_ ? "\n" : "\r\n"); }
    // `text` as UTF-8 appended to `out`, whatever the output's encoding.
    void ToUtf8(std::string_view text, std::string& out);

    // Writes out what is buffered, at the end of the output. Throws the write error.
    void Flush();
    // Whether some text had bytes that are no character (written as U+FFFD).
    bool HadUndecodableBytes() const { return undecodable_; }
    // For a form that decodes the text itself.
    void NoteUndecodableBytes() { undecodable_ = true; }

private:
    static constexpr std::size_t kPiece = 1 << 18;
    // Bytes into the buffer, which has room for them.
    void Put(std::string_view bytes)
    {
        char* const to = buffer_.get() + used_;
        if (bytes.size() >= 8 && bytes.size() <= 16) {
            // Such as a ticket: its first and last eight bytes, which may overlap.
            std::uint64_t first;
            std::uint64_t last;
            std::memcpy(&first, bytes.data(), 8);
            std::memcpy(&last, bytes.data() + bytes.size() - 8, 8);
            std::memcpy(to, &first, 8);
            std::memcpy(to + bytes.size() - 8, &last, 8);
        } else {
            std::copy(bytes.begin(), bytes.end(), to);
        }
        used_ += bytes.size();
    }
    void WriteTextAsUtf8(std::string_view text);
    // Bytes of the output's encoding into the buffer, writing out each piece it fills.
    void WriteAndFlush(std::string_view bytes);
    // Decodes the carried lead byte with what `next` begins with; returns the rest of `next`.
    std::string_view EndText(std::string_view next);
    void WriteOut();

    int fd_ = -1;
    TSafeFileWriter* file_ = nullptr;
    bool utf8_;
    bool undecodable_ = false;
    // Filled up to `used_`; a piece's bytes are written over, so they are not cleared first.
    std::unique_ptr<char[]> buffer_ = std::make_unique_for_overwrite<char[]>(kPiece);
    std::size_t used_ = 0;
    std::string decoded_; // UTF-8 on its way to the buffer
    std::string carry_;   // a lead byte at the end of the last text, in UTF-8 output
};

} // namespace kelmora::report
