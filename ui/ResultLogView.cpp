#include "ui/ResultLogView.h"

#include "core/base/KelmoraError.h"
#include "core/check/ResultLog.h"
#include "ui/platform/AvailableMemory.h"
#include "ui/text/Cp932.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string_view>

namespace kelmora::ui {
namespace {

constexpr std::size_t kLinesShownAtOnce = 1000;
constexpr std::size_t kLinesPerSlice = 20000;

// Measured by filling a text area of the window's size with reports of short and long lines.
constexpr std::size_t kCostPerByte = 3;
constexpr std::size_t kCostPerLine = 512;
// The text area counts characters in int; every byte becomes at most one UTF-16 unit.
constexpr std::size_t kMostCharacters = INT_MAX / 2;

const char* const kTooLargeToShow =
    "確認結果が大きすぎるため表示できません。結果は ファイル → 確認結果を保存 で保存できます";

// The offset just after the `lines`-th line feed counted back from `end`, or `begin` when
// there are not that many. A line feed is never part of a double-byte character.
std::size_t StartOfLastLines(std::string_view text, std::size_t begin, std::size_t end, std::size_t lines)
{
    std::size_t position = end;
    while (position > begin) {
        const std::size_t lf = text.rfind('\n', position - 1);
        if (lf == std::string_view::npos || lf < begin)
            return begin;
        if (lines-- == 0)
            return lf + 1;
        position = lf;
    }
    return begin;
}

std::size_t EndOfFirstLines(std::string_view text, std::size_t begin, std::size_t end, std::size_t lines)
{
    std::size_t position = begin;
    for (std::size_t n = 0; n < lines; ++n) {
        const std::size_t lf = text.find('\n', position);
        if (lf == std::string_view::npos || lf >= end)
            return end;
        position = lf + 1;
    }
    return position;
}

} // namespace

TResultLogView::TResultLogView(QPlainTextEdit& memo, TResultLog& log, QObject* parent)
    : QObject(parent),
      memo_(memo),
      log_(log),
      availableMemory_(platform::AvailableMemory)
{
    setObjectName(QStringLiteral("ResultLogView"));
    fillTimer_.setInterval(0);
    connect(&fillTimer_, &QTimer::timeout, this, &TResultLogView::FillSlice);
    Reload();
}

void TResultLogView::SetAvailableMemory(std::function<std::size_t()> availableMemory)
{
    availableMemory_ = std::move(availableMemory);
}

std::size_t TResultLogView::TextAreaCost(std::string_view bytes)
{
    const auto lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
    if (bytes.size() > (SIZE_MAX - lines * kCostPerLine) / kCostPerByte)
        return SIZE_MAX;
    return bytes.size() * kCostPerByte + lines * kCostPerLine;
}

void TResultLogView::EnsureFits(std::string_view bytes, std::size_t shown)
{
    if (bytes.size() <= kMostCharacters - std::min(shown, kMostCharacters) &&
        TextAreaCost(bytes) <= availableMemory_()) {
        if (tooLarge_) {
            tooLarge_ = false;
            memo_.setPlaceholderText(QString());
            memo_.setReadOnly(tooLargeWasReadOnly_);
        }
        return;
    }
    StopFilling();
    if (!tooLarge_) {
        tooLarge_ = true;
        tooLargeWasReadOnly_ = memo_.isReadOnly();
    }
    // Emptied, the text area also gives back what the earlier results held.
    memo_.clear();
    memo_.document()->setModified(false);
    memo_.setReadOnly(true);
    memo_.setPlaceholderText(QString::fromUtf8(kTooLargeToShow));
    throw TKelmoraError(kTooLargeToShow);
}

void TResultLogView::Reload()
{
    StopFilling();
    EnsureFits(log_.Text(), 0);
    memo_.setPlainText(DecodeCp932(log_.Text()));
    memo_.document()->setModified(false);
    ShowEnd();
}

void TResultLogView::ShowAppended(std::size_t shownBytes)
{
    const std::string_view text = log_.Text();
    // A lone CR shown as a line end would join the appended LF into one unit on a reload.
    if (shownBytes > text.size() ||
        (shownBytes > 0 && text[shownBytes - 1] == '\r' && shownBytes < text.size() && text[shownBytes] == '\n')) {
        Reload();
        return;
    }
    if (tooLarge_) {
        Reload();
        return;
    }
    FinishFilling();
    EnsureFits(text.substr(shownBytes), static_cast<std::size_t>(memo_.document()->characterCount()));
    QTextDocument& document = *memo_.document();
    const int end = document.characterCount() - 1;
    const std::size_t shownAtOnce = StartOfLastLines(text, shownBytes, text.size(), kLinesShownAtOnce);
    InsertAt(end, DecodeCp932(text.substr(shownAtOnce)));
    if (shownAtOnce > shownBytes) {
        pendingBegin_ = shownBytes;
        pendingEnd_ = shownAtOnce;
        pendingPosition_ = end;
        wasReadOnly_ = memo_.isReadOnly();
        memo_.setReadOnly(true);
        fillTimer_.start();
    }
    ShowEnd();
}

void TResultLogView::TakeUserEdits()
{
    // While a fill runs the text area is read-only, so there is nothing to take then.
    QTextDocument& document = *memo_.document();
    if (tooLarge_ || !document.isModified())
        return;
    FinishFilling();
    const std::string_view old = log_.Text();
    const QString before = DecodeCp932(old);
    const QString after = document.toPlainText();
    // Only the edited stretch passes through the encoder; the bytes around it stay.
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    const TByteString edited = EncodeCp932(QStringView(after).sliced(prefix, after.size() - prefix - suffix));
    const std::size_t editBegin = Cp932UnitOffset(old, static_cast<std::size_t>(prefix));
    const std::size_t editEnd = Cp932UnitOffset(old, static_cast<std::size_t>(before.size() - suffix));
    TByteString text;
    text.reserve(editBegin + edited.size() + (old.size() - editEnd));
    text.append(old.substr(0, editBegin)).append(edited).append(old.substr(editEnd));
    // A lone CR left before a kept LF would read back as one line end where the user sees two.
    if (DecodeCp932(text) != after)
        text = EncodeCp932(after);
    log_.SetText(std::move(text));
    document.setModified(false);
}

void TResultLogView::FinishFilling()
{
    while (Filling())
        FillSlice();
}

void TResultLogView::InsertAt(int position, const QString& text)
{
    QTextDocument& document = *memo_.document();
    // The program's own inserts are not the user's to undo; an undo stack would also keep a
    // second copy of every check's report.
    document.setUndoRedoEnabled(false);
    QTextCursor cursor(&document);
    cursor.setPosition(position);
    cursor.insertText(text);
    document.setUndoRedoEnabled(true);
    document.setModified(false);
}

void TResultLogView::FillSlice()
{
    if (!Filling()) {
        fillTimer_.stop();
        return;
    }
    const std::string_view text = log_.Text();
    const std::size_t sliceEnd = EndOfFirstLines(text, pendingBegin_, pendingEnd_, kLinesPerSlice);
    const QString slice = DecodeCp932(text.substr(pendingBegin_, sliceEnd - pendingBegin_));
    // Lines go in above what the user looks at; keep the view where it was from the bottom.
    QScrollBar& bar = *memo_.verticalScrollBar();
    const int fromBottom = bar.maximum() - bar.value();
    InsertAt(pendingPosition_, slice);
    bar.setValue(bar.maximum() - fromBottom);
    pendingPosition_ += static_cast<int>(slice.size());
    pendingBegin_ = sliceEnd;
    if (!Filling())
        StopFilling();
}

void TResultLogView::StopFilling()
{
    if (fillTimer_.isActive() || Filling())
        memo_.setReadOnly(wasReadOnly_);
    fillTimer_.stop();
    pendingBegin_ = pendingEnd_ = 0;
}

void TResultLogView::ShowEnd()
{
    memo_.moveCursor(QTextCursor::End);
    memo_.ensureCursorVisible();
}

} // namespace kelmora::ui
