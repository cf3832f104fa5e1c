#include "cli/JsonWriter.h"

#include "cli/CheckedDraw.h"
#include "cli/OutputStream.h"

#include <cstdio>

namespace kelmora::cli {

void TJsonWriter::Begin(const TCheckedDraw& draw)
{
    draw_ = &draw;
    out_.Write("{\"event\":");
    String(draw.definition.eventName);
    out_.Write(",\n\"classes\":[");
    bool firstClass = true;
    for (const TPrizeClass& prizeClass : draw.definition.classes) {
        out_.Write(firstClass ? "\n{\"label\":" : ",\n{\"label\":");
        firstClass = false;
        String(prizeClass.label);
        out_.Write(",\"numbers\":[");
        for (std::size_t k = 0; k < prizeClass.numbers.size(); ++k) {
            if (k > 0)
                out_.Write(",");
            String(prizeClass.numbers[k]);
        }
        out_.Write("],\"prize\":");
        String(prizeClass.prize);
        out_.Write("}");
    }
    out_.Write(firstClass ? "],\n\"wins\":[" : "\n],\n\"wins\":[");
}

void TJsonWriter::Win(std::size_t entry, std::string_view ticket)
{
    const TWinningTable& table = draw_->state.winningTable;
    const std::uint32_t classIndex = draw_->classOfEntry[entry];
    out_.Write(firstWin_ ? "\n{\"winning_number\":" : ",\n{\"winning_number\":");
    firstWin_ = false;
    String(table.Numbers()[entry]);
    out_.Write(",\"class\":");
    out_.Write(std::to_string(classIndex + 1));
    out_.Write(",\"label\":");
    String(table.Labels()[entry]);
    out_.Write(",\"prize\":");
    String(draw_->definition.classes[classIndex].prize);
    out_.Write(",\"ticket\":");
    String(ticket);
    out_.Write("}");
}

void TJsonWriter::End()
{
    out_.Write(firstWin_ ? "]}\n" : "\n]}\n");
}

void TJsonWriter::String(std::string_view cp932)
{
    scratch_.clear();
    out_.ToUtf8(cp932, scratch_);
    out_.Write("\"");
    std::size_t plain = 0;
    for (std::size_t i = 0; i < scratch_.size(); ++i) {
        const auto c = static_cast<unsigned char>(scratch_[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        out_.Write(std::string_view(scratch_).substr(plain, i - plain));
        plain = i + 1;
        if (c == '"' || c == '\\') {
            const char escaped[2] = {'\\', static_cast<char>(c)};
            out_.Write(std::string_view(escaped, 2));
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out_.Write(escaped);
        }
    }
    out_.Write(std::string_view(scratch_).substr(plain));
    out_.Write("\"");
}

} // namespace kelmora::cli
