#include "core/KelmoraError.h"

#include "core/SystemReason.h"

#include <filesystem>

namespace kelmora {

std::string FormatPathMessage(std::string_view format, const std::string& path, std::string_view reason)
{
    std::string full = path;
    std::error_code ec;
    if (const auto absolute = std::filesystem::absolute(path, ec); !ec)
        full = absolute.string();
    std::string message(format);
    const auto at = message.find("%s");
    if (at == std::string::npos)
        return message;
    message.replace(at, 2, full);
    if (const auto second = message.find("%s", at + full.size()); second != std::string::npos)
        message.replace(second, 2, reason);
    return message;
}

void ThrowCannotCreate(const std::string& path)
{
    throw TKelmoraError(FormatPathMessage(messages::kCannotCreate, path));
}

void ThrowCannotOpen(const std::string& path)
{
    throw TKelmoraError(FormatPathMessage(messages::kCannotOpen, path));
}

void ThrowCannotInsertLine()
{
    throw TKelmoraError(std::string(messages::kCannotInsertLine));
}

void ThrowCannotCreate(const std::string& path, int error)
{
    ThrowCannotCreate(path, SystemReason(error));
}

void ThrowCannotCreate(const std::string& path, std::string_view reason)
{
    throw TKelmoraError(FormatPathMessage(messages::kCannotCreateBecause, path, reason));
}

void ThrowCannotOpen(const std::string& path, std::string_view reason)
{
    throw TKelmoraError(FormatPathMessage(messages::kCannotOpenBecause, path, reason));
}

void ThrowWriteError(const std::string& path, int error)
{
    ThrowWriteError(path, SystemReason(error));
}

void ThrowWriteError(const std::string& path, std::string_view reason)
{
    throw TKelmoraError(FormatPathMessage(messages::kWriteErrorOnFile, path, reason));
}

std::string FormatReasonMessage(std::string_view format, std::string_view reason)
{
    const auto at = format.find("%s");
    if (at == std::string_view::npos)
        return std::string(format);
    std::string message(format.substr(0, at));
    message += reason;
    message += format.substr(at + 2);
    return message;
}

void ThrowStandardOutputError(int error)
{
    throw TKelmoraError(FormatReasonMessage(messages::kWriteErrorOnStandardOutput, SystemReason(error)));
}

} // namespace kelmora
