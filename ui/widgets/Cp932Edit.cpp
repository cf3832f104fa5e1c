#include "ui/widgets/Cp932Edit.h"

#include "core/base/KelmoraError.h"
#include "ui/text/Cp932.h"

#include <algorithm>
#include <limits>
#include <string>

namespace kelmora::ui {

TCp932Edit::TCp932Edit(QWidget* parent) : QLineEdit(parent)
{
    // A line edit cuts what is typed or pasted at 32,767 characters without a word.
    setMaxLength(std::numeric_limits<int>::max());
    connect(this, &QLineEdit::textEdited, this, &TCp932Edit::TextEdited);
}

void TCp932Edit::SetAcceptedText(const QString& text)
{
    original_.clear();
    accepted_ = text;
    setText(text);
}

void TCp932Edit::SetAcceptedBytes(std::string_view bytes)
{
    original_ = bytes;
    accepted_ = DecodeCp932(bytes);
    setText(accepted_);
}

TByteString TCp932Edit::Bytes() const
{
    return EncodeCp932Edit(original_, text());
}

void TCp932Edit::TextEdited(const QString& text)
{
    try {
        EncodeCp932Edit(original_, text);
    } catch (const TKelmoraError& error) {
        // Back to the last text that could be written. The error box explains once the key
        // has been handled: an exception must not cross the edit box's own key handling.
        const int cursor = std::min(cursorPosition(), static_cast<int>(accepted_.size()));
        setText(accepted_);
        setCursorPosition(cursor);
        const std::string message = error.what();
        QMetaObject::invokeMethod(
            this, [message] { throw TKelmoraError(message); }, Qt::QueuedConnection);
        return;
    }
    accepted_ = text;
    emit TextAccepted(text);
}

} // namespace kelmora::ui
