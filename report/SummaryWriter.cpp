#include "report/SummaryWriter.h"

#include "report/OutputStream.h"
#include "core/text/PrizeAmount.h"
#include "core/check/WinTotal.h"

#include <string>

namespace kelmora::report {

void TSummaryWriter::End()
{
    const auto& classes = Draw().definition.classes;
    for (std::size_t c = 0; c < classes.size(); ++c) {
        Out().WriteText(classes[c].label);
        Out().Write("\t");
        Out().WriteText(classes[c].prize);
        Out().Write("\t");
        Out().Write(std::to_string(Result().WinsOfClass()[c]));
        Out().EndLine();
    }
    const TWinTotal& total = Result().Total();
    Out().WriteText("\x8D\x87\x8C\x76\t"); // 合計
    if (total.amount)
        Out().WriteText(FormatYen(*total.amount));
    Out().Write("\t");
    Out().Write(std::to_string(total.wins));
    Out().EndLine();
    if (total.leftOut.empty())
        return;
    Out().WriteText("\x8D\x87\x8C\x76\x82\xC9\x8A\xDC\x82\xDC\x82\xC8\x82\xA2\x93\x99\x8B\x89"); // 合計に含まない等級
    for (const std::size_t c : total.leftOut) {
        Out().Write("\t");
        Out().WriteText(classes[c].label);
    }
    Out().EndLine();
}

} // namespace kelmora::report
