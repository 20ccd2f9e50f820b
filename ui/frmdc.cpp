// The main window: its seven controls and what its three buttons do.
#include "frmdc.h"

#include "captionlabel.h"
#include "fixedtexts.h"
#include "fonts.h"
#include "lookup.h"
#include "qtchinese.h"
#include "resultbox.h"
#include "syscolours.h"
#include "twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QValidator>

namespace
{

// The two-character limit counts UTF-16 units, so a paste that ends in a character outside the BMP
// would be cut between the two halves of its surrogate pair. Halves without their partner are dropped
// rather than left in the box as broken text.
class WholeCharacters : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override
    {
        for (qsizetype i = 0; i < input.size(); ++i) {
            const bool pairStart =
                input[i].isHighSurrogate() && i + 1 < input.size() && input[i + 1].isLowSurrogate();
            if (pairStart) {
                ++i;
            } else if (input[i].isSurrogate()) {
                input.remove(i--, 1);
                pos = qMin(pos, int(input.size()));
            }
        }
        return Acceptable;
    }
};

void setTextColours(QWidget *w, const QColor &text, const QColor &base)
{
    QPalette pal = w->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Text, text);
        pal.setColor(group, QPalette::Base, base);
    }
    w->setPalette(pal);
}

CaptionLabel *caption(const char *name, const QString &text, QRect rect, const QFont &font,
                      const QColor &colour, QWidget *parent)
{
    auto *label = new CaptionLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(rect);
    label->setFont(font);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
    return label;
}

QPushButton *button(const char *name, const QString &text, QRect rect, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(rect);
    b->setAutoDefault(true); // Enter and Space click a focused button
    return b;
}

} // namespace

void FrmDc::setUpApplication()
{
    QApplication::setFont(windowFont(Face::Default, 9, QFont::Normal));
    static QtChinese chinese;
    QCoreApplication::installTranslator(&chinese);
}

FrmDc::FrmDc(ShowMessage showMessage) : m_showMessage(std::move(showMessage))
{
    setObjectName(QStringLiteral("FrmDc"));
    setWindowTitle(QStringLiteral("DEBUG代码查询系统"));
    // The program's main window (so it has a taskbar entry like any other program), with a fixed
    // frame, a system menu and a close box, but no maximize or minimize box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(twipsToPixels(3735), twipsToPixels(3615));
    setSizeGripEnabled(false);

    // The desktop's colours, kept legible: the face (also the window's background) and the code box
    // are made dark or light enough where the scheme's are not, then each text is checked on them.
    const QPalette desktop = palette();
    const qreal faceFloor = contrastFloor(SysColour::ButtonText, SysColour::ButtonFace, desktop);
    const QColor face = legibleBackground(systemColour(SysColour::ButtonFace, desktop), faceFloor);
    const QColor faceText = legibleText(systemColour(SysColour::ButtonText, desktop), face, faceFloor);
    const qreal codeFloor = contrastFloor(SysColour::ActiveCaption, SysColour::Window, desktop);
    const QColor codeBase = legibleBackground(systemColour(SysColour::Window, desktop), codeFloor);
    const QColor codeText = legibleText(systemColour(SysColour::ActiveCaption, desktop), codeBase, codeFloor);
    const QColor label3Text =
        legibleText(systemColour(SysColour::AppWorkspace, desktop), face,
                    contrastFloor(SysColour::AppWorkspace, SysColour::ButtonFace, desktop));
    QPalette pal = desktop;
    pal.setColor(QPalette::Window, face);
    pal.setColor(QPalette::WindowText, faceText);
    pal.setColor(QPalette::Button, face);
    pal.setColor(QPalette::ButtonText, faceText);
    setPalette(pal);

    // Labels first: they lie beneath the boxes and buttons (Label3's lowest row is under TxtGD).
    Label1 = caption("Label1", QStringLiteral("DEBUG代码："), twipsRect(360, 240, 2295, 375),
                     windowFont(Face::SimSun, 18, QFont::Bold), faceText, this);
    Label3 = caption(
        "Label3", QStringLiteral("代码适用：Award BIOS、Ami BIOS、Phoenix BIOS、Tandy 3000 BIOS"),
        twipsRect(120, 720, 3495, 495), windowFont(Face::SimSun, 10.5, QFont::Normal), label3Text, this);

    TxtC = new QLineEdit(this);
    TxtC->setObjectName(QStringLiteral("TxtC"));
    TxtC->setAccessibleName(QStringLiteral("DEBUG代码"));
    TxtC->setGeometry(twipsRect(2520, 120, 855, 510));
    TxtC->setFont(windowFont(Face::YaHei, 15.75, QFont::Normal));
    TxtC->setMaxLength(2);
    TxtC->setValidator(new WholeCharacters(TxtC));
    setTextColours(TxtC, codeText, codeBase);
    Label1->setBuddy(TxtC); // a screen reader announces the box with its caption
    Label1->keepClearOf(TxtC);

    CmdOK = button("CmdOK", QStringLiteral("查询"), twipsRect(120, 3000, 1095, 495), this);
    CmdOK->setDefault(true);
    Cmdm = button("Cmdm", QStringLiteral("更多"), twipsRect(1320, 3000, 1095, 495), this);
    CmdCE = button("CmdCE", QStringLiteral("退出"), twipsRect(2520, 3000, 1095, 495), this);

    TxtGD = new ResultBox(this);
    TxtGD->setObjectName(QStringLiteral("TxtGD"));
    TxtGD->setAccessibleName(QStringLiteral("查询结果"));
    TxtGD->setGeometry(twipsRect(120, 1200, 3495, 1695));
    TxtGD->setFont(windowFont(Face::YaHei, 10.5, QFont::Bold));
    setTextColours(TxtGD, QColor(128, 0, 0), QColor(224, 224, 224));
    TxtGD->setText(StartupText());

    setTabOrder(TxtC, CmdOK);
    setTabOrder(CmdOK, Cmdm);
    setTabOrder(Cmdm, CmdCE);
    setTabOrder(CmdCE, TxtGD);
    setTabOrder(TxtGD, TxtC);
    TxtC->setFocus();

    connect(CmdOK, &QPushButton::clicked, this, &FrmDc::CmdOK_Click);
    connect(Cmdm, &QPushButton::clicked, this, &FrmDc::Cmdm_Click);
    connect(CmdCE, &QPushButton::clicked, this, &FrmDc::CmdCE_Click);
}

