#include "core/base/KelmoraError.h"

#include "core/base/SystemReason.h"

#include <filesystem>
#include <utility>

namespace kelmora {

TKelmoraError::TKelmoraError(std::string_view format, std::vector<std::string> arguments)
    : std::runtime_error(FillFormat(format, arguments)),
      format_(format),
      arguments_(std::move(arguments))
{}

std::string FillFormat(std::string_view format, const std::vector<std::string>& arguments)
{
    std::string message;
    std::size_t next = 0;
    for (std::size_t start = 0;;) {
        const std::size_t at = format.find("%s", start);
        if (at == std::string_view::npos || next == arguments.size()) {
            message.append(format.substr(start));
            return message;
        }
        message.append(format.substr(start, at - start)).append(arguments[next++]);
        start = at + 2;
    }
}

std::string AbsolutePathText(const std::string& path)
{
    std::error_code ec;
    if (const auto absolute = std::filesystem::absolute(path, ec); !ec)
        return absolute.string();
    return path;
}

std::string FormatPathMessage(std::string_view format, const std::string& path)
{
    return FillFormat(format, {AbsolutePathText(path)});
}

void ThrowCannotCreate(const std::string& path)
{
    throw TKelmoraError(messages::kCannotCreate, {AbsolutePathText(path)});
}

void ThrowCannotOpen(const std::string& path)
{
    throw TKelmoraError(messages::kCannotOpen, {AbsolutePathText(path)});
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
    throw TKelmoraError(messages::kCannotCreateBecause, {AbsolutePathText(path), std::string(reason)});
}

void ThrowCannotOpen(const std::string& path, std::string_view reason)
{
    throw TKelmoraError(messages::kCannotOpenBecause, {AbsolutePathText(path), std::string(reason)});
}

void ThrowWriteError(const std::string& path, int error)
{
    ThrowWriteError(path, SystemReason(error));
}

void ThrowWriteError(const std::string& path, std::string_view reason)
{
    throw TKelmoraError(messages::kWriteErrorOnFile, {AbsolutePathText(path), std::string(reason)});
}

void ThrowStandardOutputError(int error)
{
    throw TKelmoraError(messages::kWriteErrorOnStandardOutput, {SystemReason(error)});
}

void ThrowCannotReadStandardInput(std::string_view reason)
{
    throw TKelmoraError(messages::kCannotReadStandardInput, {std::string(reason)});
}

} // namespace kelmora
