// LookupCode: what any typed text yields against the filled table.
#include "lookup.h"
#include "qttext.h"

#include <QHash>
#include <QTest>

Q_DECLARE_METATYPE(LookupKind)

class TestLookup : public QObject
{
    Q_OBJECT

    CodeTable table;

private Q_SLOTS:
    void initTestCase() { table.FillCodeTable(); }

    void answers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<LookupKind>("kind");
        QTest::addColumn<int>("slot"); // -1 unless found
        // Every two-digit code, in every letter case: a row's code finds its slot, any other nothing.
        QHash<QString, int> slots;
        for (int k = 0; k < CodeTable::RowCount; ++k)
            slots.insert(toQString(table.code(k)), k);
        for (int v = 0; v < 256; ++v) {
            const QString code = QStringLiteral("%1").arg(v, 2, 16, QChar(u'0')).toUpper();
            const int slot = slots.value(code, -1);
            const LookupKind kind = slot < 0 ? LookupKind::NoMatch : LookupKind::Found;
            for (const QString &c : {code, code.toLower(), code.left(1).toLower() + code.mid(1),
                                     code.left(1) + code.mid(1).toLower()})
                QTest::addRow("%s as %s", qPrintable(code), qPrintable(c)) << c << kind << slot;
        }
        // Texts that are not a code as stored, nothing trimmed or widened.
        const LookupKind none = LookupKind::NoMatch;
        QTest::newRow("empty") << QStringLiteral("") << LookupKind::EmptyInput << -1;
        QTest::newRow("null") << QString() << LookupKind::EmptyInput << -1;
        QTest::newRow("blank then f") << QStringLiteral(" f") << none << -1;
        QTest::newRow("f then blank") << QStringLiteral("f ") << none << -1;
        QTest::newRow("single F") << QStringLiteral("F") << none << -1;
        QTest::newRow("fff") << QStringLiteral("fff") << none << -1;
        QTest::newRow("full-width FF") << QStringLiteral("ＦＦ") << none << -1;
        QTest::newRow("code then long tail") << QStringLiteral("ff") + QString(5000, u' ') << none << -1;
    }
    void answers()
    {
        QFETCH(QString, text);
        QFETCH(LookupKind, kind);
        QFETCH(int, slot);
        const LookupResult r = LookupCode(table, toView(text), QtLower{});
        QCOMPARE(r.kind, kind);
        QCOMPARE(r.slot, slot);
    }

    // The table it is given, not built-in rows: an unfilled table knows no code.
    void unfilledTableFindsNothing()
    {
        QCOMPARE(LookupCode(CodeTable(), u"FF", QtLower{}).kind, LookupKind::NoMatch);
    }
};

QTEST_GUILESS_MAIN(TestLookup)
#include "tst_lookup.moc"
