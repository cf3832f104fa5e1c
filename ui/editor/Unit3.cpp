#include "ui/editor/Unit3.h"

#include "core/draw/DefinitionWriter.h"
#include "core/draw/NumberSelectionTemplates.h"
#include "core/base/KelmoraError.h"
#include "core/files/LineFile.h"
#include "ui/editor/DrawGrid.h"
#include "ui/editor/DrawTableModel.h"
#include "ui/editor/Unit5.h"
#include "ui/editor/Unit6.h"
#include "ui/editor/Unit7.h"
#include "ui/editor/Unit8.h"
#include "ui/editor/Unit9.h"
#include "ui/platform/FileNames.h"
#include "ui/text/Cp932.h"
#include "ui/widgets/Cp932Edit.h"
#include "ui/widgets/FormLayout.h"
#include "ui/widgets/ReplaceQuestion.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QResizeEvent>
#include <QShortcut>

#include <utility>

namespace kelmora::ui {
namespace {

const QString kCaption = QStringLiteral("クジの種類の編集");
const QString kDrawFilter = QStringLiteral("Kelmora(*.wkx)|*.wkx");
constexpr QSize kDrawnSize(560, 431);
constexpr int kNumbersColumnWidth = 170;

QPushButton* MakeButton(const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setAutoDefault(false);
    return button;
}

QString StartName(const std::string& folder)
{
    return folder.empty() ? QStringLiteral("*.wkx") : QFile::decodeName(QByteArray::fromStdString(folder)) + "/*.wkx";
}

} // namespace

TForm3::TForm3(TDrawDraft draft, std::string path, std::optional<TByteString> onDisk, const std::string& folder,
               QWidget* parent)
    : QWidget(parent, Qt::Window),
      SaveDialog1(TFileDialog::Kind::Save, kDrawFilter, QStringLiteral("wkx"), StartName(folder)),
      draft_(std::move(draft)),
      path_(std::move(path)),
      onDisk_(std::move(onDisk))
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(kCaption);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(FormFont());
    setMinimumSize(kDrawnSize);
    resize(kDrawnSize);
    setAcceptDrops(true);

    // Tab from the name must land in a cell.
    if (draft_.RowCount() == 0)
        draft_.InsertRow(0);
    model_ = new TDrawTableModel(draft_, this);

    Label1 = Place(new QLabel(QStringLiteral("クジの種類"), this), "Label1", 8, 12, 64, 12);
    Edit1 = Place(new TCp932Edit(this), "Edit1", 76, 8, 388, 20);
    StringGrid1 = Place(new TDrawGrid(model_, this), "StringGrid1", 8, 36, 456, 367);
    Button1 = Place(MakeButton(QStringLiteral("行の追加"), this), "Button1", 472, 36, 80, 25);
    Button2 = Place(MakeButton(QStringLiteral("行の削除"), this), "Button2", 472, 66, 80, 25);
    Button3 = Place(MakeButton(QStringLiteral("上へ"), this), "Button3", 472, 98, 80, 25);
    Button4 = Place(MakeButton(QStringLiteral("下へ"), this), "Button4", 472, 126, 80, 25);
    Button7 = Place(MakeButton(QStringLiteral("ジャンボの型..."), this), "Button7", 472, 160, 80, 25);
    Button9 = Place(MakeButton(QStringLiteral("結果の貼り\n付け..."), this), "Button9", 472, 188, 80, 32);
    Button9->setToolTip(QStringLiteral("結果の貼り付け... (Ctrl+Shift+V)"));
    Button10 = Place(MakeButton(QStringLiteral("ロトの型..."), this), "Button10", 472, 224, 80, 25);
    Button11 = Place(MakeButton(QStringLiteral("ナンバーズ\nの型..."), this), "Button11", 472, 252, 80, 32);
    Button11->setToolTip(QStringLiteral("ナンバーズの型... (Ctrl+U)"));
    Button12 = Place(MakeButton(QStringLiteral("ビンゴ5の型..."), this), "Button12", 472, 287, 80, 25);
    Button5 = Place(MakeButton(QStringLiteral("保存"), this), "Button5", 472, 319, 80, 25);
    // Two lines: the command's name is wider than the buttons' column.
    Button8 = Place(MakeButton(QStringLiteral("名前を付けて\n保存"), this), "Button8", 472, 345, 80, 32);
    Button8->setToolTip(QStringLiteral("名前を付けて保存 (Ctrl+Shift+S)"));
    Button6 = Place(MakeButton(QStringLiteral("閉じる"), this), "Button6", 472, 379, 80, 25);
    Label2 = Place(new QLabel(this), "Label2", 8, 409, 544, 16);

