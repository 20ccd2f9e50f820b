// The main window: its seven controls and what its three buttons do.
#include "frmdc.h"

#include "appearance.h"
#include "captionlabel.h"
#include "fixedtexts.h"
#include "lookup.h"
#include "resultbox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QValidator>

#include <cstdlib>

namespace
{

void setColours(QWidget *w, const QColor &text, const QColor &base)
{
    QPalette pal = w->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Text, text);
        pal.setColor(group, QPalette::Base, base);
    }
    w->setPalette(pal);
}

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

QString plainLines(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

FrmDc::FrmDc(Seams seams) : m_seams(std::move(seams))
{
    if (!m_seams.showMessage)
        m_seams.showMessage = &FrmDc::showModalMessage;
    if (!m_seams.endProgram)
        m_seams.endProgram = &FrmDc::endProcess;

    setObjectName(QStringLiteral("FrmDc"));
    setWindowTitle(QStringLiteral("DEBUG代码查询系统"));
    // The program's main window (so it has a taskbar entry like any other program), with a fixed
    // frame, a system menu and a close box, but no maximize or minimize box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(twipsToPixels(3735), twipsToPixels(3615));
    setSizeGripEnabled(false);
    setFont(windowFont(Face::Default, 9, QFont::Normal));

    const QPalette base = palette();
    QPalette pal = base;
    pal.setColor(QPalette::Window, systemColour(SysColour::ButtonFace, base));
    pal.setColor(QPalette::WindowText, systemColour(SysColour::ButtonText, base));
    pal.setColor(QPalette::Button, systemColour(SysColour::ButtonFace, base));
    pal.setColor(QPalette::ButtonText, systemColour(SysColour::ButtonText, base));
    setPalette(pal);

    // Labels first: they lie beneath the boxes and buttons (Label3's lowest row is under TxtGD).
    Label1 = new CaptionLabel(QStringLiteral("DEBUG代码："), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(360, 240, 2295, 375));
    Label1->setFont(windowFont(Face::SimSun, 18, QFont::Bold));
    Label1->setTextColour(systemColour(SysColour::ButtonText, base));

    Label3 = new CaptionLabel(QStringLiteral("代码适用：Award BIOS、Ami BIOS、Phoenix BIOS、Tandy 3000 BIOS"),
                              this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(twipsRect(120, 720, 3495, 495));
    Label3->setFont(windowFont(Face::SimSun, 10.5, QFont::Normal));
    Label3->setTextColour(systemColour(SysColour::AppWorkspace, base));

    TxtC = new QLineEdit(this);
    TxtC->setObjectName(QStringLiteral("TxtC"));
    TxtC->setAccessibleName(QStringLiteral("DEBUG代码"));
    TxtC->setGeometry(twipsRect(2520, 120, 855, 510));
    TxtC->setFont(windowFont(Face::YaHei, 15.75, QFont::Normal));
    TxtC->setMaxLength(2);
    TxtC->setValidator(new WholeCharacters(TxtC));
    useChineseEditMenu(TxtC);
    setColours(TxtC, systemColour(SysColour::ActiveCaption, base), systemColour(SysColour::Window, base));

    CmdOK = new QPushButton(QStringLiteral("查询"), this);
    CmdOK->setObjectName(QStringLiteral("CmdOK"));
    CmdOK->setGeometry(twipsRect(120, 3000, 1095, 495));
    CmdOK->setDefault(true);

    Cmdm = new QPushButton(QStringLiteral("更多"), this);
    Cmdm->setObjectName(QStringLiteral("Cmdm"));
    Cmdm->setGeometry(twipsRect(1320, 3000, 1095, 495));

    CmdCE = new QPushButton(QStringLiteral("退出"), this);
    CmdCE->setObjectName(QStringLiteral("CmdCE"));
    CmdCE->setGeometry(twipsRect(2520, 3000, 1095, 495));

    TxtGD = new ResultBox(this);
    TxtGD->setObjectName(QStringLiteral("TxtGD"));
    TxtGD->setAccessibleName(QStringLiteral("查询结果"));
    TxtGD->setGeometry(twipsRect(120, 1200, 3495, 1695));
    TxtGD->setFont(windowFont(Face::YaHei, 10.5, QFont::Bold));
    setColours(TxtGD, QColor(128, 0, 0), QColor(224, 224, 224));
    TxtGD->setText(StartupText());
    useChineseEditMenu(TxtGD);

    for (QPushButton *b : {CmdOK, Cmdm, CmdCE})
        b->setAutoDefault(true); // Enter and Space click a focused button
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

void FrmDc::setVisible(bool visible)
{
    if (visible && !m_loaded) {
        m_loaded = true;
        Form_Load();
        // Centred on the screen, frame included as far as the platform knows it before the window is
        // mapped. Placed here so the toolkit's own guess at a frame is not applied on top.
        create();
        if (const QScreen *where = screen()) {
            const QRect frame = frameGeometry();
            move(where->availableGeometry().center() - QPoint(frame.width() / 2, frame.height() / 2));
        }
    }
    QDialog::setVisible(visible);
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
        m_seams.showMessage(this, QMessageBox::Critical, AppTitle(), EmptyInputPrompt());
        break;
    case LookupKind::NoMatch:
        m_seams.showMessage(this, QMessageBox::Warning, AppTitle(), NoMatchPrompt());
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
    m_seams.endProgram();
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
    QMessageBox box(icon, title, plainLines(prompt), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

void FrmDc::endProcess()
{
    // At once: no further window event runs and nothing is asked or saved.
    std::_Exit(EXIT_SUCCESS);
}
