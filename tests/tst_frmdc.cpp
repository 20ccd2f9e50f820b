// The main window as built: controls, geometry, fonts, colours, limits, keys and focus order.
#include "appearance.h"
#include "captionlabel.h"
#include "codetable.h"
#include "fixedtexts.h"
#include "frmdc.h"
#include "resultbox.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

namespace
{

template <typename T> T *control(QWidget &window, const char *name)
{
    T *w = window.findChild<T *>(QString::fromLatin1(name));
    if (!w)
        qFatal("control %s missing", name);
    return w;
}

// The ink of a text drawn with its baseline at origin, in the coordinates of the widget drawing it.
QRectF inkAt(const QFont &font, const QString &text, QPointF origin)
{
    return QFontMetricsF(font).tightBoundingRect(text).translated(origin);
}

} // namespace

class TestFrmDc : public QObject
{
    Q_OBJECT

    FrmDc *window = nullptr;

private Q_SLOTS:
    void init()
    {
        window = new FrmDc({{}, [] { QFAIL("the program must not end here"); }});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    void cleanup()
    {
        delete window;
        window = nullptr;
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void loadFillsTheTableBeforeTheWindowShows()
    {
        FrmDc fresh({{}, [] {}});
        QVERIFY(fresh.codeTable().code(172).isEmpty()); // created: the table exists, empty
        QVERIFY(!fresh.isVisible());
        fresh.show();
        QCOMPARE(fresh.codeTable().code(0), QStringLiteral("00"));
        QCOMPARE(fresh.codeTable().code(172), QStringLiteral("FF"));
        QVERIFY(fresh.codeTable().code(173).isEmpty());
    }

    void windowFrame()
    {
        QCOMPARE(window->objectName(), QStringLiteral("FrmDc"));
        QCOMPARE(window->windowTitle(), QStringLiteral("DEBUG代码查询系统"));
        QCOMPARE(window->size(), QSize(249, 241));
        QCOMPARE(window->minimumSize(), QSize(249, 241));
        QCOMPARE(window->maximumSize(), QSize(249, 241));
        const Qt::WindowFlags flags = window->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
        QVERIFY(flags.testFlag(Qt::WindowTitleHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(flags.testFlag(Qt::MSWindowsFixedSizeDialogHint));
        const QRect screen = window->screen()->availableGeometry();
        QVERIFY(qAbs(window->frameGeometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(window->frameGeometry().center().y() - screen.center().y()) <= 1);
    }

    void controlsAndGeometry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("TxtC") << "TxtC"
                              << "QLineEdit" << QRect(2520, 120, 855, 510) << QRect(168, 8, 57, 34);
        QTest::newRow("Label1") << "Label1"
                                << "CaptionLabel" << QRect(360, 240, 2295, 375) << QRect(24, 16, 153, 25);
        QTest::newRow("CmdOK") << "CmdOK"
                               << "QPushButton" << QRect(120, 3000, 1095, 495) << QRect(8, 200, 73, 33);
        QTest::newRow("Cmdm") << "Cmdm"
                              << "QPushButton" << QRect(1320, 3000, 1095, 495) << QRect(88, 200, 73, 33);
        QTest::newRow("CmdCE") << "CmdCE"
                               << "QPushButton" << QRect(2520, 3000, 1095, 495) << QRect(168, 200, 73, 33);
        QTest::newRow("TxtGD") << "TxtGD"
                               << "ResultBox" << QRect(120, 1200, 3495, 1695) << QRect(8, 80, 233, 113);
        QTest::newRow("Label3") << "Label3"
                                << "CaptionLabel" << QRect(120, 720, 3495, 495) << QRect(8, 48, 233, 33);
    }
    void controlsAndGeometry()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QRect, twips);
        QFETCH(QRect, pixels);
        QWidget *w = window->findChild<QWidget *>(name);
        QVERIFY(w);
        QVERIFY(w->inherits(kind.toLatin1()));
        QCOMPARE(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()), pixels);
        QCOMPARE(w->geometry(), pixels);
        QVERIFY(w->isVisible() && w->isEnabled());
        // On any display the toolkit scales the same layout: device pixels follow the pixel ratio.
        const qreal dpr = w->devicePixelRatioF();
        QCOMPARE(w->grab().size(), (QSizeF(pixels.size()) * dpr).toSize());
    }

    void captionsAndTexts()
    {
        QCOMPARE(control<QPushButton>(*window, "CmdOK")->text(), QStringLiteral("查询"));
        QCOMPARE(control<QPushButton>(*window, "Cmdm")->text(), QStringLiteral("更多"));
        QCOMPARE(control<QPushButton>(*window, "CmdCE")->text(), QStringLiteral("退出"));
        QCOMPARE(control<CaptionLabel>(*window, "Label1")->text(), QStringLiteral("DEBUG代码："));
        QCOMPARE(control<CaptionLabel>(*window, "Label3")->text(),
                 QStringLiteral("代码适用：Award BIOS、Ami BIOS、Phoenix BIOS、Tandy 3000 BIOS"));
        QCOMPARE(control<QLineEdit>(*window, "TxtC")->text(), QString());
        QCOMPARE(control<ResultBox>(*window, "TxtGD")->text(), StartupText());
        QCOMPARE(control<QLineEdit>(*window, "TxtC")->accessibleName(), QStringLiteral("DEBUG代码"));
        QCOMPARE(control<ResultBox>(*window, "TxtGD")->accessibleName(), QStringLiteral("查询结果"));
    }

    void fonts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("face");
        QTest::addColumn<qreal>("points");
        QTest::addColumn<int>("weight");
        QTest::newRow("TxtC") << "TxtC"
                              << "微软雅黑" << 15.75 << int(QFont::Normal);
        QTest::newRow("Label1") << "Label1"
                                << "宋体" << 18.0 << int(QFont::Bold);
        QTest::newRow("TxtGD") << "TxtGD"
                               << "微软雅黑" << 10.5 << int(QFont::Bold);
        QTest::newRow("Label3") << "Label3"
                                << "宋体" << 10.5 << int(QFont::Normal);
        QTest::newRow("CmdOK") << "CmdOK"
                               << "" << 9.0 << int(QFont::Normal);
    }
    void fonts()
    {
        QFETCH(QString, name);
        QFETCH(QString, face);
        QFETCH(qreal, points);
        QFETCH(int, weight);
        const QWidget *w = window->findChild<QWidget *>(name);
        const QFont font = w->font();
        if (!face.isEmpty())
            QCOMPARE(font.families().constFirst(), face);
        QCOMPARE(font.pointSizeF(), points);
        QCOMPARE(int(font.weight()), weight);
        QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
        // Whatever face stands in must have the glyphs: the face actually used covers simplified
        // Chinese and draws every character of the window.
        const QFontInfo used(font);
        QVERIFY2(QFontDatabase::writingSystems(used.family()).contains(QFontDatabase::SimplifiedChinese),
                 qPrintable(used.family()));
        const QFontMetrics fm(font);
        for (QChar c : QStringLiteral("DEBUG代码：适用、查询更多退出结果仅供参考！"))
            QVERIFY2(fm.inFont(c), qPrintable(used.family() + u' ' + c));
    }