    Edit1->SetAcceptedBytes(draft_.EventName());
    StringGrid1->horizontalHeader()->resizeSection(TDrawTableModel::kLabelColumn, 80);
    StringGrid1->horizontalHeader()->resizeSection(TDrawTableModel::kNumbersColumn, kNumbersColumnWidth);
    StringGrid1->horizontalHeader()->resizeSection(TDrawTableModel::kPrizeColumn, 80);
    StringGrid1->setCurrentIndex(model_->index(0, 0));
    BuildGrowth();

    connect(Edit1, &TCp932Edit::TextAccepted, this, &TForm3::Edit1Change);
    connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm3::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm3::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm3::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm3::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TForm3::Button6Click);
    connect(Button7, &QPushButton::clicked, this, &TForm3::Button7Click);
    connect(Button8, &QPushButton::clicked, this, &TForm3::Button8Click);
    connect(Button9, &QPushButton::clicked, this, &TForm3::Button9Click);
    connect(Button10, &QPushButton::clicked, this, &TForm3::Button10Click);
    connect(Button11, &QPushButton::clicked, this, &TForm3::Button11Click);
    connect(Button12, &QPushButton::clicked, this, &TForm3::Button12Click);
    connect(StringGrid1, &TDrawGrid::CurrentCellChanged, this, &TForm3::StringGrid1CurrentCellChanged);
    connect(model_, &TDrawTableModel::dataChanged, this, &TForm3::StringGrid1CurrentCellChanged);

    const auto shortcut = [this](const QKeySequence& keys, void (TForm3::*handler)()) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, handler);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert), &TForm3::Button1Click);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete), &TForm3::Button2Click);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Up), &TForm3::Button3Click);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Down), &TForm3::Button4Click);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_S), &TForm3::Button5Click);
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &TForm3::Button8Click);
    shortcut(QKeySequence(Qt::Key_Escape), &TForm3::Button6Click);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_J), &TForm3::Button7Click);
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), &TForm3::Button9Click);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_L), &TForm3::Button10Click);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_U), &TForm3::Button11Click);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_B), &TForm3::Button12Click);

    setTabOrder(Edit1, StringGrid1);
    setTabOrder(StringGrid1, Button1);
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, Button3);
    setTabOrder(Button3, Button4);
    setTabOrder(Button4, Button7);
    setTabOrder(Button7, Button9);
    setTabOrder(Button9, Button10);
    setTabOrder(Button10, Button11);
    setTabOrder(Button11, Button12);
    setTabOrder(Button12, Button5);
    setTabOrder(Button5, Button8);
    setTabOrder(Button8, Button6);
    Edit1->setFocus();
}

void TForm3::BuildGrowth()
{
    // The grid takes the new room, the buttons keep to its right, the note to its foot.
    growth_.Add(Edit1, TGrowthLayout::kStretch, TGrowthLayout::kFixed);
    growth_.Add(StringGrid1, TGrowthLayout::kStretch, TGrowthLayout::kStretch);
    for (QWidget* button :
         std::initializer_list<QWidget*>{Button1, Button2, Button3, Button4, Button7, Button9, Button10, Button11, Button12,
                                         Button5, Button8, Button6})
        growth_.Add(button, TGrowthLayout::kMoves, TGrowthLayout::kFixed);
    growth_.Add(Label2, TGrowthLayout::kStretch, TGrowthLayout::kMoves);
}

void TForm3::resizeEvent(QResizeEvent* event)
{
    if (!StringGrid1) {
        QWidget::resizeEvent(event);
        return;
    }
    const QSize growth = (size() - kDrawnSize).expandedTo(QSize(0, 0));
    growth_.Apply(growth);
    // The numbers are what runs long: their column takes the new width.
    StringGrid1->horizontalHeader()->resizeSection(TDrawTableModel::kNumbersColumn,
                                                   kNumbersColumnWidth + growth.width());
    QWidget::resizeEvent(event);
}

void TForm3::Edit1Change(const QString& /*text*/)
{
    // Only what the user typed is encoded; the rest of the name keeps its bytes.
    draft_.SetEventName(Edit1->Bytes());
}

void TForm3::Button1Click()
{
    const QModelIndex current = StringGrid1->currentIndex();
    const int row = current.isValid() ? current.row() + 1 : model_->rowCount();
    model_->InsertRow(row);
    StringGrid1->setCurrentIndex(model_->index(row, 0));
    StringGrid1->setFocus();
}

