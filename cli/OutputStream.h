#pragma once

#include <string>
#include <string_view>

namespace kelmora::cli {

// The report on its way out: written to a descriptor in pieces as it grows, or held whole
// for a file that is replaced only once complete. Text comes in code page 932 and goes out
// as it is, or as UTF-8 with LF line ends.
class TOutputStream {
public:
    // Streams to `fd`; fd -1 holds everything until Held().
    TOutputStream(int fd, bool utf8) : fd_(fd), utf8_(utf8) {}
    TOutputStream(const TOutputStream&) = delete;
    TOutputStream& operator=(const TOutputStream&) = delete;

    bool Utf8() const { return utf8_; }
    // Room for `bytes` more when holding, so that a large report is not copied as it grows.
    void ReserveHeld(std::size_t bytes);
    // Bytes as they are.
    void Write(std::string_view bytes)
    {
        buffer_.append(bytes);
        FlushIfFull();
    }
    // Code page 932 text (CR LF line ends) in the output's encoding.
    void WriteText(std::string_view text);
    // One line end of the output's kind.
    void EndLine() { Write(utf8_ ? "\n" : "\r\n"); }
    // `text` as UTF-8 appended to `out`, whatever the output's encoding.
    void ToUtf8(std::string_view text, std::string& out);

    // Writes out what is buffered. Throws the write error.
    void Flush();
    // What was written, when holding.
    const std::string& Held() const { return buffer_; }
    // Whether some text had bytes that are no character (written as U+FFFD).
    bool HadUndecodableBytes() const { return undecodable_; }

private:
    static constexpr std::size_t kPiece = 1 << 18;
    void FlushIfFull()
    {
        if (fd_ >= 0 && buffer_.size() >= kPiece)
            Flush();
    }

    int fd_;
    bool utf8_;
    bool undecodable_ = false;
    std::string buffer_;
};

} // namespace kelmora::cli
