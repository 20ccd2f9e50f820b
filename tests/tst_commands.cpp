// The three commands and the keys that reach them, with the real modal message box.
#include "codetable.h"
#include "fixedtexts.h"
#include "frmdc.h"
#include "qttext.h"
#include "resultbox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace
{

// Watches for modal message boxes while it lives and closes each with Enter, as a user would. Records
// what each showed: icon, title, text, its buttons (an OK button by its caption, any other as "not OK"),
// and what the result box held at that moment.
class BoxWatcher : public QObject
{
public:
    explicit BoxWatcher(const ResultBox *result)
    {
        connect(&m_timer, &QTimer::timeout, this, [this, result] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            QStringList seen{QString::number(box->icon()), box->windowTitle(), box->text()};
            for (QAbstractButton *b : box->buttons())
                seen << (box->standardButton(b) == QMessageBox::Ok ? b->text() : QStringLiteral("not OK"));
            boxes.append(seen << result->text());
            QTest::keyClick(box, Qt::Key_Enter);
        });
        m_timer.start(0);
    }
    QList<QStringList> boxes;

private:
    QTimer m_timer;
};

} // namespace

class TestCommands : public QObject
{
    Q_OBJECT

    FrmDc *window = nullptr;
    QLineEdit *code = nullptr;
    ResultBox *result = nullptr;
    CodeTable table;

    // A click on the named control, a key pressed with the focus in it, or the window's close box.
    void act(const QString &target, const QString &action)
    {
        auto *w = window->findChild<QWidget *>(target);
        if (action == u"close box") {
            window->close();
        } else if (action == u"click") {
            QTest::mouseClick(w, Qt::LeftButton);
        } else {
            w->setFocus();
            QTest::keyClick(w, action == u"Return"  ? Qt::Key_Return
                               : action == u"Space" ? Qt::Key_Space
                                                    : Qt::Key_Escape);
        }
    }

private Q_SLOTS:
    void initTestCase()
    {
        FrmDc::setUpApplication();
        table.FillCodeTable();
    }

    void init()
    {
        window = new FrmDc;
        window->start();
        QVERIFY(QTest::qWaitForWindowActive(window));
        code = window->findChild<QLineEdit *>(QStringLiteral("TxtC"));
        result = window->findChild<ResultBox *>(QStringLiteral("TxtGD"));
    }
    void cleanup()
    {
        delete window;
        QVERIFY(QApplication::topLevelWidgets().isEmpty()); // no message box left behind
    }