void TForm3::Button2Click()
{
    const QModelIndex current = StringGrid1->currentIndex();
    if (!current.isValid())
        return;
    StringGrid1->CommitEdit();
    model_->RemoveRow(current.row());
    if (model_->rowCount() == 0)
        model_->InsertRow(0);
    StringGrid1->setCurrentIndex(model_->index(std::min(current.row(), model_->rowCount() - 1), current.column()));
}

void TForm3::Button3Click()
{
    MoveCurrentRow(-1);
}

void TForm3::Button4Click()
{
    MoveCurrentRow(1);
}

void TForm3::MoveCurrentRow(int step)
{
    StringGrid1->CommitEdit();
    const QModelIndex current = StringGrid1->currentIndex();
    if (!current.isValid() || !model_->MoveRow(current.row(), step))
        return;
    StringGrid1->setCurrentIndex(model_->index(current.row() + step, current.column()));
}

void TForm3::Button5Click()
{
    Save();
}

void TForm3::Button6Click()
{
    close();
}

void TForm3::Button7Click()
{
    StringGrid1->CommitEdit();
    (new TForm5([this](std::vector<TDrawDraft::Row> rows) { AddTemplateRows(std::move(rows)); }, this))->show();
}

void TForm3::Button8Click()
{
    StringGrid1->CommitEdit();
    FormatDefinition(draft_.ToDefinition());
    if (ConfirmLotoSets())
        SaveAs();
}

void TForm3::Button10Click()
{
    StringGrid1->CommitEdit();
    (new TForm9([this](std::vector<TDrawDraft::Row> rows) { AddTemplateRows(std::move(rows)); }, this))->show();
}

void TForm3::Button11Click()
{
    StringGrid1->CommitEdit();
    (new TForm7([this](std::vector<TDrawDraft::Row> rows) { AddTemplateRows(std::move(rows)); }, this))->show();
}

void TForm3::Button12Click()
{
    StringGrid1->CommitEdit();
    (new TForm8([this](std::vector<TDrawDraft::Row> rows) { AddTemplateRows(std::move(rows)); }, this))->show();
}

void TForm3::AddTemplateRows(std::vector<TDrawDraft::Row> rows)
{
    model_->AppendRows(std::move(rows));
    // On to the first class whose numbers are still to be typed.
    int row = 0;
    while (row + 1 < model_->rowCount() && !draft_.At(static_cast<std::size_t>(row)).numbersText.empty())
        ++row;
    StringGrid1->setCurrentIndex(model_->index(row, TDrawTableModel::kNumbersColumn));
    StringGrid1->setFocus();
}

bool TForm3::ConfirmLotoSets()
{
    for (std::size_t row = 0; row < draft_.RowCount(); ++row) {
        if (!LooksLikeLotoSet(draft_.At(row)))
            continue;
        // Each number would pay on its own: one right number would win the class.
        const auto answer = QMessageBox::question(
            this, kCaption,
            QStringLiteral("%1 行目（%2）の当選番号はロトの数字のようですが、判定が下のケタの一致のため、"
                           "数字がひとつ合うだけで当選になります。\n\nロトはロトの型... (Ctrl+L) で作ってください。"
                           "このまま保存しますか？")
                .arg(row + 1)
                .arg(DecodeCp932(draft_.At(row).label)),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        return answer == QMessageBox::Yes;
    }
    return true;
}

void TForm3::Button9Click()
{
    StringGrid1->CommitEdit();
    auto* form6 = new TForm6([this](const TResultsDraw& draw) { UseResults(draw); }, this);
    form6->show();
}

void TForm3::UseResults(const TResultsDraw& draw)
{
    const TDrawDraft pasted = TDrawDraft::FromDefinition(draw.definition);
    const bool filled = draft_.ToDefinition().classes.size() > 0;
    if (filled && QMessageBox::question(this, kCaption, QStringLiteral("表の等級を、読み込んだ結果の等級で置き換えますか？"),
                                        QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    std::vector<TDrawDraft::Row> rows;
    for (std::size_t i = 0; i < pasted.RowCount(); ++i)
        rows.push_back(pasted.At(i));
    model_->ReplaceRows(std::move(rows));
    if (!draw.definition.eventName.empty() && (filled || draft_.EventName().empty())) {
        Edit1->SetAcceptedBytes(draw.definition.eventName);
        draft_.SetEventName(draw.definition.eventName);
    }
    StringGrid1->setCurrentIndex(model_->index(0, 0));
    ShowNote(QStringLiteral("読み込んだ結果から %1 等級を表に入れました").arg(pasted.RowCount()));
}

void TForm3::dragEnterEvent(QDragEnterEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        const QString name = url.toLocalFile().toLower();
        if (name.endsWith(QStringLiteral(".csv")) || name.endsWith(QStringLiteral(".txt"))) {
            event->acceptProposedAction();
            return;
        }
    }
}

void TForm3::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty())
        return;
    event->acceptProposedAction();
    UseResults(ReadResultsText(ReadWholeFile(QFile::encodeName(urls.front().toLocalFile()).toStdString())));
}

