#include "cli/BatchCheck.h"

#include "cli/CheckOptions.h"
#include "cli/CheckedDraw.h"
#include "cli/CsvWriter.h"
#include "cli/JsonWriter.h"
#include "cli/LogWriter.h"
#include "cli/OutputStream.h"
#include "cli/SummaryWriter.h"
#include "core/FileIdentity.h"
#include "core/HugePages.h"
#include "core/KelmoraError.h"
#include "core/LineFile.h"
#include "core/ProfileFile.h"
#include "core/SafeFileWriter.h"
#include "core/WinFinder.h"

#include <iostream>
#include <memory>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace kelmora::cli {
namespace {

// The save replaces the output file after the inputs were read, so an output that is an input
// would silently turn the tickets (or the draw) into the results.
void RefuseOutputOverInput(const TCheckOptions& options)
{
    if (!options.output)
        return;
    const auto output = IdentityOfPath(*options.output);
    if (!output)
        return;
    std::vector<std::string> inputs{options.draw};
    inputs.insert(inputs.end(), options.tickets.begin(), options.tickets.end());
    for (const std::string& input : inputs) {
        const auto identity = input == "-" ? IdentityOfDescriptor(STDIN_FILENO) : IdentityOfPath(input);
        if (identity == output)
            throw TKelmoraError("the output file " + *options.output + " is the input " +
                                (input == "-" ? std::string("on standard input") : input) + "; nothing was written");
    }
}

TLineList ReadTickets(const std::vector<std::string>& paths)
{
    // Each file is split on its own: a last line without a line break stays a line.
    TLineList tickets;
    for (const std::string& path : paths)
        tickets.append(SplitLines(path == "-" ? ReadWholeStream(STDIN_FILENO, path) : ReadWholeFile(path)));
    return tickets;
}

std::vector<std::unique_ptr<TReportWriter>> WritersFor(const TCheckOptions& options, TOutputStream& out)
{
    std::vector<std::unique_ptr<TReportWriter>> writers;
    switch (options.form) {
    case TOutputForm::Log:
        writers.push_back(std::make_unique<TLogWriter>(out));
        break;
    case TOutputForm::Csv:
        writers.push_back(std::make_unique<TCsvWriter>(out));
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
void PrepareHeapForDraw(const std::string& drawPath)
{
    struct stat st {};
    if (::stat(drawPath.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        WarmUpHeap(static_cast<std::size_t>(st.st_size) * 16);
}

} // namespace

void RunBatchCheck(const TCheckOptions& options)
{
    RefuseOutputOverInput(options);
    PrepareHeapForDraw(options.draw);
    const TCheckedDraw draw(LoadDefinition(TProfileFile::Load(options.draw)));
    const TLineList tickets = ReadTickets(options.tickets);
    const TWinFinder wins(draw.state.winningTable.Numbers(), tickets);

    const bool utf8 = options.utf8 || options.form == TOutputForm::Json;
    // The inputs are read and checked before the output is touched: bad input changes nothing.
    TSafeFileWriter file;
    if (options.output)
        file.Open(*options.output);
    TOutputStream out = options.output ? TOutputStream(file, utf8) : TOutputStream(STDOUT_FILENO, utf8);
    const auto writers = WritersFor(options, out);
    for (const auto& writer : writers)
        writer->Begin(draw);
    wins.ForEachWin([&](std::size_t entry, std::size_t ticket) {
        for (const auto& writer : writers)
            writer->Win(entry, tickets[ticket]);
    });
    for (const auto& writer : writers)
        writer->End();

    out.Flush();
    if (options.output)
        file.Commit();
    if (out.HadUndecodableBytes())
        std::cerr << "kelmora-check: warning: bytes that are no Shift-JIS character were written as U+FFFD\n";
}

} // namespace kelmora::cli
