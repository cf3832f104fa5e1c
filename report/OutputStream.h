#pragma once

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
        buffer_.append(carry_.empty() ? bytes : EndText(bytes));
        FlushIfFull();
    }
    // Code page 932 text (CR LF line ends) in the output's encoding. Pieces of text are decoded
    // as the one text they make, as the window decodes the log: a label that ends in a lone
    // lead byte reads on into what follows it.
    void WriteText(std::string_view text);
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
    void FlushIfFull()
    {
        if (buffer_.size() >= kPiece)
            WriteOut();
    }
    // Decodes the carried lead byte with what `next` begins with; returns the rest of `next`.
    std::string_view EndText(std::string_view next);
    void WriteOut();

    int fd_ = -1;
    TSafeFileWriter* file_ = nullptr;
    bool utf8_;
    bool undecodable_ = false;
    std::string buffer_;
    std::string carry_; // a lead byte at the end of the last text, in UTF-8 output
};

} // namespace kelmora::report
