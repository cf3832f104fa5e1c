#include "ui/widgets/FileDialog.h"

#include "ui/widgets/FileIconProvider.h"
#include "ui/widgets/WindowPlacement.h"

#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>

namespace kelmora::ui {
namespace {

// A name with wildcards, such as the initial "*.wkn", filters the list instead of naming a
// file, as users of these dialogs expect; pressing OK on it must not create a file "*.wkn".
class TWildcardFilteringDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

protected:
    void accept() override
    {
        const QStringList files = selectedFiles();
        const QFileInfo chosen(files.value(0));
        const QString name = chosen.fileName();
        if (!name.contains(u'*') && !name.contains(u'?')) {
            QFileDialog::accept();
            return;
        }
        if (chosen.absolutePath() != directory().absolutePath())
            setDirectory(chosen.absolutePath());
        const QString filter = QStringLiteral("%1 (%1)").arg(name);
        for (const QString& existing : nameFilters()) {
            if (existing.endsWith(QStringLiteral("(%1)").arg(name))) {
                selectNameFilter(existing);
                return;
            }
        }
        setNameFilters(QStringList(filter) + nameFilters());
        selectNameFilter(filter);
    }
};

} // namespace

TFileDialog::TFileDialog(Kind kind, const QString& filter, const QString& defaultExt, const QString& fileName)
    : kind_(kind),
      nameFilters_(ToNameFilters(filter)),
      defaultExt_(defaultExt),
      fileName_(fileName)
{}

bool TFileDialog::Execute(QWidget* parent)
{
    // Listing a folder must never read a file: no type guessed from contents, no folder icon
    // read from a file inside it. The provider outlives the dialog's model, which uses it.
    TFileIconProvider iconProvider;
    TWildcardFilteringDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontUseCustomDirectoryIcons);
    dialog.setIconProvider(&iconProvider);
    dialog.setAcceptMode(kind_ == Kind::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    // A name that does not exist is accepted; opening it then reports the error.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    // Our filters carry their patterns twice: once in the description the user reads.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(nameFilters_);
    dialog.setDefaultSuffix(defaultExt_);
    if (!fileName_.isEmpty())
        dialog.selectFile(fileName_);
    // The size and type columns are as wide as what they show, not cut to a few letters.
    if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        details->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
        details->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    }
    PlaceDialog(dialog, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return false;
    fileName_ = files.front();
    return true;
}

std::string TFileDialog::FileName() const
{
    return QFile::encodeName(fileName_).toStdString();
}

QStringList TFileDialog::ToNameFilters(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            if (pattern.trimmed() == u"*.*")
                pattern = QStringLiteral("*");
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(u' '));
    }
    return filters;
}

} // namespace kelmora::ui
