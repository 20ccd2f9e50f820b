// The main window: its seven controls and what its three buttons do.
#include "frmdc.h"

#include "captionlabel.h"
#include "fixedtexts.h"
#include "fonts.h"
#include "lookup.h"
#include "qtchinese.h"
#include "qttext.h"
#include "resultbox.h"
#include "syscolours.h"

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

// The code box. A code is two hex digits, typed straight from the keyboard: with a Chinese input method
// on (fcitx5, IBus), "ff" would start a composition that the first Enter only commits, or come in full
// width. So no input method composes here (input-method hints would be only advice, which pinyin
// engines ignore). A line edit tells the input method it is welcome whatever its
// WA_InputMethodEnabled says, so this one answers by that attribute, asked either way Qt asks.
class CodeBox : public QLineEdit
{
    Q_OBJECT

public:
    explicit CodeBox(QWidget *parent) : QLineEdit(parent) { setAttribute(Qt::WA_InputMethodEnabled, false); }
    // setReadOnly and setEchoMode turn the attribute on again; this box takes neither call.

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override
    {
        return inputMethodQuery(query, {});
    }
    Q_INVOKABLE QVariant inputMethodQuery(Qt::InputMethodQuery query, QVariant argument) const
    {
        if (query == Qt::ImEnabled && !testAttribute(Qt::WA_InputMethodEnabled))
            return false;
        return QLineEdit::inputMethodQuery(query, argument);
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

// Device-independent pixels are 1/96 inch: the toolkit scales them to the display.
QRect placeOf(const form::Control &c)
{
    const auto px = [](int twips) { return form::pixels(twips, 96); };
    return QRect(px(c.place.left), px(c.place.top), px(c.place.width), px(c.place.height));
}

template <typename Widget> Widget *made(const form::Control &c, Widget *w)
{
    w->setObjectName(QString::fromLatin1(c.name));
    w->setGeometry(placeOf(c));
    return w;
}

CaptionLabel *caption(const form::Control &c, const QColor &colour, QWidget *parent)
{
    auto *label = made(c, new CaptionLabel(toQString(c.caption), parent));
    label->setFont(windowFont(c.font));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
    return label;
}

QPushButton *button(const form::Control &c, QWidget *parent)
{
    auto *b = made(c, new QPushButton(toQString(c.caption), parent));
    b->setAutoDefault(true); // Enter and Space click a focused button
    return b;
}

} // namespace

void FrmDc::setUpApplication()
{
    QApplication::setFont(windowFont(form::DefaultFont));
    static QtChinese chinese;
    QCoreApplication::installTranslator(&chinese);
}

FrmDc::FrmDc(ShowMessage showMessage) : m_showMessage(std::move(showMessage))
{
    setObjectName(QStringLiteral("FrmDc"));
    setWindowTitle(toQString(form::Title));
    // The program's main window (so it has a taskbar entry like any other program), with a fixed
    // frame, a system menu and a close box, but no maximize or minimize box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(form::pixels(form::ClientWidth, 96), form::pixels(form::ClientHeight, 96));
    setSizeGripEnabled(false);

    // The desktop's colours, kept legible.
    const WindowColours colours = windowColours(palette());
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(colours.face));
    pal.setColor(QPalette::WindowText, toQColor(colours.faceText));
    pal.setColor(QPalette::Button, toQColor(colours.face));
    pal.setColor(QPalette::ButtonText, toQColor(colours.faceText));
    setPalette(pal);

    // Labels first: they lie beneath the boxes and buttons (Label3's lowest row is under TxtGD).
    Label1 = caption(form::Label1, toQColor(colours.faceText), this);
    Label3 = caption(form::Label3, toQColor(colours.label3Text), this);

    TxtC = made(form::TxtC, new CodeBox(this));
    TxtC->setAccessibleName(toQString(form::CodeBoxName));
    TxtC->setFont(windowFont(form::TxtC.font, Text::Typed));
    TxtC->setMaxLength(form::CodeLimit);
    TxtC->setValidator(new WholeCharacters(TxtC));
    setTextColours(TxtC, toQColor(colours.codeText), toQColor(colours.codeBase));
    Label1->setBuddy(TxtC); // a screen reader announces the box with its caption
    Label1->keepClearOf(TxtC);

    CmdOK = button(form::CmdOK, this);
    CmdOK->setDefault(true);
    Cmdm = button(form::Cmdm, this);
    CmdCE = button(form::CmdCE, this);

    TxtGD = made(form::TxtGD, new ResultBox(this));
    TxtGD->setAccessibleName(toQString(form::ResultBoxName));
    TxtGD->setFont(windowFont(form::TxtGD.font));
    setTextColours(TxtGD, toQColor(ResultText), toQColor(ResultBackground));
    TxtGD->setText(toQString(StartupText()));

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
    const QString typed = TxtC->text();
    const LookupResult result = LookupCode(m_table, toView(typed), QtLower{});
    switch (result.kind) {
    case LookupKind::Found:
        TxtGD->setText(toQString(m_table.text(result.slot)));
        setCode(toQString(m_table.code(result.slot))); // shown back as stored: "ff" becomes "FF"
        return;
    case LookupKind::EmptyInput:
        m_showMessage(this, QMessageBox::Critical, toQString(AppTitle()), toQString(EmptyInputPrompt()));
        break;
    case LookupKind::NoMatch:
        m_showMessage(this, QMessageBox::Warning, toQString(AppTitle()), toQString(NoMatchPrompt()));
        break;
    }
    // Only once the box is dismissed; the typed code stays for the user to correct.
    TxtGD->setText(toQString(NoticeText()));
}

void FrmDc::Cmdm_Click()
{
    setCode(QString());
    TxtGD->setText(toQString(FfGuideText()));
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

#include "frmdc.moc"
