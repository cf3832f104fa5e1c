#include "core/draw/LotteryDefinition.h"

#include "core/text/Cp932ToUtf8.h"
#include "core/base/KelmoraError.h"
#include "core/files/LineFile.h"
#include "core/draw/NumberList.h"
#include "core/draw/ProfileFile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <utility>

namespace kelmora {
namespace {

using TNameBuffer = std::array<char, 32>;

// A class's entry name ("No" and its number), put together in `buffer` rather than a string.
std::string_view ClassKey(std::string_view prefix, std::string_view suffix, TNameBuffer& buffer)
{
    const std::size_t size = std::min(suffix.size(), buffer.size() - prefix.size());
    std::copy(prefix.begin(), prefix.end(), buffer.begin());
    std::copy_n(suffix.begin(), size, buffer.begin() + static_cast<std::ptrdiff_t>(prefix.size()));
    return {buffer.data(), prefix.size() + size};
}

std::string Utf8Of(std::string_view bytes)
{
    std::string text;
    AppendCp932AsUtf8(bytes, text);
    return text;
}

TMatchKind ReadKind(const TProfileFile& profile, const std::string& suffix, const TByteString& label)
{
    TNameBuffer buffer;
    const TByteString value = profile.ReadString("Hit", ClassKey("Rule", suffix, buffer));
    if (const auto kind = MatchKindNamed(value))
        return *kind;
    throw TKelmoraError("等級 %s（%s）の判定 Rule%s=%s はこのプログラムでは使えません（ends, whole, other-group, "
                        "count K, count K bonus B, count K bonus B+, box, lines K のいずれか）。"
                        "このクジの種類は読み込めません",
                        {suffix, Utf8Of(label), suffix, Utf8Of(value)});
}

TPurchaseType ReadType(const TProfileFile& profile, const std::string& suffix, const TByteString& label)
{
    TNameBuffer buffer;
    const TByteString value = profile.ReadString("Hit", ClassKey("Type", suffix, buffer));
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
    for (const std::string_view prefix : {"hit", "no", "sho", "rule", "bonus", "type"}) {
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
    for (long n = 1; n <= count; ++n) {
        const std::string suffix = std::to_string(n);
        TNameBuffer buffer;
        TPrizeClass prizeClass;
        prizeClass.numbersText = profile.ReadString("Hit", ClassKey("No", suffix, buffer));
        prizeClass.prize = profile.ReadString("Hit", ClassKey("SHO", suffix, buffer));
        prizeClass.label = profile.ReadString("Hit", ClassKey("Hit", suffix, buffer));
        if (prizeClass.numbersText.empty())
            break;
        if (n > TLotteryDefinition::kMaxClasses)
            RefuseTooManyClasses();
        const TMatchKind kind = ReadKind(profile, suffix, prizeClass.label);
        prizeClass.rule = kind.rule;
        prizeClass.pick = kind.pick;
        prizeClass.type = ReadType(profile, suffix, prizeClass.label);
        prizeClass.bonusText = profile.ReadString("Hit", ClassKey("Bonus", suffix, buffer));
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