    void query_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("target"); // the control clicked, or that has the focus for the key
        QTest::addColumn<QString>("action"); // click, Return or Space
        QTest::addColumn<int>("icon");       // QMessageBox::Icon, NoIcon when no box
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("codeAfter");
        const auto row = [](const char *name, const char *typed, const char *target, const char *action,
                            QMessageBox::Icon icon, const QString &result, const char *codeAfter) {
            QTest::newRow(name) << typed << target << action << int(icon) << result << codeAfter;
        };
        const QString notice = toQString(NoticeText()), guide = toQString(FfGuideText());
        const auto none = QMessageBox::NoIcon, warning = QMessageBox::Warning,
                   critical = QMessageBox::Critical;
        row("ff + Enter", "ff", "TxtC", "Return", none, toQString(table.text(172)), "FF");
        row("FF clicked", "FF", "CmdOK", "click", none, toQString(table.text(172)), "FF");
        row("00 + Enter in result box", "00", "TxtGD", "Return", none, toQString(table.text(0)), "00");
        row("3f clicked", "3f", "CmdOK", "click", warning, notice, "3f");
        row("blank and f", " f", "CmdOK", "click", warning, notice, " f");
        row("one digit", "F", "TxtC", "Return", warning, notice, "F");
        row("full-width FF", "ＦＦ", "CmdOK", "click", warning, notice, "ＦＦ");
        row("empty clicked", "", "CmdOK", "click", critical, notice, "");
        row("empty + Enter", "", "TxtC", "Return", critical, notice, "");
        row("empty + Enter in result box", "", "TxtGD", "Return", critical, notice, "");
        row("更多 clicked", "3f", "Cmdm", "click", none, guide, "");
        row("Enter on 更多", "3f", "Cmdm", "Return", none, guide, "");
        row("Space on 更多", "3f", "Cmdm", "Space", none, guide, "");
    }
    void query()
    {
        QFETCH(QString, typed);
        QFETCH(QString, target);
        QFETCH(QString, action);
        QFETCH(int, icon);
        QFETCH(QString, result);
        QFETCH(QString, codeAfter);

        code->setFocus();
        if (typed.toLatin1() == typed.toUtf8()) {
            QTest::keyClicks(code, typed);
        } else { // what an input method gives comes in as text, like a paste
            QApplication::clipboard()->setText(typed);
            QTest::keySequence(code, QKeySequence::Paste);
        }
        BoxWatcher watcher(this->result);
        act(target, action);

        if (icon == QMessageBox::NoIcon) {
            QVERIFY(watcher.boxes.isEmpty());
        } else {
            QCOMPARE(watcher.boxes.size(), 1);
            const QString prompt =
                toQString(icon == QMessageBox::Critical ? EmptyInputPrompt() : NoMatchPrompt());
            // One OK button, and the result box changes only after it.
            QCOMPARE(watcher.boxes.first(),
                     (QStringList{QString::number(icon), toQString(AppTitle()),
                                  QString(prompt).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                                  QStringLiteral("确定"), toQString(StartupText())}));
        }
        QCOMPARE(this->result->text(), result);
        QCOMPARE(code->text(), codeAfter);
        // A code written back leaves the caret at its start; a refused one stays as the user left it.
        QCOMPARE(code->cursorPosition(), icon == QMessageBox::NoIcon ? 0 : int(typed.size()));
        QVERIFY(!code->hasSelectedText());
        QCOMPARE(this->result->textCursor().position(), 0);
        QVERIFY(window->isVisible());
        QCOMPARE(window->focusWidget(), window->findChild<QWidget *>(target)); // no handler moves the focus
    }

    // Hundreds of queries in a row, as a user might type them, with the guide now and then: every
    // answer stays right, each refusal shows one message box, and the window gathers no objects on the
    // way. (The sanitizer build's LeakSanitizer sees leaks of any size; bench/soak_memory the memory.)
    void manyQueriesInARow()
    {
        // What is typed, and the slot it finds or -1.
        const std::pair<QString, int> queries[] = {{QStringLiteral("ff"), 172}, {QStringLiteral("3f"), -1},
                                                   {QStringLiteral("0B"), 11},  {QString(), -1},
                                                   {QStringLiteral("a7"), 150}, {QStringLiteral("zz"), -1}};
        BoxWatcher watcher(result);
        qsizetype children = 0;
        for (int round = 0; round < 50; ++round) {
            for (int i = 0; i < int(std::size(queries)); ++i) {
                const auto &[typed, slot] = queries[i];
                if (i == round % int(std::size(queries))) {
                    act(QStringLiteral("Cmdm"), QStringLiteral("Space"));
                    QCOMPARE(result->text(), toQString(FfGuideText()));
                }
                code->setFocus();
                code->selectAll();
                QTest::keyClick(code, Qt::Key_Backspace);
                const qsizetype boxes = watcher.boxes.size();
                QTest::keyClicks(code, typed);
                QTest::keyClick(code, Qt::Key_Return);
                QCOMPARE(code->text(), slot < 0 ? typed : toQString(table.code(slot)));
                QCOMPARE(result->text(), slot < 0 ? toQString(NoticeText()) : toQString(table.text(slot)));
                QCOMPARE(watcher.boxes.size(), boxes + (slot < 0 ? 1 : 0));
            }
            if (round == 0)
                children = window->findChildren<QObject *>().size();
        }
        QCOMPARE(window->findChildren<QObject *>().size(), children);
    }

    void exitEndsTheProgram_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("action"); // also Escape, or the close box
        for (const char *name : {"TxtC", "CmdOK", "Cmdm", "CmdCE", "TxtGD"})
            QTest::addRow("Escape in %s", name) << name << "Escape";
        for (const char *action : {"click", "Return", "Space"})
            QTest::addRow("退出 by %s", action) << "CmdCE" << action;
        QTest::newRow("close box") << QString() << QStringLiteral("close box");
    }
    void exitEndsTheProgram()
    {
        QFETCH(QString, target);
        QFETCH(QString, action);
        QTest::keyClicks(code, QStringLiteral("ff"));
        // As in the program: the event loop runs, the key or click arrives, the loop must end at once.
        QTimer::singleShot(0, window, [&] { act(target, action); });
        QTimer limit; // a time limit, not a wait: the loop normally ends at once
        limit.setSingleShot(true);
        connect(&limit, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
        limit.start(10000);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!window->isVisible());
        QCOMPARE(code->text(), QStringLiteral("ff")); // nothing else happened first
        QCOMPARE(result->text(), toQString(StartupText()));
    }
};

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
