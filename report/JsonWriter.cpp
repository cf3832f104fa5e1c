#include "report/JsonWriter.h"

#include "report/OutputStream.h"

#include <cstdio>
#include <string>

namespace kelmora::report {

void TJsonWriter::Started()
{
    Out().Write("{\"event\":");
    String(Draw().definition.eventName);
    Out().Write(",\n\"classes\":[");
    bool firstClass = true;
    for (const TPrizeClass& prizeClass : Draw().definition.classes) {
        Out().Write(firstClass ? "\n{\"label\":" : ",\n{\"label\":");
        firstClass = false;
        String(prizeClass.label);
        Out().Write(",\"numbers\":[");
        for (std::size_t k = 0; k < prizeClass.numbers.size(); ++k) {
            if (k > 0)
                Out().Write(",");
            String(prizeClass.numbers[k]);
        }
        Out().Write("],\"prize\":");
        String(prizeClass.prize);
        Out().Write(",\"rule\":");
        if (prizeClass.rule == TMatchRule::Bytes) {
            Out().Write("null");
        } else {
            Out().Write("\"");
            Out().Write(MatchRuleName(prizeClass.rule));
            Out().Write("\"");
        }
        Out().Write("}");
    }
    Out().Write(firstClass ? "],\n\"wins\":[" : "\n],\n\"wins\":[");
}

void TJsonWriter::Win(const TCheckWin& win)
{
    const std::uint32_t classIndex = Result().ClassOf(win);
    const TPrizeClass& prizeClass = Draw().definition.classes[classIndex];
    Out().Write(firstWin_ ? "\n{\"winning_number\":" : ",\n{\"winning_number\":");
    firstWin_ = false;
    String(Result().NumberOf(win));
    Out().Write(",\"class\":");
    Out().Write(std::to_string(classIndex + 1));
    Out().Write(",\"label\":");
    String(prizeClass.label);
    Out().Write(",\"prize\":");
    String(prizeClass.prize);
    Out().Write(",\"amount\":");
    const auto& amount = Draw().amountOfClass[classIndex];
    Out().Write(amount ? std::to_string(*amount) : std::string("null"));
    Out().Write(",\"ticket\":");
    String(Result().TicketOf(win));
    Out().Write("}");
}

void TJsonWriter::End()
{
    Out().Write(firstWin_ ? "]}\n" : "\n]}\n");
}

void TJsonWriter::String(std::string_view cp932)
{
    scratch_.clear();
    Out().ToUtf8(cp932, scratch_);
    Out().Write("\"");
    std::size_t plain = 0;
    for (std::size_t i = 0; i < scratch_.size(); ++i) {
        const auto c = static_cast<unsigned char>(scratch_[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        Out().Write(std::string_view(scratch_).substr(plain, i - plain));
        plain = i + 1;
        if (c == '"' || c == '\\') {
            const char escaped[2] = {'\\', static_cast<char>(c)};
            Out().Write(std::string_view(escaped, 2));
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            Out().Write(escaped);
        }
    }
    Out().Write(std::string_view(scratch_).substr(plain));
    Out().Write("\"");
}

} // namespace kelmora::report
