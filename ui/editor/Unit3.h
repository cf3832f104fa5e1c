#pragma once

#include "core/draw/DrawDraft.h"
#include "core/results/ResultsText.h"
#include "ui/widgets/FileDialog.h"
#include "ui/widgets/GrowthLayout.h"

#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QShortcut;

namespace kelmora::ui {

class TCp932Edit;
class TDrawGrid;
class TDrawTableModel;

// The draw editor: the draw's name and its prize classes, saved as a definition file.
class TForm3 : public QWidget {
    Q_OBJECT
public:
    // `path` is the file being edited (empty for a new draw), `onDisk` the bytes it was read
    // from, against which a save tells whether the file changed meanwhile; a new draw's save
    // dialog starts in `folder`. Paths are native bytes.
    TForm3(TDrawDraft draft, std::string path, std::optional<TByteString> onDisk, const std::string& folder,
           QWidget* parent);

    // For the tests only: what the window holds.
    const TDrawDraft& Draft() const { return draft_; }
    // The file the draw is saved to; empty until a new draw's first save.
    const std::string& Path() const { return path_; }

    // Whether the draw differs from what was last opened or saved (the cell being edited
    // counts).
    bool HasUnsavedChanges();
    // Saves as Button5 does; returns whether the draw was written.
    bool Save();
    // Closes without asking: the user has already answered for this window.
    void CloseDiscarding();

    // Announced results as the table's classes, asking before the rows there give way.
    void UseResults(const TResultsDraw& draw);

    // Event handlers.
    void Edit1Change(const QString& text);
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void Button9Click();
    void Button10Click();
    void Button11Click();
    void Button12Click();
    void StringGrid1CurrentCellChanged();

signals:
    // The draw was written to `path` (native bytes).
    void Saved(const std::string& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    // A results file (.csv, .txt) dropped on the window fills the table as a pasted one does.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QLabel* Label1 = nullptr;         // Label1: caption "クジの種類" of Edit1
    TCp932Edit* Edit1 = nullptr;      // Edit1: the draw's name (EVENT)
    TDrawGrid* StringGrid1 = nullptr; // StringGrid1: the prize classes, columns 等級, 当選番号, 賞, 判定
    QPushButton* Button1 = nullptr;   // Button1: adds a row below the current one (Ctrl+Insert)
    QPushButton* Button2 = nullptr;   // Button2: removes the current row (Ctrl+Delete)
    QPushButton* Button3 = nullptr;   // Button3: moves the current row up (Ctrl+Up)
    QPushButton* Button4 = nullptr;   // Button4: moves the current row down (Ctrl+Down)
    QPushButton* Button5 = nullptr;   // Button5: saves (Ctrl+S)
    QPushButton* Button6 = nullptr;   // Button6: closes, asking before discarding changes (Escape)
    QPushButton* Button7 = nullptr;   // Button7: "ジャンボの型...", adds a jumbo draw's classes (Ctrl+J)
    QPushButton* Button8 = nullptr;   // Button8: "名前を付けて保存", saves under a new name (Ctrl+Shift+S)
    QPushButton* Button9 = nullptr;   // Button9: "結果の貼り付け...", classes from announced results (Ctrl+Shift+V)
    QPushButton* Button10 = nullptr;  // Button10: "ロトの型...", adds a ロト draw's classes (Ctrl+L)
    QPushButton* Button11 = nullptr;  // Button11: "ナンバーズの型...", adds a ナンバーズ draw's classes (Ctrl+U)
    QPushButton* Button12 = nullptr;  // Button12: "ビンゴ5の型...", adds a ビンゴ5 draw's classes (Ctrl+B)
    QLabel* Label2 = nullptr;         // Label2: the current cell's size near the limit, what a save did
    TFileDialog SaveDialog1;          // SaveDialog1: the file name of a new draw, or a new name

    void BuildGrowth();
    void MoveCurrentRow(int step);
    void ShowNote(const QString& note);
    bool SaveAs();
    // Rows a template made, then on to the first class whose numbers are still to be typed.
    void AddTemplateRows(std::vector<TDrawDraft::Row> rows);
    // Asks before a class under the ending rule that holds a ロト set is saved; returns whether to go on.
    bool ConfirmLotoSets();
    bool SaveTo(const std::string& path);
    bool MayReplace(const std::string& path);
    void ShowSaved(const TDefinitionText& written);

    TDrawDraft draft_;
    std::string path_;
    // The file's bytes as this window last read or wrote them (none for a new draw), to
    // notice a change made elsewhere before replacing it.
    std::optional<TByteString> onDisk_;
    bool discarding_ = false;
    TDrawTableModel* model_ = nullptr;
    TGrowthLayout growth_;
};

} // namespace kelmora::ui
