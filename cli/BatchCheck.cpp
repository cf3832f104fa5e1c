#include "cli/BatchCheck.h"

#include "cli/CheckOptions.h"
#include "report/CsvWriter.h"
#include "report/JsonWriter.h"
#include "report/LogWriter.h"
#include "report/OutputStream.h"
#include "report/SummaryWriter.h"
#include "report/TicketsWriter.h"
#include "cli/Translation.h"
#include "report/XlsxWriter.h"
#include "core/base/FileDescriptor.h"
#include "core/files/FileIdentity.h"
#include "core/base/HugePages.h"
#include "core/base/KelmoraError.h"
#include "core/files/LineFile.h"
#include "core/draw/LotteryDefinition.h"
#include "core/draw/ProfileFile.h"
#include "core/files/SafeFileWriter.h"
#include "core/text/Utf8ToCp932.h"
#include "core/check/CheckResult.h"

#include <cstdlib>
#include <ctime>
#include <iostream>
#include <memory>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace kelmora::cli {
namespace {

using report::TCsvWriter;
using report::TJsonWriter;
using report::TLogWriter;
using report::TOutputStream;
using report::TReportWriter;
using report::TSummaryWriter;
using report::TTicketsWriter;
using report::TXlsxWriter;
using report::WriteReport;

// One input as it was opened: standard input only for a ticket file named "-".
struct TInput {
    std::string name;
    TFileDescriptor file; // not valid for standard input
    int Descriptor() const { return file.Valid() ? file.Get() : STDIN_FILENO; }
};

std::vector<TInput> OpenTickets(const std::vector<std::string>& paths)
{
    std::vector<TInput> inputs;
    inputs.reserve(paths.size());
    for (const std::string& path : paths)
        inputs.push_back({path, path == "-" ? TFileDescriptor() : OpenForReading(path)});
    return inputs;
}

TLineList ReadTickets(const TCheckOptions& options, const std::vector<TInput>& inputs)
{
    // Each file is split on its own: a last line without a line break stays a line.
    TLineList tickets;
    for (const TInput& input : inputs) {
        TLineList::TBuffer bytes = input.file.Valid() ? ReadOpenFileForLines(input.file.Get(), input.name)
                                                     : ReadWholeStreamForLines(STDIN_FILENO, {});
        if (options.EncodingOf(input.name) != TInputEncoding::Utf8) {
            tickets.append(SplitLines(std::move(bytes)));
            continue;
        }
        TByteString converted = Utf8ToCp932({bytes.data(), bytes.size()},
                                            input.file.Valid() ? AbsolutePathText(input.name) : Tr("standard input"));
        bytes = {}; // gone before the split copies the converted bytes
        tickets.append(SplitLines(converted));
    }
    return tickets;
}

// A draw from which no class is read (an empty file, a ticket file given in its place, No=0)
// would check nothing and look like "nothing won".
TLotteryDefinition ReadDraw(const TInput& input)
{
    TLotteryDefinition definition = LoadDefinition(
        ParseDefinitionProfile(TProfileFile::Cp932Bytes(ReadOpenFile(input.file.Get(), input.name), input.name)));
    if (definition.classes.empty())
        throw TKelmoraError("%s defines no prize class; a draw (.wkx) is expected, with the number of classes "
                            "in [Ver] No= and each class's Hit, No and SHO in [Hit]",
                            {AbsolutePathText(input.name)});
    return definition;
}

// The check's time as the workbook states it; SOURCE_DATE_EPOCH, where set, makes a run
// repeatable.
std::time_t CheckTime()
{
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch != nullptr && *epoch != '\0') {
        char* end = nullptr;
        const long long seconds = std::strtoll(epoch, &end, 10);
        if (*end == '\0')
            return static_cast<std::time_t>(seconds);
    }
    return std::time(nullptr);
}

// The save replaces the output file after the inputs were read, so an output that is an input
// would silently turn the tickets (or the draw) into the results. What is compared is what was
// really opened on both sides; a device or pipe as the output replaces nothing.
void RefuseOutputOverInput(const TCheckOptions& options, const TSafeFileWriter& file, const TInput& draw,
                           const std::vector<TInput>& tickets)
{
    const auto output = file.ReplacedFile();
    if (!output)
        return;
    const auto refuseIfSame = [&](const TInput& input) {
        if (IdentityOfDescriptor(input.Descriptor()) == output)
            throw TKelmoraError("the output file %s is the input %s; nothing was written",
                                {*options.output, input.file.Valid() ? input.name : Tr("on standard input")});
    };
    refuseIfSame(draw);
    for (const TInput& ticket : tickets)
        refuseIfSame(ticket);
}

std::vector<std::unique_ptr<TReportWriter>> WritersFor(const TCheckOptions& options, TOutputStream& out)
{
    std::vector<std::unique_ptr<TReportWriter>> writers;
    switch (options.form) {
    case TOutputForm::Log:
        writers.push_back(std::make_unique<TLogWriter>(out));
        break;
    case TOutputForm::Csv:
        writers.push_back(std::make_unique<TCsvWriter>(out, !options.raw, options.bom));
        break;
    case TOutputForm::Tickets:
        writers.push_back(std::make_unique<TTicketsWriter>(out, !options.raw, options.bom));
        break;
    case TOutputForm::Xlsx:
        writers.push_back(std::make_unique<TXlsxWriter>(out, options.output.value_or(std::string())));
        break;
    case TOutputForm::Json:
        writers.push_back(std::make_unique<TJsonWriter>(out));
        break;
    case TOutputForm::Summary:
        break;
    }
    if (options.summary || options.form == TOutputForm::Summary)
        writers.push_back(std::make_unique<TSummaryWriter>(out));
    return writers;
}

// The draw's structures take about sixteen times its file's size.
void PrepareHeapForDraw(int drawFile)
{
    struct stat st {};
    if (::fstat(drawFile, &st) == 0 && S_ISREG(st.st_mode))
        WarmUpHeap(static_cast<std::size_t>(st.st_size) * 16);
}

} // namespace

void RunBatchCheck(const TCheckOptions& options)
{
    // A draw named "-" is a file: only ticket files may come from standard input.
    const TInput drawInput{options.draw, OpenForReading(options.draw)};
    const std::vector<TInput> ticketInputs = OpenTickets(options.tickets);
    PrepareHeapForDraw(drawInput.file.Get());
    auto draw = std::make_shared<const TCheckedDraw>(ReadDraw(drawInput));
    const TCheckResult result(std::move(draw), std::make_shared<const TLineList>(ReadTickets(options, ticketInputs)),
                              CheckTime());

    // A workbook is bytes of its own: the output adds no encoding.
    const bool utf8 = (options.utf8 || options.form == TOutputForm::Json) && options.form != TOutputForm::Xlsx;
    // The inputs are read and checked before the output is touched: bad input changes nothing.
    TSafeFileWriter file;
    if (options.output) {
        file.Open(*options.output);
        RefuseOutputOverInput(options, file, drawInput, ticketInputs);
    }
    TOutputStream out = options.output ? TOutputStream(file, utf8) : TOutputStream(STDOUT_FILENO, utf8);
    WriteReport(result, WritersFor(options, out));

    out.Flush();
    if (options.output)
        file.Commit();
    if (out.HadUndecodableBytes())
        std::cerr << "kelmora-check: " << Tr("warning: bytes that are no Shift-JIS character were written as U+FFFD")
                  << '\n';
}

} // namespace kelmora::cli