void TForm3::StringGrid1CurrentCellChanged()
{
    ShowNote(model_->SizeNote(StringGrid1->currentIndex()));
}

void TForm3::ShowNote(const QString& note)
{
    Label2->setText(note);
}

bool TForm3::HasUnsavedChanges()
{
    StringGrid1->CommitEdit();
    return draft_.Modified();
}

bool TForm3::Save()
{
    StringGrid1->CommitEdit();
    // Refusals come before the file name is asked for.
    FormatDefinition(draft_.ToDefinition());
    if (!ConfirmLotoSets())
        return false;
    return path_.empty() ? SaveAs() : SaveTo(path_);
}

bool TForm3::SaveAs()
{
    // In the draw's folder, with no file chosen: a name typed there is the new one.
    if (!path_.empty())
        SaveDialog1.SetFileName(StartName(platform::ResolvedDirectoryOf(path_)));
    return SaveDialog1.Execute(this) && SaveTo(SaveDialog1.FileName());
}

bool TForm3::SaveTo(const std::string& path)
{
    if (!MayReplace(path))
        return false;
    TDefinitionText written;
    try {
        written = draft_.Save(path);
    } catch (const TKelmoraError& error) {
        // The draw itself can be written (it was checked first); this place cannot take it.
        const auto answer = QMessageBox::warning(
            this, kCaption, QStringLiteral("%1\n\n名前を付けて保存しますか？").arg(QString::fromUtf8(error.what())),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        return answer == QMessageBox::Yes && SaveAs();
    }
    path_ = path;
    onDisk_ = written.bytes;
    ShowSaved(written);
    emit Saved(path_);
    return true;
}

bool TForm3::MayReplace(const std::string& path)
{
    std::optional<TByteString> now;
    try {
        now = ReadWholeFile(path);
    } catch (const TKelmoraError&) {
        // Not there, or not readable: the save itself tells whether it can be written.
    }
    const QString name = QFile::decodeName(QByteArray::fromStdString(path));
    QString question;
    if (path == path_ && onDisk_ && now != onDisk_)
        question = QStringLiteral("%1 は、開いた後か前回の保存の後に、ほかで変更または削除されています。"
                                  "この内容で置き換えますか？")
                       .arg(name);
    else if (path != path_ && now)
        return MayReplaceFile(this, kCaption, path);
    if (question.isEmpty())
        return true;
    return QMessageBox::question(this, kCaption, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
        QMessageBox::Yes;
}

void TForm3::ShowSaved(const TDefinitionText& written)
{
    QString note = QStringLiteral("%1 に保存しました").arg(QFile::decodeName(QByteArray::fromStdString(path_)));
    if (!written.splitClasses.empty()) {
        QStringList rows;
        for (const std::size_t index : written.splitClasses)
            rows << QString::number(index + 1);
        note = QStringLiteral(
                   "%1 行目の当選番号は 255 バイトに収まらないため、同じ等級と賞の連続した等級に分けて保存しました"
                   "（確認の結果は同じです）")
                   .arg(rows.join(QStringLiteral(", ")));
        QMessageBox::information(this, kCaption, note);
    }
    ShowNote(note);
}

void TForm3::CloseDiscarding()
{
    discarding_ = true;
    close();
}

void TForm3::closeEvent(QCloseEvent* event)
{
    // Refused until the draw is safe: an error on the way must not close the window.
    event->ignore();
    if (!discarding_ && HasUnsavedChanges()) {
        const auto answer =
            QMessageBox::question(this, kCaption, QStringLiteral("変更は保存されていません。保存しますか？"),
                                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
        if (answer == QMessageBox::Cancel || (answer == QMessageBox::Save && !Save())) {
            // The draw is still being edited: the editor comes forward, not behind the main window.
            raise();
            activateWindow();
            return;
        }
    }
    event->accept();
    QWidget::closeEvent(event);
}

} // namespace kelmora::ui
