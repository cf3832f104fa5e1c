#pragma once

#include "ui/browser/DriveEntry.h"
#include "ui/platform/VolumeProbe.h"

#include <QComboBox>
#include <QPointer>

#include <string>
#include <vector>

namespace kelmora::ui {

class TDriveEntryDelegate;
class TDriveListModel;
class TDirectoryListBox;

// The mounted volumes a person would browse.
class TDriveComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TDriveComboBox(QWidget* parent = nullptr);

    void SetDirList(TDirectoryListBox* dirList);
    void ListDrives();
    // Chooses the volume mounted at mountPoint (empty: none) and moves the directory list there.
    void ChooseDrive(const std::string& mountPoint);

    // The chosen volume's mount point, empty for none.
    const std::string& Drive() const { return drive_; }
    // For the tests only: the volumes as listed.
    const std::vector<TDriveEntry>& Drives() const { return entries_; }
    // Where labels and removable media are looked up (tests use a made-up tree).
    void SetVolumeProbe(platform::TVolumeProbe probe);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void EntryActivated(int index);

    QPointer<TDirectoryListBox> dirList_;
    std::string drive_;
    std::vector<TDriveEntry> entries_;
    platform::TVolumeProbe probe_;
    bool listed_ = false;
    TDriveListModel* model_ = nullptr;
    TDriveEntryDelegate* delegate_ = nullptr;
};

} // namespace kelmora::ui
