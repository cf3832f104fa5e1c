#include "cli/Translation.h"

#include "core/base/KelmoraError.h"
#include "core/base/SystemReason.h"

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <libintl.h>

namespace kelmora::cli {
namespace {

constexpr const char* kDomain = "kelmora-check";

bool IsCLocale(std::string_view name)
{
    return name.empty() || name == "C" || name == "POSIX" || name.starts_with("C.");
}

// The locale's language as POSIX orders the variables; LANGUAGE, which gettext reads before
// the locale unless that is C, may name a language first.
bool JapaneseWanted()
{
    std::string_view locale;
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const char* value = std::getenv(variable); value != nullptr && *value != '\0') {
            locale = value;
            break;
        }
    }
    if (IsCLocale(locale))
        return false;
    if (const char* language = std::getenv("LANGUAGE"); language != nullptr) {
        std::string_view list = language;
        while (!list.empty()) {
            const std::string_view entry = list.substr(0, list.find(':'));
            if (entry.starts_with("ja"))
                return true;
            if (entry.starts_with("en"))
                return false;
            list.remove_prefix(std::min(list.size(), entry.size() + 1));
        }
    }
    return locale.starts_with("ja");
}

std::string CatalogueDirectory()
{
    std::error_code ec;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const auto installed = program.parent_path().parent_path() / "share" / "locale";
        if (std::filesystem::exists(installed / "ja" / "LC_MESSAGES" / (std::string(kDomain) + ".mo"), ec))
            return installed.string();
    }
    return KELMORA_BUILD_LOCALEDIR;
}

} // namespace

void ChooseMessageLanguage()
{
    const bool japanese = JapaneseWanted();
    // gettext takes the catalogue from LANGUAGE, but not under the C locale, and a Japanese
    // locale need not be generated for Japanese messages: C.UTF-8 is always there.
    const char* messages = std::setlocale(LC_MESSAGES, "");
    if (messages == nullptr || IsCLocale(messages))
        std::setlocale(LC_MESSAGES, "C.UTF-8");
    ::setenv("LANGUAGE", japanese ? "ja" : "en", 1);
    ::bindtextdomain(kDomain, CatalogueDirectory().c_str());
    ::bind_textdomain_codeset(kDomain, "UTF-8");
}

std::string Tr(std::string_view format, const std::vector<std::string>& arguments)
{
    if (format.empty())
        return {}; // the empty key is the catalogue's header
    const std::string key(format);
    return FillFormat(::dgettext(kDomain, key.c_str()), arguments);
}

std::string Tr(const TKelmoraError& error)
{
    // An argument may itself be one of the core's texts (the system's reason for a failure);
    // a path or a number is in no catalogue and comes back as it is.
    std::vector<std::string> arguments;
    for (const std::string& argument : error.Arguments()) {
        if (const std::string number = ErrorNumberOf(argument); !number.empty())
            arguments.push_back(Tr(messages::kErrorNumber, {number}));
        else
            arguments.push_back(argument.empty() ? argument : std::string(::dgettext(kDomain, argument.c_str())));
    }
    return Tr(error.Format(), arguments);
}

} // namespace kelmora::cli
