#include "ui/editor/Unit7.h"

#include "core/draw/NumberSelectionTemplates.h"
#include "ui/editor/PrizeRows.h"
#include "ui/widgets/Cp932Edit.h"
#include "ui/widgets/FormLayout.h"

#include <QLabel>
#include <QPushButton>

#include <string>
#include <utility>

namespace kelmora::ui {

TForm7::TForm7(AddRows addRows, QWidget* parent) : QDialog(parent), addRows_(std::move(addRows))
{
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("ナンバーズの型"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(FormFont());
    setFixedSize(360, 220);

    Label1 = Place(new QLabel(QStringLiteral("当せん番号"), this), "Label1", 8, 12, 120, 12);
    Edit1 = Place(new TCp932Edit(this), "Edit1", 136, 8, 216, 20);
    Edit1->setPlaceholderText(QStringLiteral("428（ナンバーズ3）、1234（ナンバーズ4）"));
    const std::array<QString, 5> captions{QStringLiteral("ストレートの賞"), QStringLiteral("ボックスの賞"),
                                          QStringLiteral("セット（ストレート）"), QStringLiteral("セット（ボックス）"),
                                          QStringLiteral("ミニの賞（N3）")};
    PlacePrizeRows(this, captions, {36, 124, 136, 216}, prizeLabels_, prizeEdits_);
    Button1 = Place(new QPushButton(QStringLiteral("作成"), this), "Button1", 192, 186, 76, 25);
    Button2 = Place(new QPushButton(QStringLiteral("閉じる"), this), "Button2", 276, 186, 76, 25);
    Button1->setDefault(true);
    Button2->setAutoDefault(false);

    connect(Button1, &QPushButton::clicked, this, &TForm7::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm7::Button2Click);
    Edit1->setFocus();
}

void TForm7::Button1Click()
{
    std::vector<TByteString> prizes;
    for (TCp932Edit* edit : prizeEdits_)
        prizes.push_back(edit->Bytes());
    addRows_(NumbersTemplateRows(Edit1->Bytes(), prizes));
    accept();
}

void TForm7::Button2Click()
{
    reject();
}

} // namespace kelmora::ui
