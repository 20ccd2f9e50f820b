// The main window as the user sees it: controls, glyphs, captions, colours, limits, menus, focus order.
#include "captionlabel.h"
#include "codetable.h"
#include "fixedtexts.h"
#include "frmdc.h"
#include "qttext.h"
#include "resultbox.h"
#include "syscolours.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QInputMethod>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QStyle>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

namespace
{

template <typename T = QWidget> T *control(const QWidget &window, QAnyStringView name)
{
    T *w = window.findChild<T *>(name.toString());
    if (!w)
        qFatal("control %s missing", qPrintable(name.toString()));
    return w;
}

// Characters of the text that no font the toolkit picks for it can draw: each would be painted as an
// empty box.
QString undrawable(const QString &text, const QFont &font)
{
    QString missing;
    QSet<QChar> seen;
    for (QChar c : text) {
        if (c == u'\r' || c == u'\n' || seen.contains(c))
            continue;
        seen.insert(c);
        QTextLayout layout(QString(c), font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        for (const QGlyphRun &run : layout.glyphRuns()) {
            if (run.glyphIndexes().contains(0))
                missing += c;
        }
    }
    return missing;
}

// Where the text's layout in the font differs from the OpenType shaper's: a font may lay its text out
// without the shaper only where that gives the same glyphs at the same places. Empty where it does.
QString unlikeShaped(const QString &text, const QFont &font)
{
    QFont shaped = font;
    shaped.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() & ~QFont::PreferNoShaping));
    const auto glyphs = [](const QString &line, const QFont &f) {
        QTextLayout layout(line, f);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        QList<QPair<QList<quint32>, QList<QPointF>>> runs;
        for (const QGlyphRun &run : layout.glyphRuns())
            runs.append({run.glyphIndexes(), run.positions()});
        return runs;
    };
    for (const QString &line : QString(text).replace(u'\r', u'\n').split(u'\n', Qt::SkipEmptyParts)) {
        if (glyphs(line, font) != glyphs(line, shaped))
            return line;
    }
    return {};
}

// The rows and columns of a picture that hold ink: pixels that differ clearly from the background.
struct Ink {
    QRect bounds;
    int bands = 0; // runs of inked rows separated by blank ones: lines of text
};
Ink inkOf(const QImage &image, QColor background)
{
    Ink ink;
    bool inBand = false;
    for (int y = 0; y < image.height(); ++y) {
        bool rowInked = false;
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - background.red()) + qAbs(c.green() - background.green()) +
                    qAbs(c.blue() - background.blue()) >
                60) {
                rowInked = true;
                ink.bounds |= QRect(x, y, 1, 1);
            }
        }
        if (rowInked && !inBand)
            ++ink.bands;
        inBand = rowInked;
    }
    return ink;
}

// The contrast of what is painted in a rectangle: the text is the pixel that stands out most from the
// background.
struct Contrast {
    QColor background;
    qreal painted = 1;  // of the text's most standing-out pixel
    qreal possible = 1; // of black or white on the same background: the most any text could reach
};
Contrast paintedContrast(const QImage &image, const QRect &rect)
{
    // The background is the median pixel: text covers far less than half of the rectangle, and of a
    // gradient face the median is its middle, wherever the rectangle's edges fall.
    QList<QRgb> pixels;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            pixels.append(image.pixel(x, y));
    const auto middle = pixels.begin() + pixels.size() / 2;
    std::nth_element(pixels.begin(), middle, pixels.end(),
                     [](QRgb a, QRgb b) { return qGray(a) < qGray(b); });
    Contrast c;
    c.background = QColor(*middle);
    for (QRgb pixel : std::as_const(pixels))
        c.painted = qMax(c.painted, contrastRatio(QColor(pixel), c.background));
    c.possible = qMax(contrastRatio(Qt::black, c.background), contrastRatio(Qt::white, c.background));
    return c;
}

QPalette highContrast(const QColor &back, const QColor &fore)
{
    QPalette p(fore, back, back, back, back, fore, fore, back, back);
    p.setColor(QPalette::Highlight, QColor(0, 255, 255));
    p.setColor(QPalette::HighlightedText, back);
    return p;
}

