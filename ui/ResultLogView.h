#pragma once

#include <QObject>
#include <QTimer>

#include <cstddef>
#include <functional>
#include <string_view>

class QPlainTextEdit;

namespace kelmora {
class TResultLog;
}

namespace kelmora::ui {

// Keeps the results text area and the core's results log the same. The log's bytes are the
// truth: they reach the text area decoded, and come back only where the user edited them, so
// codes that do not survive a round trip through Unicode stay as they were.
class TResultLogView : public QObject {
public:
    TResultLogView(QPlainTextEdit& memo, TResultLog& log, QObject* parent);

    // After the core replaced the log's text.
    void Reload();
    // After the core appended to the log, which held `shownBytes` bytes before.
    void ShowAppended(std::size_t shownBytes);
    // Before the core reads the log or appends to it: the user's edits since the last call
    // become part of the log. Text that Shift-JIS cannot hold is refused (TKelmoraError) and
    // the log stays as it was.
    void TakeUserEdits();

    // A large append shows its last lines at once and puts the lines before them into the
    // text area in slices between events, read-only meanwhile.
    bool Filling() const { return pendingBegin_ < pendingEnd_; }
    void FinishFilling();

    // A report whose text would need more memory than the process can still get is not shown:
    // the text area stays empty and read-only, the log keeps every byte (it can still be
    // saved), and Reload and ShowAppended throw TKelmoraError saying so. Tests replace the
    // figure of what the process can still get.
    bool TooLargeToShow() const { return tooLarge_; } // for the tests only
    void SetAvailableMemory(std::function<std::size_t()> availableMemory);
    // What the text area takes for `bytes` of the log, measured on Qt 6: about 2 bytes per
    // character for the text and some 470 bytes per line for its block and layout.
    static std::size_t TextAreaCost(std::string_view bytes);

private:
    // Throws when `bytes` of the log cannot be shown beside the `shown` characters already
    // there; leaves the too-large state otherwise.
    void EnsureFits(std::string_view bytes, std::size_t shown);

    void InsertAt(int position, const QString& text);
    void FillSlice();
    void StopFilling();
    void ShowEnd();

    QPlainTextEdit& memo_;
    TResultLog& log_;
    QTimer fillTimer_;
    std::size_t pendingBegin_ = 0; // bytes of the log still to be put in the text area
    std::size_t pendingEnd_ = 0;
    int pendingPosition_ = 0; // where they go in the text area
    bool wasReadOnly_ = false;
    std::function<std::size_t()> availableMemory_;
    bool tooLarge_ = false;
    bool tooLargeWasReadOnly_ = false;
};

} // namespace kelmora::ui
