#include "core/LotteryDefinition.h"

#include "core/KelmoraError.h"
#include "core/LineFile.h"
#include "core/NumberList.h"
#include "core/ProfileFile.h"

#include <charconv>
#include <cstdlib>

namespace kelmora {

bool IsDefinitionKey(std::string_view section, std::string_view name, long classCount)
{
    if (section == "ver")
        return name == "no" || name == "event";
    if (section != "hit")
        return false;
    // A class's keys are looked up by their number as written without leading zeros.
    for (const std::string_view prefix : {"hit", "no", "sho", "rule"}) {
        if (!name.starts_with(prefix))
            continue;
        const std::string_view number = name.substr(prefix.size());
        long n = 0;
        const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), n);
        if (number.empty() || number.front() == '0' || end != number.data() + number.size())
            continue;
        return error == std::errc() && n <= classCount;
    }
    return false;
}

TProfileFile ParseDefinitionProfile(TByteString data)
{
    // The count comes first, wherever [Ver] is in the file, so that classes past it cost nothing.
    long classCount = 0;
    bool counted = false;
    TProfileFile::ForEachEntry(data, [&](std::string_view section, std::string_view name, std::string_view value) {
        if (counted || section != "ver" || name != "no")
            return;
        counted = true;
        classCount = std::strtol(std::string(value).c_str(), nullptr, 10);
    });
    return TProfileFile::Parse(std::move(data), [classCount](std::string_view section, std::string_view name) {
        return IsDefinitionKey(section, name, classCount);
    });
}

TProfileFile LoadDefinitionProfile(const std::string& path)
{
    return ParseDefinitionProfile(ReadWholeFile(path));
}

TLotteryDefinition LoadDefinition(const TProfileFile& profile)
{
    TLotteryDefinition definition;
    const long count = profile.ReadInt("Ver", "No", 0);
    definition.eventName = profile.ReadString("Ver", "EVENT");
    for (long n = 1; n <= count; ++n) {
        const std::string suffix = std::to_string(n);
        TPrizeClass prizeClass;
        prizeClass.numbersText = profile.ReadString("Hit", "No" + suffix);
        prizeClass.prize = profile.ReadString("Hit", "SHO" + suffix);
        prizeClass.label = profile.ReadString("Hit", "Hit" + suffix);
        if (prizeClass.numbersText.empty())
            break;
        prizeClass.numbers = SplitNumberList(prizeClass.numbersText);
        definition.classes.push_back(std::move(prizeClass));
    }
    return definition;
}

TLotteryDefinition LoadDefinition(const std::string& path)
{
    try {
        return LoadDefinition(LoadDefinitionProfile(path));
    } catch (const TKelmoraError&) {
        return LoadDefinition(TProfileFile());
    }
}

} // namespace kelmora
