// The three commands and the keys that reach them, with the real modal message box.
#include "codetable.h"
#include "fixedtexts.h"
#include "frmdc.h"
#include "qttext.h"
#include "resultbox.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace
{

// What a message box showed while it was open, and what the result box held at that moment.
struct SeenBox {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    int buttons = 0;
    QString okText;
    QString resultWhileOpen;
};

// Watches for modal message boxes while armed, records each and closes it with Enter, as a user would.
class BoxWatcher : public QObject
{
public:
    BoxWatcher(const ResultBox *result) : m_result(result)
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            SeenBox seen;
            seen.icon = box->icon();
            seen.title = box->windowTitle();
            seen.text = box->text();
            const QList<QAbstractButton *> buttons = box->buttons();
            seen.buttons = buttons.size();
            if (!buttons.isEmpty())
                seen.okText = box->standardButton(buttons.first()) == QMessageBox::Ok
                                  ? buttons.first()->text()
                                  : QString();
            seen.resultWhileOpen = m_result->text();
            boxes.append(seen);
            QTest::keyClick(box, Qt::Key_Enter);
        });
        m_timer.start(0);
    }
    QList<SeenBox> boxes;

private:
    const ResultBox *m_result;
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

    QPushButton *button(const char *name)
    {
        return window->findChild<QPushButton *>(QString::fromLatin1(name));
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
        QTest::addColumn<QString>("how"); // click, enter (in TxtC), enterInResult
        QTest::addColumn<int>("icon");    // QMessageBox::Icon, NoIcon when no box
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("codeAfter");
        const auto row = [](const char *name, const char *typed, const char *how, QMessageBox::Icon icon,
                            const QString &result, const char *codeAfter) {
            QTest::newRow(name) << typed << how << int(icon) << result << codeAfter;
        };
        const QString notice = toQString(NoticeText());
        const auto none = QMessageBox::NoIcon, warning = QMessageBox::Warning,
                   critical = QMessageBox::Critical;
        row("ff + Enter", "ff", "enter", none, toQString(table.text(172)), "FF");
        row("FF clicked", "FF", "click", none, toQString(table.text(172)), "FF");
        row("0b + Enter", "0b", "enter", none, toQString(table.text(11)), "0B");
        row("a7 clicked", "a7", "click", none, toQString(table.text(150)), "A7");
        row("00 + Enter in result box", "00", "enterInResult", none, toQString(table.text(0)), "00");
        row("3f clicked", "3f", "click", warning, notice, "3f");
        row("3F + Enter", "3F", "enter", warning, notice, "3F");
        row("blank and f", " f", "click", warning, notice, " f");
        row("one digit", "F", "enter", warning, notice, "F");
        row("full-width FF", "ＦＦ", "click", warning, notice, "ＦＦ");
        row("empty clicked", "", "click", critical, notice, "");
        row("empty + Enter", "", "enter", critical, notice, "");
        row("empty + Enter in result box", "", "enterInResult", critical, notice, "");
    }
    void query()
    {
        QFETCH(QString, typed);
        QFETCH(QString, how);
        QFETCH(int, icon);
        QFETCH(QString, result);
        QFETCH(QString, codeAfter);

        code->setFocus();
        if (QStringView(typed).toLatin1().size() == typed.size() && typed.toLatin1() == typed.toUtf8()) {
            QTest::keyClicks(code, typed);
        } else { // what an input method gives comes in as text, like a paste
            QApplication::clipboard()->setText(typed);
            QTest::keySequence(code, QKeySequence::Paste);
        }
        BoxWatcher watcher(this->result);
        if (how == u"click") {
            QTest::mouseClick(button("CmdOK"), Qt::LeftButton);
        } else if (how == u"enter") {
            QTest::keyClick(code, Qt::Key_Return);
        } else {
            this->result->setFocus();
            QTest::keyClick(this->result, Qt::Key_Return);
        }

        if (icon == QMessageBox::NoIcon) {
            QVERIFY(watcher.boxes.isEmpty());
        } else {
            QCOMPARE(watcher.boxes.size(), 1);
            const SeenBox &box = watcher.boxes.first();
            QCOMPARE(int(box.icon), icon);
            QCOMPARE(box.title, toQString(AppTitle()));
            const QString prompt =
                icon == QMessageBox::Critical ? toQString(EmptyInputPrompt()) : toQString(NoMatchPrompt());
            QCOMPARE(box.text, QString(prompt).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
            QCOMPARE(box.buttons, 1);
            QCOMPARE(box.okText, QStringLiteral("确定"));
            QCOMPARE(box.resultWhileOpen, toQString(StartupText())); // the result box changes only after OK
        }
        QCOMPARE(this->result->text(), result);
        QCOMPARE(code->text(), codeAfter);
        // A code written back leaves the caret at its start; a refused one stays as the user left it.
        QCOMPARE(code->cursorPosition(), icon == QMessageBox::NoIcon ? 0 : int(typed.size()));
        QVERIFY(!code->hasSelectedText());
        QCOMPARE(this->result->textCursor().position(), 0);
        QVERIFY(window->isVisible());
        // No handler moves the focus.
        QCOMPARE(window->focusWidget(), how == u"click"   ? static_cast<QWidget *>(button("CmdOK"))
                                        : how == u"enter" ? static_cast<QWidget *>(code)
                                                          : static_cast<QWidget *>(this->result));
    }

    // Hundreds of queries in a row, as a user might type them, with the guide now and then: every
    // answer stays right, each refusal shows one message box, and the window gathers no objects on the
    // way. (The sanitizer build's LeakSanitizer sees leaks of any size; bench/soak_memory the memory.)
    void manyQueriesInARow()
    {
        const struct {
            QString typed;
            int slot; // -1: refused
        } queries[] = {{QStringLiteral("ff"), 172}, {QStringLiteral("3f"), -1},
                       {QStringLiteral("0B"), 11},  {QString(), -1},
                       {QStringLiteral("a7"), 150}, {QStringLiteral("zz"), -1}};
        QPushButton *more = button("Cmdm");
        BoxWatcher watcher(result);
        qsizetype children = 0;
        for (int round = 0; round < 50; ++round) {
            for (int i = 0; i < int(std::size(queries)); ++i) {
                const auto &[typed, slot] = queries[i];
                code->setFocus();
                code->selectAll();
                QTest::keyClick(code, Qt::Key_Backspace);
                if (i == round % int(std::size(queries))) {
                    QTest::keyClick(more, Qt::Key_Space);
                    QCOMPARE(result->text(), toQString(FfGuideText()));
                }
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

    void moreShowsTheGuideAndEmptiesTheCode_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("clicked") << "click";
        QTest::newRow("Enter on the focused button") << "enter";
        QTest::newRow("Space on the focused button") << "space";
    }
    void moreShowsTheGuideAndEmptiesTheCode()
    {
        QFETCH(QString, how);
        QTest::keyClicks(code, QStringLiteral("3f"));
        QPushButton *more = button("Cmdm");
        if (how == u"click") {
            QTest::mouseClick(more, Qt::LeftButton);
        } else {
            more->setFocus();
            QTest::keyClick(more, how == u"enter" ? Qt::Key_Return : Qt::Key_Space);
        }
        QCOMPARE(code->text(), QString());
        QCOMPARE(result->text(), toQString(FfGuideText()));
        QCOMPARE(result->textCursor().position(), 0);
    }

    void exitEndsTheProgram_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("how");
        for (const char *name : {"TxtC", "CmdOK", "Cmdm", "CmdCE", "TxtGD"})
            QTest::addRow("Escape in %s", name) << name << "escape";
        QTest::newRow("退出 clicked") << "TxtC"
                                      << "click";
        QTest::newRow("Enter on 退出") << "CmdCE"
                                       << "enter";
        QTest::newRow("Space on 退出") << "CmdCE"
                                       << "space";
        QTest::newRow("close box") << "TxtC"
                                   << "close box";
    }
    void exitEndsTheProgram()
    {
        QFETCH(QString, focus);
        QFETCH(QString, how);
        QTest::keyClicks(code, QStringLiteral("ff"));
        QWidget *target = window->findChild<QWidget *>(focus);
        target->setFocus();
        // As in the program: the event loop runs, the key or click arrives, the loop must end at once.
        QTimer::singleShot(0, window, [&] {
            if (how == u"escape")
                QTest::keyClick(target, Qt::Key_Escape);
            else if (how == u"click")
                QTest::mouseClick(button("CmdCE"), Qt::LeftButton);
            else if (how == u"close box")
                window->close();
            else
                QTest::keyClick(target, how == u"enter" ? Qt::Key_Return : Qt::Key_Space);
        });
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
