#include "ui/Unit4.h"

#include "core/draw/TicketRun.h"
#include "ui/text/Cp932.h"
#include "ui/text/TypedNumber.h"
#include "ui/widgets/Cp932Edit.h"
#include "ui/widgets/FormLayout.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

namespace kelmora::ui {
TForm4::TForm4(AddNumbers addNumbers, QWidget* parent) : QDialog(parent), addNumbers_(std::move(addNumbers))
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("連番で追加"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(FormFont());
    setFixedSize(272, 100);

    Label1 = Place(new QLabel(QStringLiteral("最初の番号"), this), "Label1", 8, 12, 72, 12);
    Edit1 = Place(new TCp932Edit(this), "Edit1", 84, 8, 180, 20);
    Label2 = Place(new QLabel(QStringLiteral("枚数"), this), "Label2", 8, 40, 72, 12);
    Edit2 = Place(new QLineEdit(QStringLiteral("10"), this), "Edit2", 84, 36, 80, 20);
    Button1 = Place(new QPushButton(QStringLiteral("追加"), this), "Button1", 104, 68, 76, 25);
    Button2 = Place(new QPushButton(QStringLiteral("閉じる"), this), "Button2", 188, 68, 76, 25);
    Button1->setDefault(true);
    Button2->setAutoDefault(false);

    connect(Button1, &QPushButton::clicked, this, &TForm4::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm4::Button2Click);
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Button1);
    setTabOrder(Button1, Button2);
    Edit1->setFocus();
}

void TForm4::Button1Click()
{
    const long count = ParseRunCount(Edit2->text().trimmed().toStdString());
    const TLineList run = CountUpRun(EncodeTicketNumber(NumberAsTyped(Edit1->text())), count);
    addNumbers_(run);
    accept();
}

void TForm4::Button2Click()
{
    reject();
}

} // namespace kelmora::ui
