// System colour mapping and font choice for the main window.
#include "appearance.h"

#include <QAction>
#include <QHash>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStringList>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

QColor systemColour(SysColour which, const QPalette &palette)
{
#ifdef Q_OS_WIN
    Q_UNUSED(palette);
    const DWORD rgb = GetSysColor(static_cast<int>(which));
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
#else
    switch (which) {
    case SysColour::ActiveCaption:
        return palette.color(QPalette::Active, QPalette::Highlight);
    case SysColour::Window:
        return palette.color(QPalette::Active, QPalette::Base);
    case SysColour::WindowText:
        return palette.color(QPalette::Active, QPalette::Text);
    case SysColour::AppWorkspace:
        return palette.color(QPalette::Active, QPalette::Dark);
    case SysColour::ButtonFace:
        return palette.color(QPalette::Active, QPalette::Button);
    case SysColour::ButtonText:
        return palette.color(QPalette::Active, QPalette::ButtonText);
    }
    return palette.color(QPalette::Active, QPalette::WindowText);
#endif
}

QFont windowFont(Face face, qreal pointSize, QFont::Weight weight)
{
    // Where the Windows faces are missing, Noto Sans Mono CJK SC stands in for all of them:
    // - its Han characters are those of Noto Sans CJK SC, a sans design like YaHei's;
    // - its Latin letters are half as wide as a Han character, as in SimSun, which the captions were
    //   measured for (with proportional Latin "DEBUG代码：" no longer fits its line);
    // - one face for every control is one font to open at start-up. A second face and the bold file
    //   cost about 10 MB of resident memory and several milliseconds.
    // The simplified-Chinese ("SC") cuts come first so that Han characters take their mainland forms,
    // as the GB2312 character set would give them; other common CJK faces follow.
    static const QStringList standIns = {
        QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Source Han Sans SC"),    QStringLiteral("WenQuanYi Micro Hei"),
        QStringLiteral("WenQuanYi Zen Hei"),     QStringLiteral("Droid Sans Fallback"),
    };
    static const QStringList sans =
        QStringList{QStringLiteral("微软雅黑"), QStringLiteral("Microsoft YaHei")} + standIns;
    static const QStringList serif =
        QStringList{QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("NSimSun")} + standIns +
        QStringList{QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN")};
    static const QStringList ui = QStringList{QStringLiteral("Microsoft YaHei UI")} + sans;

    QFont font;
    font.setFamilies(face == Face::YaHei ? sans : face == Face::SimSun ? serif : ui);
    font.setStyleHint(face == Face::SimSun ? QFont::Serif : QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setWeight(weight);
#ifndef Q_OS_WIN
    // Bold drawn from the regular face, so that the bold font file need not be opened as well.
    if (weight >= QFont::Bold)
        font.setStyleName(QStringLiteral("Regular"));
#endif
    // Every character the window shows is in the chosen face; looking through other fonts for
    // missing ones would only cost start-up time.
    font.setStyleStrategy(QFont::NoFontMerging);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

void translateStandardMenu(QMenu *menu)
{
    // Known by the English label without its accelerator mark: not every Qt text widget gives the
    // standard actions object names.
    static const QHash<QString, QString> chinese = {
        {QStringLiteral("Undo"), QStringLiteral("撤销(&U)")},
        {QStringLiteral("Redo"), QStringLiteral("重做(&R)")},
        {QStringLiteral("Cut"), QStringLiteral("剪切(&T)")},
        {QStringLiteral("Copy"), QStringLiteral("复制(&C)")},
        {QStringLiteral("Copy Link Location"), QStringLiteral("复制链接地址(&L)")},
        {QStringLiteral("Paste"), QStringLiteral("粘贴(&P)")},
        {QStringLiteral("Delete"), QStringLiteral("删除(&D)")},
        {QStringLiteral("Select All"), QStringLiteral("全选(&A)")},
    };
    for (QAction *action : menu->actions()) {
        const QString text = action->text();
        const QString label = text.section(u'\t', 0, 0).remove(u'&');
        const QString shortcut = text.section(u'\t', 1); // keep the key hint
        const auto it = chinese.constFind(label);
        if (it != chinese.constEnd())
            action->setText(shortcut.isEmpty() ? *it : *it + u'\t' + shortcut);
    }
}

void useChineseEditMenu(QWidget *box)
{
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(box, &QWidget::customContextMenuRequested, box, [box](const QPoint &pos) {
        QMenu *menu = nullptr;
        if (auto *line = qobject_cast<QLineEdit *>(box))
            menu = line->createStandardContextMenu();
        else if (auto *text = qobject_cast<QPlainTextEdit *>(box))
            menu = text->createStandardContextMenu(pos);
        if (!menu)
            return;
        translateStandardMenu(menu);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(box->mapToGlobal(pos));
    });
}
