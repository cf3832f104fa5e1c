#include "ui/browser/DriveComboBox.h"

#include "core/base/KelmoraError.h"
#include "ui/browser/DirectoryListBox.h"
#include "ui/browser/DriveEntryDelegate.h"
#include "ui/browser/DriveListModel.h"
#include "ui/platform/FileNames.h"
#include "ui/platform/MountTable.h"
#include "ui/platform/WorkingDirectory.h"

#include <QListView>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include <utility>

namespace kelmora::ui {

using platform::TVolumeKind;

namespace {

std::string VolumeOfCurrentDirectory()
{
    try {
        const auto volume = platform::TMountTable::FindVolume(platform::TWorkingDirectory::Get());
        return volume ? volume->mountPoint : std::string();
    } catch (const TKelmoraError&) {
        // Started in a directory that has since gone: no volume is chosen.
        return {};
    }
}

// "mount point: [label]", or "mount point: source" for a network volume; labels and sources
// in lower case like the drive letters they stand beside. A volume without a label is named
// by its mount point alone: an empty "[]" says nothing.
std::string EntryText(const platform::TVolume& volume, const platform::TVolumeProbe& probe)
{
    if (volume.kind == TVolumeKind::Removable)
        return volume.mountPoint + ":"; // not asked for a label: the medium may be out
    std::string name;
    if (volume.kind == TVolumeKind::Network && !volume.source.empty())
        name = volume.source;
    else if (const std::string label = probe.label ? probe.label(volume.source) : std::string(); !label.empty())
        name = "[" + label + "]";
    if (name.empty())
        return volume.mountPoint;
    return volume.mountPoint + ": " + platform::LowerAsciiLetters(name);
}

} // namespace

TDriveComboBox::TDriveComboBox(QWidget* parent)
    : QComboBox(parent),
      drive_(VolumeOfCurrentDirectory()),
      probe_(platform::TVolumeProbe::System()),
      model_(new TDriveListModel(entries_, this)),
      delegate_(new TDriveEntryDelegate(this))
{
    setModel(model_);
    setItemDelegate(delegate_);
    if (auto* list = qobject_cast<QListView*>(view()))
        list->setUniformItemSizes(true);
    setCurrentIndex(-1);
    connect(this, &QComboBox::activated, this, &TDriveComboBox::EntryActivated);
}

void TDriveComboBox::SetDirList(TDirectoryListBox* dirList)
{
    dirList_ = dirList;
    if (dirList_)
        dirList_->SetDriveCombo(this);
}

void TDriveComboBox::SetVolumeProbe(platform::TVolumeProbe probe)
{
    probe_ = std::move(probe);
}

void TDriveComboBox::ListDrives()
{
    listed_ = true;
    {
        const TDriveListModel::ResetScope reset(*model_);
        entries_.clear();
        for (const platform::TVolume& volume : platform::TMountTable::Read(&probe_).Volumes()) {
            // Files bind-mounted over files (as in containers) are no volumes to browse.
            if (!platform::TWorkingDirectory::Exists(volume.mountPoint))
                continue;
            entries_.push_back({volume, EntryText(volume, probe_)});
        }
    }
    setCurrentIndex(-1);
}

void TDriveComboBox::ChooseDrive(const std::string& mountPoint)
{
    if (currentIndex() >= 0 && mountPoint == drive_)
        return;
    const std::string previousDrive = drive_;
    const int previousIndex = currentIndex();
    drive_ = mountPoint;
    int index = -1;
    for (size_t i = 0; i < entries_.size() && !mountPoint.empty(); ++i) {
        if (entries_[i].volume.mountPoint == mountPoint) {
            index = static_cast<int>(i);
            break;
        }
    }
    setCurrentIndex(index);
    if (!dirList_)
        return;
    try {
        dirList_->SwitchDrive(drive_);
    } catch (...) {
        // The lists stay where they were, so the chooser shows their volume again; otherwise
        // choosing the failed volume once more would count as no change.
        drive_ = previousDrive;
        setCurrentIndex(previousIndex);
        throw;
    }
}

void TDriveComboBox::EntryActivated(int index)
{
    if (index >= 0 && index < static_cast<int>(entries_.size()))
        ChooseDrive(entries_[static_cast<size_t>(index)].volume.mountPoint);
}

void TDriveComboBox::showEvent(QShowEvent* event)
{
    QComboBox::showEvent(event);
    if (listed_)
        return;
    ListDrives();
    ChooseDrive(drive_);
}

void TDriveComboBox::paintEvent(QPaintEvent*)
{
    // The frame and arrow as the style draws them, the entry as the popup draws it.
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    const int index = currentIndex();
    if (index < 0 || index >= static_cast<int>(entries_.size()))
        return;
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    painter.setFont(font());
    delegate_->PaintEntry(&painter, field, entries_[static_cast<size_t>(index)].volume.kind, itemText(index), palette(),
                          hasFocus());
}

} // namespace kelmora::ui
