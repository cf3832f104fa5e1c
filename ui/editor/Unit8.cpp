#include "ui/editor/Unit8.h"

#include "core/draw/NumberSelectionTemplates.h"
#include "ui/editor/PrizeRows.h"
#include "ui/widgets/Cp932Edit.h"
#include "ui/widgets/FormLayout.h"

#include <QLabel>
#include <QPushButton>

#include <string>
#include <utility>

namespace kelmora::ui {

TForm8::TForm8(AddRows addRows, QWidget* parent) : QDialog(parent), addRows_(std::move(addRows))
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("ビンゴ5の型"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(FormFont());
    setFixedSize(330, 276);

    Label1 = Place(new QLabel(QStringLiteral("当せん数字"), this), "Label1", 8, 12, 80, 12);
    Edit1 = Place(new TCp932Edit(this), "Edit1", 96, 8, 226, 20);
    Edit1->setPlaceholderText(QStringLiteral("03 08 12 19 24 27 33 38（左上から）"));
    PlacePrizeRows(this, ClassPrizeCaptions<std::tuple_size_v<decltype(prizeEdits_)>>(), {36, 80, 96, 226}, prizeLabels_,
                   prizeEdits_);
    Button1 = Place(new QPushButton(QStringLiteral("作成"), this), "Button1", 162, 242, 76, 25);
    Button2 = Place(new QPushButton(QStringLiteral("閉じる"), this), "Button2", 246, 242, 76, 25);
    Button1->setDefault(true);
    Button2->setAutoDefault(false);

    connect(Button1, &QPushButton::clicked, this, &TForm8::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm8::Button2Click);
    Edit1->setFocus();
}

void TForm8::Button1Click()
{
    std::vector<TByteString> prizes;
    for (TCp932Edit* edit : prizeEdits_)
        prizes.push_back(edit->Bytes());
    addRows_(Bingo5TemplateRows(Edit1->Bytes(), prizes));
    accept();
}

void TForm8::Button2Click()
{
    reject();
}

} // namespace kelmora::ui