    // Fonts do not borrow glyphs from other fonts, so every character shown must be in its own face.
    void everyShownCharacterIsInItsFont()
    {
        QString results = StartupText() + NoticeText() + FfGuideText();
        for (int k = 0; k < CodeTable::RowCount; ++k)
            results += window->codeTable().text(k) + window->codeTable().code(k);
        const QString windowTexts = AppTitle() + EmptyInputPrompt() + NoMatchPrompt() +
                                    QStringLiteral("查询更多退出确定撤销重做剪切复制粘贴删除全选(&U)");
        const QList<QPair<const char *, QString>> shown = {
            {"TxtGD", results},
            {"TxtC", QStringLiteral("0123456789ABCDEFabcdef")},
            {"Label1", control<CaptionLabel>(*window, "Label1")->text()},
            {"Label3", control<CaptionLabel>(*window, "Label3")->text()},
            {"CmdOK", windowTexts}, // the buttons and the message boxes use the window's own font
        };
        for (const auto &[name, text] : shown) {
            const QFontMetrics fm(window->findChild<QWidget *>(QString::fromLatin1(name))->font());
            for (QChar c : text) {
                if (c != u'\r' && c != u'\n')
                    QVERIFY2(fm.inFont(c), qPrintable(QStringLiteral("%1: U+%2 %3")
                                                          .arg(QString::fromLatin1(name))
                                                          .arg(c.unicode(), 4, 16, QChar(u'0'))
                                                          .arg(c)));
            }
        }
    }

