#include "ui/browser/FileListBox.h"

#include "ui/browser/FileNameDelegate.h"
#include "ui/browser/FileNameModel.h"
#include "ui/platform/DirectorySearch.h"
#include "ui/platform/FileNames.h"
#include "ui/platform/MountTable.h"
#include "ui/platform/WorkingDirectory.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>

#include <algorithm>
#include <utility>

namespace kelmora::ui {

using platform::TWorkingDirectory;

namespace {

// Puts up the busy cursor when asked and always takes it down again, so the cursor that was
// there before comes back even when the listing fails.
class TBusyCursor {
public:
    explicit TBusyCursor(TFileListBox& list) : list_(list) {}
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
    ~TBusyCursor()
    {
        if (!shown_)
            return;
        QApplication::restoreOverrideCursor();
        emit list_.BusyCursorChanged(false);
    }

    void Show()
    {
        if (shown_)
            return;
        shown_ = true;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        emit list_.BusyCursorChanged(true);
    }

private:
    TFileListBox& list_;
    bool shown_ = false;
};

std::vector<std::string> SplitMask(const QString& mask)
{
    std::vector<std::string> patterns;
    for (const QString& pattern : mask.split(u';', Qt::SkipEmptyParts))
        patterns.push_back(QFile::encodeName(pattern).toStdString());
    return patterns;
}

// Alphabetical without regard to case; names equal but for case keep a fixed order.
void SortNames(std::vector<std::string>& names)
{
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(names.size());
    for (std::string& name : names)
        keyed.emplace_back(platform::FoldedSortKey(name), std::move(name));
    std::sort(keyed.begin(), keyed.end());
    for (size_t i = 0; i < names.size(); ++i)
        names[i] = std::move(keyed[i].second);
}

bool IsOnCaseSensitiveVolume(const std::string& directory)
{
    const auto volume = platform::TMountTable::FindVolume(directory);
    return !volume || volume->caseSensitive;
}

} // namespace

TFileListBox::TFileListBox(QWidget* parent)
    : TListView(parent),
      directory_(TWorkingDirectory::StartingDirectory()),
      model_(new TFileNameModel(names_, this)),
      delegate_(new TFileNameDelegate(this))
{
    setModel(model_);
    setItemDelegate(delegate_);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &TFileListBox::SelectionChanged);
}

void TFileListBox::SetMask(const QString& mask)
{
    mask_ = mask;
}

const std::string& TFileListBox::Directory() const
{
    return directory_;
}

void TFileListBox::SetItemHeight(int height)
{
    delegate_->SetItemHeight(height);
    doItemsLayout();
}

int TFileListBox::ItemHeight() const
{
    return delegate_->ItemHeight();
}

void TFileListBox::FollowDirectory(const std::string& path)
{
    // On a case-sensitive volume "Draws" and "draws" are two directories.
    const bool same =
        IsOnCaseSensitiveVolume(directory_) ? path == directory_ : platform::SameFileName(path, directory_);
    if (same)
        return;
    if (TWorkingDirectory::Exists(directory_))
        TWorkingDirectory::Set(directory_);
    TWorkingDirectory::Set(path);
    directory_ = TWorkingDirectory::Get();
    ListFiles();
}

void TFileListBox::ListFiles()
{
    TWorkingDirectory::Set(directory_);
    listed_ = true;
    {
        TBusyCursor busy(*this);
        std::vector<std::string> names;
        for (const std::string& pattern : SplitMask(mask_)) {
            platform::FindFiles(directory_, pattern, [&](std::string_view name) {
                names.emplace_back(name);
                if (names.size() == kBusyCursorEntry)
                    busy.Show();
            });
        }
        SortNames(names);
        listing_ = true;
        {
            const TFileNameModel::ResetScope reset(*model_);
            names_ = std::move(names);
        }
        listing_ = false;
    }
    NotifyChange();
}

std::string TFileListBox::SelectedFilePath() const
{
    const int index = SelectedIndex();
    return index < 0 ? std::string() : platform::JoinPath(directory_, names_[static_cast<size_t>(index)]);
}

int TFileListBox::SelectedIndex() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.front().row();
}

void TFileListBox::SetSelectedIndex(int index)
{
    if (index < 0 || index >= model_->rowCount()) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex item = model_->index(index);
    selectionModel()->setCurrentIndex(item, QItemSelectionModel::ClearAndSelect);
}

bool TFileListBox::SelectFileNamed(std::string_view name)
{
    const auto found = std::find(names_.begin(), names_.end(), name);
    if (found == names_.end())
        return false;
    SetSelectedIndex(static_cast<int>(found - names_.begin()));
    return true;
}

void TFileListBox::showEvent(QShowEvent* event)
{
    QListView::showEvent(event);
    if (!listed_)
        ListFiles();
}

QItemSelectionModel::SelectionFlags TFileListBox::selectionCommand(const QModelIndex& index, const QEvent* event) const
{
    // One file stays selected: a click with Ctrl on it does not take the selection away.
    const QItemSelectionModel::SelectionFlags flags = QListView::selectionCommand(index, event);
    if (index.isValid() && (flags & QItemSelectionModel::Deselect || flags & QItemSelectionModel::Toggle))
        return QItemSelectionModel::ClearAndSelect;
    if (!index.isValid() && (flags & QItemSelectionModel::Clear))
        return QItemSelectionModel::NoUpdate;
    return flags;
}

void TFileListBox::SelectionChanged()
{
    if (listing_ || SelectedIndex() == lastNotified_)
        return;
    NotifyChange();
}

void TFileListBox::NotifyChange()
{
    lastNotified_ = SelectedIndex();
    emit Change();
}

} // namespace kelmora::ui
