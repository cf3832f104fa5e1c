#include "ui/editor/Unit9.h"

#include "core/draw/NumberSelectionTemplates.h"
#include "ui/editor/PrizeRows.h"
#include "ui/widgets/Cp932Edit.h"
#include "ui/widgets/FormLayout.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <string>
#include <utility>

namespace kelmora::ui {

namespace {

constexpr std::array<TLotoGame, 3> kGames{TLotoGame::Loto6, TLotoGame::Loto7, TLotoGame::MiniLoto};

} // namespace

TForm9::TForm9(AddRows addRows, QWidget* parent) : QDialog(parent), addRows_(std::move(addRows))
{
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("ロトの型"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(FormFont());
    setFixedSize(330, 276);

    ComboBox1 = Place(new QComboBox(this), "ComboBox1", 96, 8, 120, 20);
    ComboBox1->addItems({QStringLiteral("ロト6"), QStringLiteral("ロト7"), QStringLiteral("ミニロト")});
    ComboBox1->setCurrentIndex(1);
    Label1 = Place(new QLabel(QStringLiteral("当せん数字"), this), "Label1", 8, 40, 80, 12);
    Edit1 = Place(new TCp932Edit(this), "Edit1", 96, 36, 226, 20);
    Edit1->setPlaceholderText(QStringLiteral("03 13 24 26 30 31 36 (23)(34)"));
    PlacePrizeRows(this, ClassPrizeCaptions<std::tuple_size_v<decltype(prizeEdits_)>>(), {64, 80, 96, 226}, prizeLabels_,
                   prizeEdits_);
    Button1 = Place(new QPushButton(QStringLiteral("作成"), this), "Button1", 162, 242, 76, 25);
    Button2 = Place(new QPushButton(QStringLiteral("閉じる"), this), "Button2", 246, 242, 76, 25);
    Button1->setDefault(true);
    Button2->setAutoDefault(false);

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TForm9::ComboBox1Change);
    connect(Button1, &QPushButton::clicked, this, &TForm9::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm9::Button2Click);
    ComboBox1Change();
    Edit1->setFocus();
}

void TForm9::ComboBox1Change()
{
    // Only the game's own 等 take a prize.
    const std::size_t classes = LotoClassCount(kGames[static_cast<std::size_t>(ComboBox1->currentIndex())]);
    for (std::size_t k = 0; k < prizeEdits_.size(); ++k) {
        prizeLabels_[k]->setEnabled(k < classes);
        prizeEdits_[k]->setEnabled(k < classes);
    }
}

void TForm9::Button1Click()
{
    const TLotoGame game = kGames[static_cast<std::size_t>(ComboBox1->currentIndex())];
    std::vector<TByteString> prizes;
    for (TCp932Edit* edit : prizeEdits_)
        prizes.push_back(edit->Bytes());
    addRows_(LotoTemplateRows(game, Edit1->Bytes(), prizes));
    accept();
}

void TForm9::Button2Click()
{
    reject();
}

} // namespace kelmora::ui
