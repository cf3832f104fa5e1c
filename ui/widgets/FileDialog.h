#pragma once

#include <QString>
#include <QStringList>

#include <string>

class QWidget;

namespace kelmora::ui {

// A file dialog's settings, kept by the window between showings: on OK the chosen full path
// becomes the initial file name of the next showing.
class TFileDialog {
public:
    enum class Kind { Open, Save };

    // `filter` is "description|pattern|description|pattern...".
    TFileDialog(Kind kind, const QString& filter, const QString& defaultExt, const QString& fileName);

    // Shows the dialog modally; returns whether the user chose a file.
    bool Execute(QWidget* parent);

    // The chosen path, in the platform's native bytes.
    std::string FileName() const;
    // What the next showing starts on: a file, or a folder and a pattern ("folder/*.wkx").
    void SetFileName(const QString& fileName) { fileName_ = fileName; }

    // Qt's name filters for a "description|pattern|..." filter. The description is shown as
    // it is; "*.*" means every file, as it does for the users of such filters.
    static QStringList ToNameFilters(const QString& filter);

private:
    Kind kind_;
    QStringList nameFilters_;
    QString defaultExt_;
    QString fileName_;
};

} // namespace kelmora::ui
