#include "report/OutputStream.h"

#include "core/base/ByteString.h"
#include "core/text/Cp932ToUtf8.h"
#include "core/base/KelmoraError.h"
#include "core/files/SafeFileWriter.h"

#include <cerrno>

#include <poll.h>
#include <unistd.h>

namespace kelmora::report {

void TOutputStream::WriteText(std::string_view text)
{
    if (!utf8_) {
        Write(text);
        return;
    }
    const std::size_t start = buffer_.size();
    if (!AppendCp932AsUtf8(text, buffer_, carry_))
        undecodable_ = true;
    // CR LF becomes LF; the data's texts hold no other CR.
    std::size_t to = start;
    for (std::size_t from = start; from < buffer_.size(); ++from)
        if (!(buffer_[from] == '\r' && from + 1 < buffer_.size() && buffer_[from + 1] == '\n'))
            buffer_[to++] = buffer_[from];
    buffer_.resize(to);
    FlushIfFull();
}

void TOutputStream::ToUtf8(std::string_view text, std::string& out)
{
    if (!AppendCp932AsUtf8(text, out))
        undecodable_ = true;
}

std::string_view TOutputStream::EndText(std::string_view next)
{
    // Bytes written as they are follow the text directly: the carried lead byte reads with the
    // first of them, as it would in the code page 932 form of the same output.
    const bool paired = !next.empty() && IsTrailByte(static_cast<unsigned char>(next.front()));
    if (!AppendCp932AsUtf8(next.substr(0, paired ? 1 : 0), buffer_, carry_))
        undecodable_ = true;
    return next.substr(paired ? 1 : 0);
}

void TOutputStream::Flush()
{
    if (!carry_.empty())
        EndText({});
    WriteOut();
}

void TOutputStream::WriteOut()
{
    if (file_ != nullptr) {
        file_->Write(buffer_);
        buffer_.clear();
        return;
    }
    std::size_t done = 0;
    while (done < buffer_.size()) {
        const ssize_t wrote = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // Standard output may be a non-blocking pipe shared with another program.
            pollfd ready{fd_, POLLOUT, 0};
            ::poll(&ready, 1, -1);
            continue;
        }
        if (wrote <= 0)
            ThrowStandardOutputError(wrote == 0 ? EIO : errno);
        done += static_cast<std::size_t>(wrote);
    }
    buffer_.clear();
}

} // namespace kelmora::report
