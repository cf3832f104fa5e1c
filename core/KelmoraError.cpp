#include "core/KelmoraError.h"

#include <filesystem>

namespace kelmora {

std::string FormatPathMessage(std::string_view format, const std::string& path)
{
    std::string full = path;
    std::error_code ec;
    if (const auto absolute = std::filesystem::absolute(path, ec); !ec)
        full = absolute.string();
    std::string message(format);
    if (const auto at = message.find("%s"); at != std::string::npos)
        message.replace(at, 2, full);
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

void ThrowWriteError()
{
    throw TKelmoraError(std::string(messages::kWriteError));
}

} // namespace kelmora