// KDE's Breeze Dark.
QPalette breezeDark()
{
    QPalette p(QColor(252, 252, 252), QColor(49, 54, 59), QColor(70, 77, 84), QColor(26, 29, 31),
               QColor(49, 54, 59), QColor(252, 252, 252), QColor(252, 252, 252), QColor(35, 38, 41),
               QColor(42, 46, 50));
    p.setColor(QPalette::Highlight, QColor(61, 174, 233));
    return p;
}

} // namespace

class TestFrmDc : public QObject
{
    Q_OBJECT

    FrmDc *window = nullptr;

    void open()
    {
        window = new FrmDc([](QWidget *, QMessageBox::Icon, const QString &, const QString &prompt) {
            QFAIL(qPrintable(QStringLiteral("unexpected message box: ") + prompt));
        });
        window->start();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }

private Q_SLOTS:
    void initTestCase()
    {
        FrmDc::setUpApplication();
        qInfo("faces covering simplified Chinese: %s",
              qPrintable(QFontDatabase::families(QFontDatabase::SimplifiedChinese).join(u", ")));
    }
    void init() { open(); }
    void cleanup()
    {
        delete window;
        window = nullptr;
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void geometry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("TxtC") << "TxtC" << QRect(168, 8, 57, 34);
        QTest::newRow("Label1") << "Label1" << QRect(24, 16, 153, 25);
        QTest::newRow("CmdOK") << "CmdOK" << QRect(8, 200, 73, 33);
        QTest::newRow("Cmdm") << "Cmdm" << QRect(88, 200, 73, 33);
        QTest::newRow("CmdCE") << "CmdCE" << QRect(168, 200, 73, 33);
        QTest::newRow("TxtGD") << "TxtGD" << QRect(8, 80, 233, 113);
        QTest::newRow("Label3") << "Label3" << QRect(8, 48, 233, 33);
    }
    void geometry()
    {
        QFETCH(QString, name);
        QFETCH(QRect, pixels);
        QCOMPARE(window->size(), QSize(249, 241));
        QWidget *w = control(*window, name);
        QCOMPARE(w->geometry(), pixels);
        QVERIFY(w->isVisible() && w->isEnabled());
        // On any display the toolkit scales the same layout: device pixels follow the pixel ratio.
        QCOMPARE(w->grab().size(), (QSizeF(pixels.size()) * w->devicePixelRatioF()).toSize());
    }

    void captionsAndTexts()
    {
        QCOMPARE(window->windowTitle(), QStringLiteral("DEBUG代码查询系统"));
        QCOMPARE(control<QPushButton>(*window, "CmdOK")->text(), QStringLiteral("查询"));
        QCOMPARE(control<QPushButton>(*window, "Cmdm")->text(), QStringLiteral("更多"));
        QCOMPARE(control<QPushButton>(*window, "CmdCE")->text(), QStringLiteral("退出"));
        QCOMPARE(control<CaptionLabel>(*window, "Label1")->text(), QStringLiteral("DEBUG代码："));
        QCOMPARE(control<CaptionLabel>(*window, "Label3")->text(),
                 QStringLiteral("代码适用：Award BIOS、Ami BIOS、Phoenix BIOS、Tandy 3000 BIOS"));
        QCOMPARE(control<QLineEdit>(*window, "TxtC")->text(), QString());
        QCOMPARE(control<ResultBox>(*window, "TxtGD")->text(), toQString(StartupText()));
    }

