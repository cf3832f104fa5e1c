#include "core/LotteryDefinition.h"

#include "core/Cp932ToUtf8.h"
#include "core/KelmoraError.h"
#include "core/NumberList.h"
#include "core/ProfileFile.h"

namespace kelmora {
namespace {

TMatchRule ReadRule(const TProfileFile& profile, const std::string& suffix, const TByteString& label)
{
    const TByteString value = profile.ReadString("Hit", "Rule" + suffix);
    if (const auto rule = MatchRuleNamed(value))
        return *rule;
    std::string message = "等級 " + suffix + "（";
    AppendCp932AsUtf8(label, message);
    message += "）の判定 Rule" + suffix + "=";
    AppendCp932AsUtf8(value, message);
    message += " はこのプログラムでは使えません（ends, whole, other-group のいずれか）。このクジの種類は読み込めません";
    throw TKelmoraError(message);
}

} // namespace

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
        prizeClass.rule = ReadRule(profile, suffix, prizeClass.label);
        prizeClass.numbers = SplitNumberList(prizeClass.numbersText);
        definition.classes.push_back(std::move(prizeClass));
    }
    return definition;
}

TLotteryDefinition LoadDefinition(const std::string& path)
{
    TProfileFile profile;
    try {
        profile = TProfileFile::Load(path);
    } catch (const TKelmoraError&) {
        return LoadDefinition(TProfileFile());
    }
    return LoadDefinition(profile);
}

} // namespace kelmora
