#include "ui/browser/DirectoryListBox.h"

#include "core/base/KelmoraError.h"
#include "ui/browser/DirectoryEntryDelegate.h"
#include "ui/browser/DirectoryEntryModel.h"
#include "ui/browser/DriveComboBox.h"
#include "ui/browser/FileListBox.h"
#include "ui/platform/DirectorySearch.h"
#include "ui/platform/FileNames.h"
#include "ui/platform/MountTable.h"
#include "ui/platform/WorkingDirectory.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>

#include <algorithm>
#include <utility>

#include <unistd.h>

namespace kelmora::ui {

using platform::JoinPath;
using platform::TWorkingDirectory;

namespace {

// Makes a directory current on leaving the scope if it still exists; nothing is reported,
// as the failure that is on its way matters more.
class TReturnTo {
public:
    explicit TReturnTo(std::string directory) : directory_(std::move(directory)) {}
    TReturnTo(const TReturnTo&) = delete;
    TReturnTo& operator=(const TReturnTo&) = delete;
    ~TReturnTo()
    {
        if (!TWorkingDirectory::Exists(directory_))
            return;
        try {
            TWorkingDirectory::Set(directory_);
        } catch (const TKelmoraError&) {
            // Gone or closed since the check just above: the failure on its way says more.
        }
    }

private:
    std::string directory_;
};

// Subdirectory names in alphabetical order without regard to case. Where the volume ignores
// case, names equal but for case are one directory and appear once.
std::vector<std::string> SortedSubdirectories(const std::string& directory, bool caseSensitive)
{
    std::vector<std::pair<std::string, std::string>> keyed;
    for (std::string& name : platform::FindSubdirectories(directory))
        keyed.emplace_back(platform::FoldedSortKey(name), std::move(name));
    std::sort(keyed.begin(), keyed.end());
    std::vector<std::string> names;
    names.reserve(keyed.size());
    for (size_t i = 0; i < keyed.size(); ++i) {
        if (!caseSensitive && i > 0 && keyed[i].first == keyed[i - 1].first)
            continue;
        names.push_back(std::move(keyed[i].second));
    }
    return names;
}

bool HasWildcard(const std::string& name)
{
    return name.find_first_of("*?") != std::string::npos;
}

bool IsExistingFile(const std::string& name)
{
    return access(name.c_str(), F_OK) == 0 && !TWorkingDirectory::Exists(name);
}

} // namespace

TDirectoryListBox::TDirectoryListBox(QWidget* parent)
    : TListView(parent),
      model_(new TDirectoryEntryModel(listing_, this)),
      delegate_(new TDirectoryEntryDelegate(this))
{
    listing_.directory = TWorkingDirectory::StartingDirectory();
    if (const auto volume = platform::TMountTable::FindVolume(listing_.directory)) {
        listing_.preservesCase = volume->preservesCase;
        listing_.caseSensitive = volume->caseSensitive;
    }
    setModel(model_);
    setItemDelegate(delegate_);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void TDirectoryListBox::SetFileList(TFileListBox* fileList)
{
    fileList_ = fileList;
}

void TDirectoryListBox::SetDriveCombo(TDriveComboBox* drives)
{
    drives_ = drives;
}

const std::string& TDirectoryListBox::Directory() const
{
    return listing_.directory;
}

void TDirectoryListBox::SetItemHeight(int height)
{
    delegate_->SetItemHeight(height);
    doItemsLayout();
}

int TDirectoryListBox::ItemHeight() const
{
    return delegate_->ItemHeight();
}

std::string TDirectoryListBox::VolumeOfDirectory(const std::string& path) const
{
    const auto volume = platform::TMountTable::FindVolume(path);
    return volume ? volume->mountPoint : std::string("/");
}

bool TDirectoryListBox::SameDirectory(const std::string& a, const std::string& b) const
{
    return listing_.caseSensitive ? a == b : platform::SameFileName(a, b);
}

void TDirectoryListBox::SwitchDrive(const std::string& mountPoint)
{
    if (mountPoint == VolumeOfDirectory(listing_.directory))
        return;
    if (!mountPoint.empty())
        TWorkingDirectory::SetVolume(mountPoint);
    listing_.directory = TWorkingDirectory::Get();
    if (driveSwitching_)
        return;
    ListDirectories();
    if (fileList_)
        fileList_->FollowDirectory(listing_.directory);
}

void TDirectoryListBox::ListDirectories()
{
    listed_ = true;
    setUpdatesEnabled(false);
    int own = -1;
    {
        const TDirectoryEntryModel::ResetScope reset(*model_);
        listing_.entries.clear();
        if (const auto volume = platform::TMountTable::FindVolume(listing_.directory)) {
            listing_.preservesCase = volume->preservesCase;
            listing_.caseSensitive = volume->caseSensitive;
        } else {
            // Properties that cannot be read: show the names as they are, tell them apart by case.
            listing_.preservesCase = true;
            listing_.caseSensitive = true;
        }

        // "/" alone is its own entry; otherwise "/" and every ancestor's name, then the own name.
        std::string rest = listing_.directory;
        if (!rest.empty()) {
            bool first = true;
            if (rest.back() != '/') {
                for (size_t slash = rest.find('/'); slash != std::string::npos; slash = rest.find('/')) {
                    std::string piece = rest.substr(0, slash);
                    if (first)
                        piece += '/';
                    first = false;
                    listing_.entries.push_back({std::move(piece), TDirectoryEntryKind::Path});
                    rest.erase(0, slash + 1);
                }
            }
            listing_.entries.push_back({rest, TDirectoryEntryKind::Own});
        }
        own = static_cast<int>(listing_.entries.size()) - 1;

        for (std::string& name : SortedSubdirectories(listing_.directory, listing_.caseSensitive))
            listing_.entries.push_back({std::move(name), TDirectoryEntryKind::Subdirectory});
    }
    setUpdatesEnabled(true);
    SetHighlightedIndex(own);
}

std::string TDirectoryListBox::EntryPath(int index) const
{
    if (index < 0 || index >= static_cast<int>(listing_.entries.size()))
        return {};
    const TDirectoryEntry& entry = listing_.entries[static_cast<size_t>(index)];
    if (index == 0)
        return "/";
    switch (entry.kind) {
    case TDirectoryEntryKind::Subdirectory:
        return JoinPath(listing_.directory, entry.name);
    case TDirectoryEntryKind::Own:
        return listing_.directory;
    case TDirectoryEntryKind::Path:
        break;
    }
    // The ancestor ends before the (index + 1)-th "/" of the directory.
    const std::string& directory = listing_.directory;
    size_t end = 0;
    for (int found = 0; found <= index && end != std::string::npos; ++found)
        end = directory.find('/', found == 0 ? 0 : end + 1);
    return end == std::string::npos ? directory : directory.substr(0, end);
}

void TDirectoryListBox::EnterDirectory(const std::string& path)
{
    if (path.empty() || SameDirectory(path, listing_.directory))
        return;

    std::string target;
    {
        std::string remembered;
        try {
            remembered = TWorkingDirectory::Get();
        } catch (const TKelmoraError&) {
            // The current directory has gone: nothing to return to, and a bare name is then
            // taken nowhere (making it current fails and is reported).
        }
        const TReturnTo returnTo(remembered);
        // The last name and the directory it is in; a bare name is taken in the current one.
        const size_t slash = path.rfind('/');
        std::string directoryPart = slash == std::string::npos ? remembered
            : slash == 0                                       ? std::string("/")
                                                               : path.substr(0, slash);
        const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        if (!directoryPart.empty())
            TWorkingDirectory::Set(directoryPart);
        // A file's path, or a pattern, leads to the directory it is in.
        if (!name.empty() && !HasWildcard(name) && !IsExistingFile(name))
            TWorkingDirectory::Set(name);
        target = TWorkingDirectory::Get();
    }

    const std::string previous = listing_.directory;
    const std::string previousVolume = VolumeOfDirectory(previous);
    const std::string volume = VolumeOfDirectory(target);
    const bool switching = volume != previousVolume;
    try {
        if (switching) {
            // The chooser calls SwitchDrive back, which must not read the list a second time.
            const QScopedValueRollback<bool> switchingDrive(driveSwitching_, true);
            if (drives_)
                drives_->ChooseDrive(volume);
            else
                SwitchDrive(volume);
        }
        if (TWorkingDirectory::Exists(listing_.directory))
            TWorkingDirectory::Set(listing_.directory);
        TWorkingDirectory::Set(target);
        listing_.directory = TWorkingDirectory::Get();
    } catch (...) {
        // Back where the list was, the chooser on its volume again, the lists untouched.
        if (switching && drives_) {
            const QScopedValueRollback<bool> switchingDrive(driveSwitching_, true);
            try {
                drives_->ChooseDrive(previousVolume);
            } catch (const TKelmoraError&) {
                // The first failure is the one the user is told about.
            }
        }
        listing_.directory = previous;
        const TReturnTo returnTo(previous);
        throw;
    }

    ListDirectories();
    if (fileList_)
        fileList_->FollowDirectory(listing_.directory);
}

int TDirectoryListBox::HighlightedIndex() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TDirectoryListBox::SetHighlightedIndex(int index)
{
    if (index < 0 || index >= model_->rowCount()) {
        selectionModel()->clear();
        return;
    }
    setCurrentIndex(model_->index(index));
}

void TDirectoryListBox::OpenHighlightedEntry()
{
    const int index = HighlightedIndex();
    if (index >= 0)
        EnterDirectory(EntryPath(index));
}

void TDirectoryListBox::showEvent(QShowEvent* event)
{
    QListView::showEvent(event);
    if (!listed_)
        ListDirectories();
}

void TDirectoryListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid())
        OpenHighlightedEntry();
}

QItemSelectionModel::SelectionFlags TDirectoryListBox::selectionCommand(const QModelIndex& index,
                                                                        const QEvent* event) const
{
    // A click below the entries leaves the highlight where it is.
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    return QListView::selectionCommand(index, event);
}

void TDirectoryListBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        OpenHighlightedEntry();
        return;
    }
    TListView::keyPressEvent(event);
}

} // namespace kelmora::ui
