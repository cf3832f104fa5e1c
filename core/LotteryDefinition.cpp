#include "core/LotteryDefinition.h"

#include "core/KelmoraError.h"
#include "core/NumberList.h"
#include "core/ProfileFile.h"

namespace kelmora {

bool IsDefinitionKey(std::string_view section, std::string_view name)
{
    if (section == "ver")
        return name == "no" || name == "event";
    if (section != "hit")
        return false;
    // A class's keys are looked up by their number as written without leading zeros.
    for (const std::string_view prefix : {"hit", "no", "sho", "rule"}) {
        if (!name.starts_with(prefix) || name.size() == prefix.size() || name[prefix.size()] == '0')
            continue;
        const std::string_view number = name.substr(prefix.size());
        if (number.find_first_not_of("0123456789") == std::string_view::npos)
            return true;
    }
    return false;
}

TProfileFile LoadDefinitionProfile(const std::string& path)
{
    return TProfileFile::Load(path, IsDefinitionKey);
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
