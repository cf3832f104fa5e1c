#include "ui/Unit2.h"

#include "ui/widgets/FormLayout.h"
#include "ui/widgets/PushButton.h"
#include "ui/widgets/WindowPlacement.h"

#include <QLabel>
#include <QPixmap>

namespace kelmora::ui {

TForm2::TForm2(QWidget* parent)
    // A caption and nothing else: no system menu, no minimise, maximise or close button.
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setFixedSize(301, 181);
    // Only the main window's closing ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);

    setFont(FormFont());

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 301, 181);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Label1 = new QLabel(QStringLiteral("Ver " KELMORA_SHORT_VERSION), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(120, 72, 56, 16);
    QFont labelFont = FormFont(16);
    labelFont.setBold(true);
    Label1->setFont(labelFont);
    QPalette palette = Label1->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::blue);
    Label1->setPalette(palette);
    Label1->setAutoFillBackground(true);

    Button1 = new TPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(120, 144, 75, 25);
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
}

void TForm2::Button1Click()
{
    hide();
}

void TForm2::ShowAbout()
{
    show();
    raise();
    activateWindow();
}

void TForm2::setVisible(bool visible)
{
    // Centred the first time only; afterwards it keeps where the user left it.
    if (visible && !placed_) {
        placed_ = true;
        // Loaded here rather than at start-up, where the window is created but not shown.
        Image1->setPixmap(QPixmap(QStringLiteral(":/about.bmp")));
        CentreOnScreen(*this);
    }
    QWidget::setVisible(visible);
}

} // namespace kelmora::ui
