// Soak: ten thousand queries typed into the window, each giving the right answer.
#include "fixedtexts.h"
#include "frmdc.h"
#include "resultbox.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

class TestSoak : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tenThousandQueriesKeepTheirAnswers()
    {
        int boxes = 0;
        FrmDc window([&](QWidget *, QMessageBox::Icon, const QString &, const QString &) { ++boxes; });
        window.start();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *code = window.findChild<QLineEdit *>(QStringLiteral("TxtC"));
        auto *result = window.findChild<ResultBox *>(QStringLiteral("TxtGD"));
        auto *more = window.findChild<QWidget *>(QStringLiteral("Cmdm"));
        const CodeTable &table = window.codeTable();

        // Found codes in both cases, misses and empty queries, in turn; slot -1 means refused.
        const struct {
            QString typed;
            int slot;
        } queries[] = {{QStringLiteral("ff"), 172}, {QStringLiteral("3f"), -1},
                       {QStringLiteral("0B"), 11},  {QString(), -1},
                       {QStringLiteral("a7"), 150}, {QStringLiteral("zz"), -1}};
        int refused = 0;
        for (int i = 0; i < 10000; ++i) {
            const auto &query = queries[i % std::size(queries)];
            code->setFocus();
            code->selectAll();
            QTest::keyClick(code, Qt::Key_Backspace);
            if (i % 97 == 0) // now and then the guide comes between two queries
                QTest::keyClick(more, Qt::Key_Space);
            QTest::keyClicks(code, query.typed);
            QTest::keyClick(code, Qt::Key_Return);
            QCoreApplication::processEvents(); // as the event loop would, between two key presses
            if (query.slot >= 0) {
                QCOMPARE(code->text(), table.code(query.slot));
                QCOMPARE(result->text(), table.text(query.slot));
            } else {
                ++refused;
                QCOMPARE(code->text(), query.typed);
                QCOMPARE(result->text(), NoticeText());
            }
        }
        QCOMPARE(boxes, refused); // one message box for each refused query, no more
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