void FrmDc::start()
{
    Form_Load();
    centreOnScreen();
    show();
}

void FrmDc::centreOnScreen()
{
    // With the native window created, the frame is included as far as the platform knows it before
    // the window is mapped.
    create();
    if (const QScreen *where = screen()) {
        const QRect frame = frameGeometry();
        move(where->availableGeometry().center() - QPoint(frame.width() / 2, frame.height() / 2));
    }
}

void FrmDc::Form_Load()
{
    m_table.FillCodeTable();
}

void FrmDc::CmdOK_Click()
{
    const LookupResult result = LookupCode(m_table, TxtC->text());
    switch (result.kind) {
    case LookupKind::Found:
        TxtGD->setText(m_table.text(result.slot));
        setCode(m_table.code(result.slot)); // shown back as stored: "ff" becomes "FF"
        return;
    case LookupKind::EmptyInput:
        m_showMessage(this, QMessageBox::Critical, AppTitle(), EmptyInputPrompt());
        break;
    case LookupKind::NoMatch:
        m_showMessage(this, QMessageBox::Warning, AppTitle(), NoMatchPrompt());
        break;
    }
    // Only once the box is dismissed; the typed code stays for the user to correct.
    TxtGD->setText(NoticeText());
}

void FrmDc::Cmdm_Click()
{
    setCode(QString());
    TxtGD->setText(FfGuideText());
}

void FrmDc::CmdCE_Click()
{
    // The window goes at once and nothing is asked or saved. The process then ends through the
    // toolkit's normal end rather than on the spot, which hands anything the user copied from the
    // window over to the desktop's clipboard manager instead of losing it.
    close();
}

void FrmDc::setCode(const QString &code)
{
    TxtC->setText(code);
    TxtC->setCursorPosition(0);
}

void FrmDc::keyPressEvent(QKeyEvent *event)
{
    // Escape is the exit button's key, wherever the focus is. (A dialog would otherwise reject.)
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        CmdCE->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FrmDc::showModalMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                             const QString &prompt)
{
    QMessageBox box(icon, title, QString(prompt).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                    QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
