// Any bytes read as announced results end in a draw or a refusal: never a crash or a hang. A
// draw has classes that each hold numbers, a kind of match and the line that named them, and
// the draw writer writes it as it is: read back, the file gives the same classes.

#include "core/base/KelmoraError.h"
#include "core/draw/DefinitionWriter.h"
#include "core/draw/LotteryDefinition.h"
#include "core/results/ResultsText.h"
#include "fuzz/FuzzCheck.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace kelmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TResultsDraw draw;
    try {
        draw = ReadResultsText(text);
    } catch (const TKelmoraError& error) {
        FUZZ_CHECK(!error.Format().empty());
        return 0;
    }
    const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n') +
                                                std::count(text.begin(), text.end(), '\r') + 1);
    FUZZ_CHECK(!draw.definition.classes.empty());
    FUZZ_CHECK(draw.classLines.size() == draw.definition.classes.size());
    for (std::size_t i = 0; i < draw.definition.classes.size(); ++i) {
        const TPrizeClass& prizeClass = draw.definition.classes[i];
        FUZZ_CHECK(!prizeClass.numbers.empty());
        FUZZ_CHECK(prizeClass.rule != TMatchRule::Bytes);
        FUZZ_CHECK(draw.classLines[i] >= 1 && draw.classLines[i] <= lines);
    }
    const TDefinitionText written = FormatDefinition(draw.definition);
    FUZZ_CHECK(written.splitClasses.empty() || draw.definition.classes.size() > 1 ||
               draw.definition.classes[0].numbers.size() > 1);
    const TLotteryDefinition back = LoadDefinition(ParseDefinitionProfile(written.bytes));
    if (written.splitClasses.empty()) {
        FUZZ_CHECK(back.classes.size() == draw.definition.classes.size());
        FUZZ_CHECK(back.eventName == draw.definition.eventName);
        for (std::size_t i = 0; i < back.classes.size(); ++i) {
            FUZZ_CHECK(back.classes[i].label == draw.definition.classes[i].label);
            FUZZ_CHECK(back.classes[i].prize == draw.definition.classes[i].prize);
            FUZZ_CHECK(back.classes[i].rule == draw.definition.classes[i].rule);
            FUZZ_CHECK(back.classes[i].numbers.size() == draw.definition.classes[i].numbers.size());
        }
    }
    return 0;
}
