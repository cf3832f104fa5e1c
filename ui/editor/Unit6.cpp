#include "ui/editor/Unit6.h"

#include "core/base/KelmoraError.h"
#include "ui/editor/DrawTableModel.h"
#include "ui/text/Cp932.h"
#include "ui/widgets/FormLayout.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

#include <utility>

namespace kelmora::ui {

TForm6::TForm6(UseDraw useDraw, QWidget* parent) : QDialog(parent), useDraw_(std::move(useDraw))
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("結果の貼り付け"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(FormFont());
    setFixedSize(560, 400);

    Label1 = Place(new QLabel(QStringLiteral("発表された当せん番号 (ページや CSV の内容を貼り付けます)"), this),
                   "Label1", 8, 8, 544, 14);
    Memo1 = Place(new QPlainTextEdit(this), "Memo1", 8, 24, 544, 200);
    Label2 = Place(new QLabel(QStringLiteral("作られる等級"), this), "Label2", 8, 232, 544, 14);
    Memo2 = Place(new QPlainTextEdit(this), "Memo2", 8, 248, 544, 112);
    Button1 = Place(new QPushButton(QStringLiteral("表に入れる"), this), "Button1", 388, 368, 80, 25);
    Button2 = Place(new QPushButton(QStringLiteral("閉じる"), this), "Button2", 472, 368, 80, 25);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Tabs come in with the pasted cells; the Tab key moves on to the buttons.
    Memo1->setTabChangesFocus(true);
    Memo2->setReadOnly(true);
    Memo2->setTabStopDistance(88);
    Memo2->setLineWrapMode(QPlainTextEdit::NoWrap);
    Button1->setEnabled(false);
    Button1->setAutoDefault(false);
    Button2->setAutoDefault(false);

    connect(Memo1, &QPlainTextEdit::textChanged, this, &TForm6::Memo1Change);
    connect(Button1, &QPushButton::clicked, this, &TForm6::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm6::Button2Click);
    Memo2->setTabChangesFocus(true);
    setTabOrder(Memo1, Button1);
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, Memo2);
    Memo1->setFocus();
}

void TForm6::Memo1Change()
{
    QStringList preview;
    QList<QTextEdit::ExtraSelection> marks;
    bool read = false;
    try {
        const TResultsDraw draw = ReadResultsText(Memo1->toPlainText().toStdString());
        for (std::size_t i = 0; i < draw.definition.classes.size(); ++i) {
            const TPrizeClass& prizeClass = draw.definition.classes[i];
            preview << QStringLiteral("%1 行目\t%2\t%3\t%4\t%5")
                           .arg(draw.classLines[i])
                           .arg(DecodeCp932(prizeClass.label), DecodeCp932(prizeClass.prize),
                                TDrawTableModel::KindText(prizeClass.Kind()), DecodeCp932(prizeClass.numbersText));
            if (!prizeClass.bonusText.empty())
                preview.back() += QStringLiteral(" (%1)").arg(DecodeCp932(prizeClass.bonusText));
        }
        read = true;
    } catch (const TKelmoraError& error) {
        preview << QString::fromUtf8(error.what());
        // The refused line, marked where the user pasted it.
        if (const std::size_t line = RefusedResultsLine(error); line > 0) {
            QTextEdit::ExtraSelection mark;
            mark.cursor = QTextCursor(Memo1->document()->findBlockByNumber(static_cast<int>(line) - 1));
            mark.format.setBackground(QColor(255, 200, 200));
            mark.format.setProperty(QTextFormat::FullWidthSelection, true);
            marks << mark;
        }
    }
    Memo1->setExtraSelections(marks);
    Memo2->setPlainText(preview.join(QLatin1Char('\n')));
    Button1->setEnabled(read);
}

void TForm6::Button1Click()
{
    useDraw_(ReadResultsText(Memo1->toPlainText().toStdString()));
    accept();
}

void TForm6::Button2Click()
{
    reject();
}

} // namespace kelmora::ui
