#pragma once

#include "ui/widgets/ListView.h"

#include <string>
#include <string_view>
#include <vector>

namespace kelmora::ui {

class TFileNameDelegate;
class TFileNameModel;

// The list of definition files in the browsed directory.
class TFileListBox : public TListView {
    Q_OBJECT
public:
    explicit TFileListBox(QWidget* parent = nullptr);

    void SetMask(const QString& mask); // patterns separated by ';'
    void FollowDirectory(const std::string& path);
    void ListFiles();
    // Directory joined with the selected name (native path bytes); empty when none is selected.
    std::string SelectedFilePath() const;
    const std::string& Directory() const;

    // The names as listed, native bytes.
    const std::vector<std::string>& FileNames() const { return names_; }
    int SelectedIndex() const;
    // Selects an entry (-1: none) as the user would, notifying when it differs from the last
    // notified one.
    void SetSelectedIndex(int index);
    // Selects the entry listed as `name` (native bytes) as SetSelectedIndex does; returns
    // whether there was one.
    bool SelectFileNamed(std::string_view name);
    // For the tests only: the entry the last change was announced for.
    int LastNotifiedIndex() const { return lastNotified_; }

    void SetItemHeight(int height);
    int ItemHeight() const;

    // From this entry on, a listing shows the busy cursor.
    static constexpr int kBusyCursorEntry = 101;

signals:
    // OnChange: once per listing and per new selection.
    void Change();
    // The busy cursor has just been put up (true) or taken down again (false).
    void BusyCursorChanged(bool busy);

protected:
    void showEvent(QShowEvent* event) override;
    int EntryHeight() const override { return ItemHeight(); }
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;

private:
    void SelectionChanged();
    void NotifyChange();

    std::string directory_;
    QString mask_;
    std::vector<std::string> names_;
    int lastNotified_ = -1;
    bool listing_ = false;
    bool listed_ = false;
    TFileNameModel* model_ = nullptr;
    TFileNameDelegate* delegate_ = nullptr;
};

} // namespace kelmora::ui
