#include "report/OutputStream.h"

#include "core/base/ByteString.h"
#include "core/text/Cp932ToUtf8.h"
#include "core/base/KelmoraError.h"
#include "core/files/SafeFileWriter.h"

#include <algorithm>
#include <cerrno>

#include <poll.h>
#include <unistd.h>

namespace kelmora::report {

void TOutputStream::WriteTextAsUtf8(std::string_view text)
{
    decoded_.clear();
    if (!AppendCp932AsUtf8(text, decoded_, carry_))
        undecodable_ = true;
    // CR LF becomes LF; the data's texts hold no other CR.
    std::size_t to = 0;
    for (std::size_t from = 0; from < decoded_.size(); ++from)
        if (!(decoded_[from] == '\r' && from + 1 < decoded_.size() && decoded_[from + 1] == '\n'))
            decoded_[to++] = decoded_[from];
    decoded_.resize(to);
    WriteAndFlush(decoded_);
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
    decoded_.clear();
    if (!AppendCp932AsUtf8(next.substr(0, paired ? 1 : 0), decoded_, carry_))
        undecodable_ = true;
    WriteAndFlush(decoded_);
    return next.substr(paired ? 1 : 0);
}

void TOutputStream::WriteAndFlush(std::string_view bytes)
{
    for (;;) {
        const std::size_t part = std::min(bytes.size(), kPiece - used_);
        std::copy_n(bytes.data(), part, buffer_.get() + used_);
        used_ += part;
        bytes.remove_prefix(part);
        if (used_ < kPiece)
            return;
        WriteOut();
    }
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
        file_->Write({buffer_.get(), used_});
        used_ = 0;
        return;
    }
    std::size_t done = 0;
    while (done < used_) {
        const ssize_t wrote = ::write(fd_, buffer_.get() + done, used_ - done);
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
    used_ = 0;
}

} // namespace kelmora::report
