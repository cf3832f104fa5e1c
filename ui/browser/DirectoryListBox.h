#pragma once

#include "ui/browser/DirectoryListing.h"
#include "ui/widgets/ListView.h"

#include <QPointer>

#include <string>

namespace kelmora::ui {

class TDirectoryEntryDelegate;
class TDirectoryEntryModel;
class TFileListBox;
class TDriveComboBox;

// The browsed directory's path from the root, then its subdirectories.
class TDirectoryListBox : public TListView {
    Q_OBJECT
public:
    explicit TDirectoryListBox(QWidget* parent = nullptr);

    void SetFileList(TFileListBox* fileList);
    void SetDriveCombo(TDriveComboBox* drives);
    void EnterDirectory(const std::string& path);
    // Moves to the volume mounted at mountPoint (empty: stays where it is).
    void SwitchDrive(const std::string& mountPoint);
    void ListDirectories();
    std::string EntryPath(int index) const;
    const std::string& Directory() const;

    const std::vector<TDirectoryEntry>& Entries() const { return listing_.entries; }
    // For the tests only: the volume's case flags as the listing took them.
    bool PreservesCase() const { return listing_.preservesCase; }
    bool CaseSensitive() const { return listing_.caseSensitive; }
    // The highlighted entry, -1 for none.
    int HighlightedIndex() const;
    void SetHighlightedIndex(int index);
    // What a double-click or the Enter key does: enters the highlighted entry.
    void OpenHighlightedEntry();

    void SetItemHeight(int height);
    int ItemHeight() const;

protected:
    void showEvent(QShowEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    int EntryHeight() const override { return ItemHeight(); }
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;

private:
    bool SameDirectory(const std::string& a, const std::string& b) const;
    std::string VolumeOfDirectory(const std::string& path) const;

    QPointer<TFileListBox> fileList_;
    QPointer<TDriveComboBox> drives_;
    TDirectoryListing listing_;
    bool driveSwitching_ = false;
    bool listed_ = false;
    TDirectoryEntryModel* model_ = nullptr;
    TDirectoryEntryDelegate* delegate_ = nullptr;
};

} // namespace kelmora::ui