    // Whatever Chinese face is installed, nothing the window can show is drawn as an empty box, and all
    // of it is drawn as the OpenType shaper sets it: joined, kerned, with its ligatures.
    void everyCharacterHasAGlyph_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QString results = toQString(StartupText()) + toQString(NoticeText()) + toQString(FfGuideText());
        CodeTable table;
        table.FillCodeTable();
        for (int k = 0; k < CodeTable::RowCount; ++k)
            results += toQString(table.text(k));
        QTest::newRow("result box") << "TxtGD" << results;
        QTest::newRow("code box") << "TxtC" << QStringLiteral("0123456789ABCDEFabcdef");
        // A character that no Chinese face has (Armenian, as DejaVu has it), pasted into the box: the
        // window names one face, and what that face lacks is borrowed from another installed font.
        if (!QFontDatabase::families(QFontDatabase::Armenian).isEmpty())
            QTest::newRow("code box, borrowed") << "TxtC" << QStringLiteral("Աա");
        // Letters that join (Arabic lam and alef, as DejaVu has them) are joined in the box.
        if (!QFontDatabase::families(QFontDatabase::Arabic).isEmpty())
            QTest::newRow("code box, joined") << "TxtC" << QStringLiteral("لا");
        for (const char *name : {"Label1", "Label3", "CmdOK", "Cmdm", "CmdCE"})
            QTest::newRow(name) << name << QString(); // the caption it shows
        // Message boxes and menus are windows of their own, in the application's font.
        QTest::newRow("message boxes and menus")
            << ""
            << toQString(AppTitle()) + toQString(EmptyInputPrompt()) + toQString(NoMatchPrompt()) +
                   QStringLiteral("确定撤销重做剪切复制粘贴删除全选滚动到这里顶部底部向上向下翻页(&U)");
    }
    void everyCharacterHasAGlyph()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        const QWidget *w = name.isEmpty() ? nullptr : control(*window, name);
        if (text.isEmpty())
            text = w->property("text").toString();
        const QFont font = w ? w->font() : QApplication::font();
        QCOMPARE(undrawable(text, font), QString());
        QCOMPARE(unlikeShaped(text, font), QString());
    }

    // Each caption keeps its lines (one and two), is never cut off and keeps clear of the code box.
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
        auto *label = control<CaptionLabel>(*window, name);
        const qreal dpr = label->devicePixelRatioF();
        const QImage picture = label->grab().toImage();
        const Ink ink = inkOf(picture, window->palette().color(QPalette::Window));
        QCOMPARE(ink.bands, lines);
        const QRectF laidOut = label->inkRect();
        QVERIFY2(QRectF(label->rect()).adjusted(-0.5, -0.5, 0.5, 0.5).contains(laidOut),
                 "the caption does not fit its label: it is cut off");
        // The code box lies above the right end of Label1.
        const QRect code = control(*window, "TxtC")->geometry();
        if (code.intersects(label->geometry()))
            QVERIFY2(ink.bounds.right() < (code.x() - label->x()) * dpr,
                     "the caption runs under the code box");
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
        auto *result = control<ResultBox>(*window, "TxtGD");
        QVERIFY(QFontMetrics(result->font()).height() <= result->viewport()->height());
    }

    // Every text stays at least as legible as the same text painted in the classic light look, in any
    // colour scheme, and reaches 4.5:1 in high-contrast ones. Measured on what is painted, so that both
    // sides see the same anti-aliasing.
    QMap<QByteArray, Contrast> paintedContrasts(const QPalette &palette)
    {
        delete window;
        const QPalette before = QApplication::palette();
        QApplication::setPalette(palette);
        open();
        QApplication::setPalette(before);
        QTest::keyClicks(control<QLineEdit>(*window, "TxtC"), QStringLiteral("FF"));
        window->focusWidget()->clearFocus(); // no caret in a box, no focus frame on a button
        // Where each text is painted: inside each box's and button's frame (twice the style's frame
        // width, clear of the rounded corners and shading just inside it), the captions where no control
        // lies above them, and the result box's viewport, clear of its scroll bar.
        const auto inside = [&](const char *name) {
            const QWidget *w = control(*window, name);
            const int frame = 2 * w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
            return std::pair(name, w->geometry().adjusted(frame, frame, -frame, -frame));
        };
        const auto clearOf = [&](const char *name, const char *above) {
            const QRect covered = control(*window, above)->geometry();
            return std::pair(name, (QRegion(control(*window, name)->geometry()) - covered).boundingRect());
        };
        const QWidget *viewport = control<ResultBox>(*window, "TxtGD")->viewport();
        const qreal dpr = window->devicePixelRatioF();
        const QImage shot = window->grab().toImage();
        QMap<QByteArray, Contrast> ratios;
        for (const auto &[name, r] :
             {inside("TxtC"), clearOf("Label1", "TxtC"), inside("CmdOK"), inside("Cmdm"), inside("CmdCE"),
              clearOf("Label3", "TxtGD"),
              std::pair("TxtGD", QRect(viewport->mapTo(window, QPoint()), viewport->size()))})
            ratios[name] = paintedContrast(shot, QRect(r.topLeft() * dpr, r.size() * dpr));
        return ratios;
    }
    void coloursStayLegible_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::addColumn<qreal>("least");
        QTest::newRow("the platform's own") << QApplication::palette() << 1.0;
        QTest::newRow("Breeze Dark") << breezeDark() << 1.0;
        QTest::newRow("high contrast, white on black") << highContrast(Qt::black, Qt::white) << 4.5;
        QTest::newRow("high contrast, black on white") << highContrast(Qt::white, Qt::black) << 4.5;
    }
    void coloursStayLegible()
    {
        QFETCH(QPalette, palette);
        QFETCH(qreal, least);
        // Thin faces never cover a whole pixel with a stroke, and the toolkit blends light text on
        // dark thinner than dark on light: the comparison holds in the faces the window prefers.
        if (qEnvironmentVariableIsSet("FONTCONFIG_FILE"))
            QSKIP("colours are compared in the preferred faces; this run checks glyphs and captions");
        // The Windows Standard scheme; the toolkit's roles that stand for its system colours.
        QPalette classic(Qt::black, QColor(192, 192, 192), Qt::white, QColor(128, 128, 128),
                         QColor(160, 160, 160), Qt::black, Qt::black, Qt::white, QColor(192, 192, 192));
        classic.setColor(QPalette::Highlight, QColor(0, 0, 128));
        const QMap<QByteArray, Contrast> floors = paintedContrasts(classic);
        const QMap<QByteArray, Contrast> ratios = paintedContrasts(palette);
        for (const QByteArray &name : ratios.keys()) {
            // As legible as the classic look, or as the scheme's background allows.
            const qreal floor = qMax(qMin(floors[name].painted, ratios[name].possible) * 0.95, least);
            QVERIFY2(ratios[name].painted >= floor, qPrintable(QStringLiteral("%1: %2:1, wanted %3:1")
                                                                   .arg(QLatin1String(name))
                                                                   .arg(ratios[name].painted, 0, 'f', 2)
                                                                   .arg(floor, 0, 'f', 2)));
        }
        // The result box keeps its own fixed colours whatever the scheme.
        QCOMPARE(ratios["TxtGD"].background, QColor(224, 224, 224));
        // On a GTK desktop the platform's palette is the theme's: its light or dark face must show.
        const QByteArray gtkTheme = qgetenv("GTK_THEME");
        if (QTest::currentDataTag() == QByteArrayView("the platform's own") && !gtkTheme.isEmpty())
            QCOMPARE(ratios["Label1"].background.lightnessF() < 0.5, gtkTheme.endsWith(":dark"));
    }

    // Contrast themes, with the platform saying one is on: every text of the window reaches the
    // high-contrast floor (7:1), and the theme's own colours stay where they already do. Below the
    // window, since wine always says "off" and Qt 6.4 does not say at all.
    void contrastThemesReachTheFloor_data()
    {
        QTest::addColumn<QColor>("buttonText");
        QTest::addColumn<QColor>("buttonFace");
        QTest::addColumn<QColor>("window");
        QTest::addColumn<QColor>("windowText");
        // Button text on button face and window text on window, as each theme publishes them.
        const auto row = [](const char *name, const char *text, const char *face, const char *window,
                            const char *windowText) {
            QTest::newRow(name) << QColor(QLatin1StringView(text)) << QColor(QLatin1StringView(face))
                                << QColor(QLatin1StringView(window)) << QColor(QLatin1StringView(windowText));
        };
        row("Windows 11 Aquatic", "#FFFFFF", "#202020", "#202020", "#FFFFFF");
        row("Windows 11 Desert", "#202020", "#FFFAEF", "#FFFAEF", "#3D3D3D");
        row("Windows 11 Dusk", "#B6F6F0", "#2D3236", "#2D3236", "#FFFFFF");
        row("Windows 11 Night sky", "#FFEE32", "#292929", "#000000", "#FFFFFF");
        row("Windows 10 High Contrast Black", "#FFFFFF", "#000000", "#000000", "#FFFFFF");
        row("Windows 10 High Contrast White", "#000000", "#FFFFFF", "#FFFFFF", "#000000");
    }
    void contrastThemesReachTheFloor()
    {
        QFETCH(QColor, buttonText);
        QFETCH(QColor, buttonFace);
        QFETCH(QColor, window);
        QFETCH(QColor, windowText);
        // The caption-bar and workspace colours, which the code box and Label3 are written in, at their
        // classic navy and grey: the least legible they could be on these grounds.
        const auto system = [&](SysColour which) -> Rgb {
            switch (which) {
            case SysColour::ButtonText:
                return toRgb(buttonText);
            case SysColour::ButtonFace:
                return toRgb(buttonFace);
            case SysColour::Window:
                return toRgb(window);
            case SysColour::WindowText:
                return toRgb(windowText);
            case SysColour::ActiveCaption:
                return {0, 0, 128};
            case SysColour::AppWorkspace:
                return {128, 128, 128};
            }
            return {};
        };
        const WindowColours c = windowColours(system, true);
        for (const auto &[what, text, ground] :
             {std::tuple("labels and buttons", c.faceText, c.face),
              std::tuple("code box", c.codeText, c.codeBase), std::tuple("Label3", c.label3Text, c.face)}) {
            const qreal ratio = contrastRatio(text, ground);
            QVERIFY2(ratio >= 7,
                     qPrintable(QStringLiteral("%1: %2:1").arg(QLatin1StringView(what)).arg(ratio)));
        }
        // The theme's grounds keep their side: a dark theme stays dark, a light one light.
        QCOMPARE(toQColor(c.face).lightnessF() < 0.5, buttonFace.lightnessF() < 0.5);
        QCOMPARE(toQColor(c.codeBase).lightnessF() < 0.5, window.lightnessF() < 0.5);
    }

    void codeBoxTakesTwoCharacters_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("expected");
        const QString grin = QStringLiteral("\U0001F600");
        const auto row = [](const char *name, const QString &typed, const QString &pasted,
                            const QString &expected) { QTest::newRow(name) << typed << pasted << expected; };
        row("three typed", QStringLiteral("abc"), {}, QStringLiteral("ab"));
        row("three pasted", {}, QStringLiteral("xyz"), QStringLiteral("xy"));
        row("typed then pasted", QStringLiteral("f"), QStringLiteral("f00"), QStringLiteral("ff"));
        row("full, type more", QStringLiteral("ffa"), {}, QStringLiteral("ff"));
        row("full, paste more", QStringLiteral("ff"), QStringLiteral("12"), QStringLiteral("ff"));
        row("Chinese pasted", {}, QStringLiteral("代码查询"), QStringLiteral("代码"));
        row("full width pasted", {}, QStringLiteral("ＦＦ"), QStringLiteral("ＦＦ"));
        // The limit counts UTF-16 units; a character outside the BMP is never cut in half.
        row("pair cut by the limit", QStringLiteral("a"), grin, QStringLiteral("a"));
        row("pair that fits", {}, grin + u'x', grin);
        row("lone half pasted", {}, QString(QChar(0xD83D)) + u'f', QStringLiteral("f"));
    }
    void codeBoxTakesTwoCharacters()
    {
        QFETCH(QString, typed);
        QFETCH(QString, pasted);
        QFETCH(QString, expected);
        auto *code = control<QLineEdit>(*window, "TxtC");
        code->setFocus();
        QTest::keyClicks(code, typed);
        if (!pasted.isEmpty()) {
            QApplication::clipboard()->setText(pasted);
            QTest::keySequence(code, QKeySequence::Paste);
        }
        QCOMPARE(code->text(), expected);
        // Typed straight from the keyboard: no input method composes in the box, whichever way the
        // platform's input context asks the focused box.
        QTRY_COMPARE(QGuiApplication::focusObject(), code);
        QInputMethodQueryEvent query(Qt::ImEnabled);
        QCoreApplication::sendEvent(code, &query);
        QVERIFY(!query.value(Qt::ImEnabled).toBool());
        QVERIFY(!QGuiApplication::inputMethod()->queryFocusObject(Qt::ImEnabled, {}).toBool());
    }

    void resultBoxRoundTripsAndWraps()
    {
        auto *result = control<ResultBox>(*window, "TxtGD");
        const QString text = toQString(FfGuideText()); // long lines, CR LF between them
        result->setText(text);
        QCOMPARE(result->text(), text);
        QCOMPARE(result->textCursor().position(), 0);
        QVERIFY(!result->textCursor().hasSelection());
        QCOMPARE(result->verticalScrollBar()->value(), 0);
        QVERIFY(result->verticalScrollBar()->isVisible());
        QVERIFY(result->verticalScrollBar()->maximum() > 0); // taller than the box: it scrolls
        QVERIFY(!result->horizontalScrollBar()->isVisible());
        // The first long line wraps within the box.
        QVERIFY(result->document()->firstBlock().layout()->lineCount() > 1);
    }

    // The menus a right click opens speak Chinese: every item, nothing left in English.
    void menusSpeakChinese_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("code box") << "TxtC"
                                  << QStringList{QStringLiteral("撤销(&U)"), QStringLiteral("重做(&R)"),
                                                 QStringLiteral("剪切(&T)"), QStringLiteral("复制(&C)"),
                                                 QStringLiteral("粘贴(&P)"), QStringLiteral("删除(&D)"),
                                                 QStringLiteral("全选(&A)")};
        QTest::newRow("result box") << "TxtGD"
                                    << QStringList{QStringLiteral("复制(&C)"), QStringLiteral("全选(&A)")};
        QTest::newRow("result box's scroll bar")
            << "scroll bar" << QStringList{QStringLiteral("滚动到这里"), QStringLiteral("顶部"),
                                           QStringLiteral("底部"),       QStringLiteral("向上翻页"),
                                           QStringLiteral("向下翻页"),   QStringLiteral("向上滚动"),
                                           QStringLiteral("向下滚动")};
    }
    void menusSpeakChinese()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, expected);
        QWidget *target = name == u"scroll bar" ? control<ResultBox>(*window, "TxtGD")->verticalScrollBar()
                                                : control(*window, name);
        QApplication::clipboard()->setText(QStringLiteral("x")); // so that paste is offered
        // Some menus run their own event loop: read and close the menu from inside it.
        QStringList labels;
        QTimer reader;
        connect(&reader, &QTimer::timeout, this, [&] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                for (QAction *action : menu->actions()) {
                    if (!action->isSeparator())
                        labels << action->text().section(u'\t', 0, 0);
                }
                menu->close();
                reader.stop();
            }
        });
        reader.start(5);
        // Through the window, as the platform delivers it, so that the toolkit turns it into a
        // context-menu request.
        QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, target->mapTo(window, QPoint(5, 5)));
        QTRY_VERIFY(!reader.isActive());
        QCOMPARE(labels, expected);
        QTRY_VERIFY(!QApplication::activePopupWidget());
    }

    void tabOrder()
    {
        const QStringList expected = QStringLiteral("TxtC CmdOK Cmdm CmdCE TxtGD TxtC").split(u' ');
        QVERIFY(QTest::qWaitForWindowActive(window));
        QCOMPARE(QApplication::focusWidget(), control(*window, "TxtC"));
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), expected.at(i));
        }
    }
};

QTEST_MAIN(TestFrmDc)
#include "tst_frmdc.moc"