    void oneFaceStandsInForAll()
    {
        // Without the Windows faces, every control uses the same installed face (one font to open).
        if (QFontDatabase::hasFamily(QStringLiteral("微软雅黑")) ||
            QFontDatabase::hasFamily(QStringLiteral("宋体")))
            QSKIP("the Windows faces are installed here");
        QSet<QString> used;
        for (const char *name : {"TxtC", "Label1", "CmdOK", "TxtGD", "Label3"})
            used.insert(QFontInfo(control<QWidget>(*window, name)->font()).family());
        QCOMPARE(used.size(), 1);
    }

    void captionsFitTheirLabels_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("lines");
        QTest::newRow("Label1 in one line") << "Label1" << 1;
        QTest::newRow("Label3 in two lines") << "Label3" << 2;
    }
    void captionsFitTheirLabels()
    {
        QFETCH(QString, name);
        QFETCH(int, lines);
        const auto *label = window->findChild<CaptionLabel *>(name);
        const QList<CaptionLabel::Line> laid = label->lines();
        QCOMPARE(laid.size(), lines);
        QString joined;
        for (const CaptionLabel::Line &line : laid) {
            joined += line.text;
            const QRectF ink = inkAt(label->font(), line.text, line.origin);
            QVERIFY2(QRectF(label->rect()).contains(ink),
                     qPrintable(line.text + QStringLiteral(" ink %1,%2 %3x%4")
                                                .arg(ink.x())
                                                .arg(ink.y())
                                                .arg(ink.width())
                                                .arg(ink.height())));
            QVERIFY(line.width <= label->width());
            // centred: equal room left and right
            QVERIFY(qAbs(line.origin.x() - (label->width() - line.width - line.origin.x())) <= 1);
        }
        QString caption = label->text();
        QCOMPARE(joined.remove(u' '), caption.remove(u' ')); // nothing dropped by the wrap
        // Lines do not overlap.
        for (int i = 1; i < laid.size(); ++i) {
            const QRectF above = inkAt(label->font(), laid[i - 1].text, laid[i - 1].origin);
            const QRectF below = inkAt(label->font(), laid[i].text, laid[i].origin);
            QVERIFY(above.bottom() <= below.top());
        }
    }

    void textFitsBoxesAndButtons()
    {
        auto *code = control<QLineEdit>(*window, "TxtC");
        const QRect inside = code->contentsRect();
        const QRectF ink = QFontMetricsF(code->font()).tightBoundingRect(QStringLiteral("FF"));
        QVERIFY(ink.height() <= inside.height());
        QVERIFY(ink.width() <= inside.width());
        for (const char *name : {"CmdOK", "Cmdm", "CmdCE"}) {
            auto *b = control<QPushButton>(*window, name);
            const QFontMetrics fm(b->font());
            QVERIFY(fm.horizontalAdvance(b->text()) + 8 <= b->width());
            QVERIFY(fm.height() + 4 <= b->height());
        }
        // Result box: one line of its text fits, and the vertical scroll bar does not hide text.
        auto *result = control<ResultBox>(*window, "TxtGD");
        QVERIFY(QFontMetrics(result->font()).height() <= result->viewport()->height());
        QVERIFY(result->viewport()->mapTo(result, QPoint(result->viewport()->width(), 0)).x() <=
                result->verticalScrollBar()->mapTo(result, QPoint(0, 0)).x());
    }

    void colours()
    {
        const QPalette base = QApplication::palette();
        auto *result = control<ResultBox>(*window, "TxtGD");
        QCOMPARE(result->palette().color(QPalette::Active, QPalette::Text), QColor(128, 0, 0));
        QCOMPARE(result->palette().color(QPalette::Active, QPalette::Base), QColor(224, 224, 224));
        auto *code = control<QLineEdit>(*window, "TxtC");
        QCOMPARE(code->palette().color(QPalette::Active, QPalette::Text),
                 systemColour(SysColour::ActiveCaption, base));
        QCOMPARE(code->palette().color(QPalette::Active, QPalette::Base),
                 systemColour(SysColour::Window, base));
        QCOMPARE(control<CaptionLabel>(*window, "Label3")->palette().color(QPalette::WindowText),
                 systemColour(SysColour::AppWorkspace, base));
        QCOMPARE(control<CaptionLabel>(*window, "Label1")->palette().color(QPalette::WindowText),
                 systemColour(SysColour::ButtonText, base));
        QCOMPARE(window->palette().color(QPalette::Window), systemColour(SysColour::ButtonFace, base));

        // What is painted: the result box's background and the window's own face.
        const QImage shot = window->grab().toImage();
        const qreal dpr = window->devicePixelRatioF();
        QCOMPARE(shot.pixelColor(QPoint(qRound(200 * dpr), qRound(150 * dpr))), QColor(224, 224, 224));
        QCOMPARE(shot.pixelColor(QPoint(qRound(2 * dpr), qRound(2 * dpr))),
                 systemColour(SysColour::ButtonFace, base));
    }

    void labelsAreTransparentAndBeneath()
    {
        for (const char *name : {"Label1", "Label3"}) {
            auto *label = control<CaptionLabel>(*window, name);
            QVERIFY(!label->autoFillBackground());
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
            for (const char *above : {"TxtC", "TxtGD", "CmdOK", "Cmdm", "CmdCE"})
                QVERIFY(window->children().indexOf(label) <
                        window->children().indexOf(control<QWidget>(*window, above)));
        }
        // The lowest pixel row of Label3 lies under the result box.
        QWidget *hit = window->childAt(QPoint(100, 80));
        QVERIFY(hit == control<ResultBox>(*window, "TxtGD") ||
                control<ResultBox>(*window, "TxtGD")->isAncestorOf(hit));
    }

    void codeBoxTakesTwoCharacters_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("expected");
        QTest::newRow("three typed") << "abc"
                                     << ""
                                     << "ab";
        QTest::newRow("three pasted") << ""
                                      << "xyz"
                                      << "xy";
        QTest::newRow("typed then pasted") << "f"
                                           << "f00"
                                           << "ff";
        QTest::newRow("full, type more") << "ffa"
                                         << ""
                                         << "ff";
        QTest::newRow("full, paste more") << "ff"
                                          << "12"
                                          << "ff";
        QTest::newRow("Chinese pasted") << ""
                                        << "代码查询"
                                        << "代码";
        // The limit counts UTF-16 units; a character outside the BMP is never cut in half.
        const QString grin = QStringLiteral("\U0001F600");
        QTest::newRow("pair cut by the limit") << QStringLiteral("a") << grin << QStringLiteral("a");
        QTest::newRow("pair that fits") << QString() << grin + u'x' << grin;
        QTest::newRow("lone half pasted")
            << QString() << QString(QChar(0xD83D)) + u'f' << QStringLiteral("f");
    }
    void codeBoxTakesTwoCharacters()
    {
        QFETCH(QString, typed);
        QFETCH(QString, pasted);
        QFETCH(QString, expected);
        auto *code = control<QLineEdit>(*window, "TxtC");
        QCOMPARE(code->maxLength(), 2);
        code->setFocus();
        QTest::keyClicks(code, typed);
        if (!pasted.isEmpty()) {
            QApplication::clipboard()->setText(pasted);
            QTest::keySequence(code, QKeySequence::Paste);
        }
        QCOMPARE(code->text(), expected);
    }

    void resultBoxIsReadOnlyButCopies()
    {
        auto *result = control<ResultBox>(*window, "TxtGD");
        QVERIFY(result->isReadOnly());
        QCOMPARE(result->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(result->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(result->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        const QString before = result->text();

        result->setFocus();
        QTest::keyClicks(result, QStringLiteral("abc"));
        QTest::keyClick(result, Qt::Key_Delete);
        QTest::keyClick(result, Qt::Key_Backspace);
        QApplication::clipboard()->setText(QStringLiteral("pasted"));
        QTest::keySequence(result, QKeySequence::Paste);
        QTest::keySequence(result, QKeySequence::SelectAll);
        QTest::keySequence(result, QKeySequence::Cut);
        QCOMPARE(result->text(), before);
        QCOMPARE(result->toPlainText(),
                 QString(before).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

        QTest::keySequence(result, QKeySequence::SelectAll);
        QTest::keySequence(result, QKeySequence::Copy);
        QCOMPARE(QApplication::clipboard()->text(), result->toPlainText());
    }

    void resultBoxRoundTripsAndWraps()
    {
        auto *result = control<ResultBox>(*window, "TxtGD");
        const QString text = FfGuideText(); // long lines, CR LF between them
        result->setText(text);
        QCOMPARE(result->text(), text);
        QCOMPARE(result->textCursor().position(), 0);
        QVERIFY(!result->textCursor().hasSelection());
        QCOMPARE(result->verticalScrollBar()->value(), 0);
        QVERIFY(result->verticalScrollBar()->maximum() > 0); // taller than the box: it scrolls
        QVERIFY(!result->horizontalScrollBar()->isVisible());
        // The first long line wraps within the box.
        QVERIFY(result->document()->firstBlock().layout()->lineCount() > 1);
        result->verticalScrollBar()->setValue(result->verticalScrollBar()->maximum());
        QVERIFY(result->verticalScrollBar()->value() > 0);
    }

    void editMenusSpeakChinese_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("TxtC") << "TxtC" << QStringList{QStringLiteral("撤销(&U)"), QStringLiteral("重做(&R)"),
                                                       QStringLiteral("剪切(&T)"), QStringLiteral("复制(&C)"),
                                                       QStringLiteral("粘贴(&P)"), QStringLiteral("删除(&D)"),
                                                       QStringLiteral("全选(&A)")};
        QTest::newRow("TxtGD") << "TxtGD"
                               << QStringList{QStringLiteral("复制(&C)"), QStringLiteral("全选(&A)")};
    }
    void editMenusSpeakChinese()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, expected);
        QWidget *box = window->findChild<QWidget *>(name);
        QCOMPARE(box->contextMenuPolicy(), Qt::CustomContextMenu);
        Q_EMIT box->customContextMenuRequested(QPoint(5, 5));
        QMenu *menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())));
        QStringList labels;
        for (QAction *action : menu->actions()) {
            if (!action->isSeparator())
                labels << action->text().section(u'\t', 0, 0);
        }
        QCOMPARE(labels, expected);
        menu->close();
        QTRY_VERIFY(!QApplication::activePopupWidget());
    }

    void tabOrder()
    {
        const QStringList expected = {QStringLiteral("TxtC"),  QStringLiteral("CmdOK"),
                                      QStringLiteral("Cmdm"),  QStringLiteral("CmdCE"),
                                      QStringLiteral("TxtGD"), QStringLiteral("TxtC")};
        QVERIFY(QTest::qWaitForWindowActive(window));
        QCOMPARE(QApplication::focusWidget(), control<QWidget>(*window, "TxtC"));
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), expected.at(i));
        }
    }
};

QTEST_MAIN(TestFrmDc)
#include "tst_frmdc.moc"
