#pragma once
// The message language of the programs the tests start, set for one scope.

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

namespace kelmora::test {

class TLanguageScope {
public:
    // Sets LANG to `lang` (and LANGUAGE where given) with nothing above it.
    explicit TLanguageScope(const std::string& lang, const std::string& language = "")
    {
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"}) {
            const char* value = std::getenv(name);
            saved_[name] = value ? std::optional<std::string>(value) : std::nullopt;
            ::unsetenv(name);
        }
        ::setenv("LANG", lang.c_str(), 1);
        if (!language.empty())
            ::setenv("LANGUAGE", language.c_str(), 1);
    }
    TLanguageScope(const TLanguageScope&) = delete;
    TLanguageScope& operator=(const TLanguageScope&) = delete;
    ~TLanguageScope()
    {
        for (const auto& [name, value] : saved_) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
    }

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

} // namespace kelmora::test
