// Any bytes read as a definition file: no crash, no refusal but of an unknown kind of match,
// the summary is exactly the draw's values in order, and the winning table is the split of each
// class's numbers, labels in step.

#include "core/check/CheckState.h"
#include "core/base/KelmoraError.h"
#include "core/draw/LotteryDefinition.h"
#include "core/draw/NumberList.h"
#include "core/draw/ProfileFile.h"
#include "fuzz/FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace kelmora;

namespace {

const std::string kHyphens = "----------------------";

bool IsValue(std::string_view value)
{
    return value.size() <= TProfileFile::kMaxValueBytes &&
        value.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    const TProfileFile profile = TProfileFile::Parse(TByteString(file));
    TLotteryDefinition definition;
    try {
        definition = LoadDefinition(profile);
    } catch (const TKelmoraError& error) {
        // Only a kind of match or a purchase type this program does not know, or more classes than
        // it reads, refuses a draw.
        const std::string& format = error.Format();
        FUZZ_CHECK(format.find("Rule%s=") != std::string::npos || format.find("Type%s=") != std::string::npos ||
                   format == messages::kTooManyClasses);
        return 0;
    }

    // Classes are read up to the count and stop at the first empty numbers.
    const long count = profile.ReadInt("Ver", "No", 0);
    FUZZ_CHECK(count >= 0 || definition.classes.empty());
    FUZZ_CHECK(definition.classes.size() <= static_cast<unsigned long>(count < 0 ? 0 : count));
    if (static_cast<long>(definition.classes.size()) < count)
        FUZZ_CHECK(profile.ReadString("Hit", "No" + std::to_string(definition.classes.size() + 1)).empty());
    FUZZ_CHECK(IsValue(definition.eventName));

    TCheckState state;
    state.ticketList.Add("kept");
    state.resultLog.SetText("an earlier summary");
    state.draw = std::make_shared<const TCheckedDraw>(TLotteryDefinition{"old", {}});
    ApplyDefinition(definition, state);

    std::string summary = definition.eventName + "\r\n\r\n\r\n";
    std::size_t row = 0;
    const TLineList numbers = state.WinningTable().Numbers();
    const TLineList labels = state.WinningTable().Labels();
    FUZZ_CHECK(numbers.size() == labels.size());
    for (const TPrizeClass& prizeClass : definition.classes) {
        FUZZ_CHECK(!prizeClass.numbersText.empty());
        FUZZ_CHECK(IsValue(prizeClass.label) && IsValue(prizeClass.numbersText) && IsValue(prizeClass.prize));
        summary += prizeClass.label + "\r\n" + prizeClass.numbersText + "\r\n" + prizeClass.prize + "\r\n\r\n\r\n";
        const TLineList items = SplitNumberList(prizeClass.numbersText);
        FUZZ_CHECK(items == prizeClass.numbers);
        for (const std::string_view item : items) {
            FUZZ_CHECK(row < numbers.size());
            FUZZ_CHECK(numbers[row] == item);
            FUZZ_CHECK(labels[row] == prizeClass.label);
            ++row;
        }
    }
    FUZZ_CHECK(row == numbers.size());
    summary += kHyphens + "\r\n\r\n\r\n";
    FUZZ_CHECK(state.resultLog.Text() == summary);
    FUZZ_CHECK(state.ticketList.Entries() == TLineList{"kept"});

    // Selecting the same file again gives the same state, not a doubled one.
    ApplyDefinition(definition, state);
    FUZZ_CHECK(state.resultLog.Text() == summary);
    FUZZ_CHECK(state.WinningTable().Numbers() == numbers && state.WinningTable().Labels() == labels);
    return 0;
}
