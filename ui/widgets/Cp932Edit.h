#pragma once

#include "core/base/ByteString.h"

#include <QLineEdit>

namespace kelmora::ui {

// A one-line edit box for data text, of any length: a character that Shift-JIS cannot hold is
// refused as it is typed or pasted (the box goes back to its text before that edit, then the
// standard error box says why), so what the box holds can always be written. Bytes that the
// user leaves alone keep their codes, also those that do not decode.
class TCp932Edit : public QLineEdit {
    Q_OBJECT
public:
    explicit TCp932Edit(QWidget* parent = nullptr);

    // Sets the text without counting it as the user's edit.
    void SetAcceptedText(const QString& text);
    // Shows `bytes` decoded; what the user does not edit of them stays as it was.
    void SetAcceptedBytes(std::string_view bytes);
    // The text as bytes (never refused: it was checked as it was typed).
    TByteString Bytes() const;

signals:
    // The user changed the text, and Shift-JIS can hold it (textEdited, after the check).
    void TextAccepted(const QString& text);

private:
    void TextEdited(const QString& text);

    QString accepted_;
    TByteString original_;
};

} // namespace kelmora::ui
