#include "ui/editor/Unit5.h"

#include "core/draw/JumboTemplate.h"
#include "core/draw/NumberList.h"
#include "ui/text/Cp932.h"
#include "ui/text/TypedNumber.h"
#include "ui/widgets/Cp932Edit.h"
#include "ui/widgets/FormLayout.h"

#include <QLabel>
#include <QPushButton>

#include <utility>

namespace kelmora::ui {

TForm5::TForm5(AddRows addRows, QWidget* parent) : QDialog(parent), addRows_(std::move(addRows))
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("ジャンボの型"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(FormFont());
    setFixedSize(330, 160);

    Label1 = Place(new QLabel(QStringLiteral("1等の番号"), this), "Label1", 8, 12, 80, 12);
    Edit1 = Place(new TCp932Edit(this), "Edit1", 96, 8, 226, 20);
    Label2 = Place(new QLabel(QStringLiteral("1等の賞"), this), "Label2", 8, 40, 80, 12);
    Edit2 = Place(new TCp932Edit(this), "Edit2", 96, 36, 226, 20);
    Label3 = Place(new QLabel(QStringLiteral("前後賞"), this), "Label3", 8, 68, 80, 12);
    Edit3 = Place(new TCp932Edit(this), "Edit3", 96, 64, 226, 20);
    Label4 = Place(new QLabel(QStringLiteral("組違い賞"), this), "Label4", 8, 96, 80, 12);
    Edit4 = Place(new TCp932Edit(this), "Edit4", 96, 92, 226, 20);
    Button1 = Place(new QPushButton(QStringLiteral("作成"), this), "Button1", 162, 126, 76, 25);
    Button2 = Place(new QPushButton(QStringLiteral("閉じる"), this), "Button2", 246, 126, 76, 25);
    Edit1->setPlaceholderText(QStringLiteral("123組145678（いくつでも）"));
    Edit2->setPlaceholderText(QStringLiteral("7億円"));
    Edit3->setPlaceholderText(QStringLiteral("1億5千万円"));
    Edit4->setPlaceholderText(QStringLiteral("10万円"));
    Button1->setDefault(true);
    Button2->setAutoDefault(false);

    connect(Button1, &QPushButton::clicked, this, &TForm5::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm5::Button2Click);
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Edit3);
    setTabOrder(Edit3, Edit4);
    setTabOrder(Edit4, Button1);
    setTabOrder(Button1, Button2);
    Edit1->setFocus();
}

void TForm5::Button1Click()
{
    const TLineList firstNumbers = SplitNumberList(TypedCommasAsCommas(EncodeCp932(NumberAsTyped(Edit1->text()))));
    const TJumboPrizes prizes{Edit2->Bytes(), Edit3->Bytes(), Edit4->Bytes()};
    addRows_(JumboTemplateRows(firstNumbers, prizes));
    accept();
}

void TForm5::Button2Click()
{
    reject();
}

} // namespace kelmora::ui
