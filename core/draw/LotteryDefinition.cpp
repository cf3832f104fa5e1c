#include "core/draw/LotteryDefinition.h"

#include "core/base/KelmoraError.h"
#include "core/draw/NumberList.h"
#include "core/draw/ProfileFile.h"
#include "core/files/LineFile.h"
#include "core/text/Cp932ToUtf8.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <utility>
#include <vector>

namespace kelmora {
namespace {

// A class's entries by their names' beginnings, and where each is in kClassEntryNames.
constexpr std::array<std::string_view, 6> kClassEntryNames = {"hit", "no", "sho", "rule", "bonus", "type"};
constexpr std::size_t kHitEntry = 0;
constexpr std::size_t kNoEntry = 1;
constexpr std::size_t kShoEntry = 2;
constexpr std::size_t kRuleEntry = 3;
constexpr std::size_t kBonusEntry = 4;
constexpr std::size_t kTypeEntry = 5;
using TClassValues = std::array<std::string_view, kClassEntryNames.size()>;

// Each class's values from 1 to `count` (index 0 unused), as ReadString gives them, found in one
// pass over the profile instead of a look-up for each. Classes stop at the first empty NoN, so
// none past the number of entries plus one is ever read, however large the count.
std::vector<TClassValues> ClassValues(const TProfileFile& profile, long count)
{
    struct TFound {
        std::size_t n;
        std::size_t entry;
        std::string_view value;
    };
    std::vector<TFound> found;
    profile.ForEachValue([&](std::string_view section, std::string_view name, std::string_view value) {
        if (section != "hit")
            return true;
        for (std::size_t entry = 0; entry < kClassEntryNames.size(); ++entry) {
            const std::string_view prefix = kClassEntryNames[entry];
            if (name.empty() || name.front() != prefix.front() || !name.starts_with(prefix))
                continue;
            // Named by the number as ReadString's callers write it: decimal, without a leading zero.
            const std::string_view digits = name.substr(kClassEntryNames[entry].size());
            std::size_t n = 0;
            const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
            if (!digits.empty() && digits.front() != '0' && error == std::errc() &&
                end == digits.data() + digits.size() && n <= static_cast<std::size_t>(std::max(count, 0L)))
                found.push_back({n, entry, value});
        }
        return true;
    });
    std::vector<TClassValues> values;
    for (const TFound& f : found) {
        if (f.n > found.size() + 1)
            continue;
        if (f.n >= values.size())
            values.resize(f.n + 1);
        values[f.n][f.entry] = f.value;
    }
    return values;
}

std::string Utf8Of(std::string_view bytes)
{
    std::string text;
    AppendCp932AsUtf8(bytes, text);
    return text;
}

TMatchKind ReadKind(std::string_view value, const std::string& suffix, const TByteString& label)
{
    if (const auto kind = MatchKindNamed(value))
        return *kind;
    throw TKelmoraError("等級 %s（%s）の判定 Rule%s=%s はこのプログラムでは使えません（ends, whole, other-group, "
                        "count K, count K bonus B, count K bonus B+, box, lines K のいずれか）。"
                        "このクジの種類は読み込めません",
                        {suffix, Utf8Of(label), suffix, Utf8Of(value)});
}

TPurchaseType ReadType(std::string_view value, const std::string& suffix, const TByteString& label)
{
    if (const auto type = PurchaseTypeNamed(value))
        return *type;
    throw TKelmoraError("等級 %s（%s）の買い方 Type%s=%s はこのプログラムでは使えません（ストレート, ボックス, "
                        "セット, ミニ のいずれか）。このクジの種類は読み込めません",
                        {suffix, Utf8Of(label), suffix, Utf8Of(value)});
}

[[noreturn]] void RefuseTooManyClasses()
{
    throw TKelmoraError(messages::kTooManyClasses, {std::to_string(TLotteryDefinition::kMaxClasses)});
}

// The class number of a name "no<n>" (no leading zero), or 0.
long ClassNumberOf(std::string_view name)
{
    if (!name.starts_with("no") || name.size() < 3 || name[2] == '0')
        return 0;
    long n = 0;
    const auto [end, error] = std::from_chars(name.data() + 2, name.data() + name.size(), n);
    return error == std::errc() && end == name.data() + name.size() ? n : 0;
}

} // namespace

bool IsDefinitionKey(std::string_view section, std::string_view name, long classCount)
{
    if (section == "ver")
        return name == "no" || name == "event";
    if (section != "hit")
        return false;
    // A class's keys are looked up by their number as written without leading zeros.
    for (const std::string_view prefix : kClassEntryNames) {
        if (name.empty() || name.front() != prefix.front() || !name.starts_with(prefix))
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
    // Whether classes past the limit would be read is seen on the way: each NoN up to one past
    // it, by its first entry as the reader takes it, and whether it holds numbers. A count within
    // the limit needs nothing more: this reading stops there, at the start where [Ver] comes first.
    constexpr auto kMax = static_cast<std::size_t>(TLotteryDefinition::kMaxClasses);
    long classCount = 0;
    bool counted = false;
    std::vector<bool> seen(kMax + 2, false);
    std::vector<bool> filled(kMax + 2, false);
    TProfileFile::ForEachEntry(data, [&](std::string_view section, std::string_view name, std::string_view value) {
        if (section == "hit") {
            const long n = ClassNumberOf(name);
            if (n > 0 && static_cast<std::size_t>(n) <= kMax + 1 && !seen[static_cast<std::size_t>(n)]) {
                seen[static_cast<std::size_t>(n)] = true;
                filled[static_cast<std::size_t>(n)] = !value.empty();
            }
            return true;
        }
        if (counted || section != "ver" || name != "no")
            return true;
        counted = true;
        classCount = std::strtol(std::string(value).c_str(), nullptr, 10);
        return classCount > TLotteryDefinition::kMaxClasses;
    });
    if (classCount > TLotteryDefinition::kMaxClasses &&
        std::all_of(filled.begin() + 1, filled.end(), [](bool f) { return f; }))
        RefuseTooManyClasses();
    return TProfileFile::Parse(std::move(data), [classCount](std::string_view section, std::string_view name) {
        return IsDefinitionKey(section, name, classCount);
    });
}

TProfileFile LoadDefinitionProfile(const std::string& path)
{
    return ParseDefinitionProfile(TProfileFile::Cp932Bytes(ReadWholeFile(path), path));
}

TLotteryDefinition LoadDefinition(const TProfileFile& profile)
{
    TLotteryDefinition definition;
    const long count = profile.ReadInt("Ver", "No", 0);
    definition.eventName = profile.ReadString("Ver", "EVENT");
    const std::vector<TClassValues> values = ClassValues(profile, count);
    // No class past the last one found can be read.
    definition.classes.reserve(values.size());
    for (long n = 1; n <= count; ++n) {
        const std::string suffix = std::to_string(n);
        const TClassValues classValues =
            static_cast<std::size_t>(n) < values.size() ? values[static_cast<std::size_t>(n)] : TClassValues{};
        TPrizeClass prizeClass;
        prizeClass.numbersText = classValues[kNoEntry];
        prizeClass.prize = classValues[kShoEntry];
        prizeClass.label = classValues[kHitEntry];
        if (prizeClass.numbersText.empty())
            break;
        if (n > TLotteryDefinition::kMaxClasses)
            RefuseTooManyClasses();
        const TMatchKind kind = ReadKind(classValues[kRuleEntry], suffix, prizeClass.label);
        prizeClass.rule = kind.rule;
        prizeClass.pick = kind.pick;
        prizeClass.type = ReadType(classValues[kTypeEntry], suffix, prizeClass.label);
        prizeClass.bonusText = classValues[kBonusEntry];
        prizeClass.bonus = SplitNumberList(prizeClass.bonusText);
        prizeClass.numbers = SplitNumberList(prizeClass.numbersText);
        definition.classes.push_back(std::move(prizeClass));
    }
    return definition;
}

TLotteryDefinition LoadDefinition(const std::string& path)
{
    TByteString data;
    try {
        data = ReadWholeFile(path);
    } catch (const TKelmoraError&) {
        return LoadDefinition(TProfileFile());
    }
    // A UTF-8 draw that cannot be read as Shift-JIS is refused, not shown as an empty one.
    return LoadDefinition(ParseDefinitionProfile(TProfileFile::Cp932Bytes(std::move(data), path)));
}

} // namespace kelmora
