// LookupCode: what any typed text yields against the filled table.
#include "lookup.h"

#include <QSet>
#include <QTest>

Q_DECLARE_METATYPE(LookupKind)

class TestLookup : public QObject
{
    Q_OBJECT

    CodeTable table;

    static void addRow(const char *name, const QString &text, LookupKind kind, int slot)
    {
        QTest::newRow(name) << text << kind << slot;
    }

private Q_SLOTS:
    void initTestCase() { table.FillCodeTable(); }

    void everyCodeInEveryLetterCase_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("slot");
        for (int k = 0; k < CodeTable::RowCount; ++k) {
            const QString code = table.code(k);
            const QString variants[] = {code, code.toLower(), code.left(1).toLower() + code.mid(1),
                                        code.left(1) + code.mid(1).toLower()};
            for (const QString &v : variants)
                QTest::addRow("%s as %s", qPrintable(code), qPrintable(v)) << v << k;
        }
    }
    void everyCodeInEveryLetterCase()
    {
        QFETCH(QString, text);
        QFETCH(int, slot);
        const LookupResult r = LookupCode(table, text);
        QCOMPARE(r.kind, LookupKind::Found);
        QCOMPARE(r.slot, slot);
    }

    void namedCases_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<LookupKind>("kind");
        QTest::addColumn<int>("slot");
        using K = LookupKind;
        addRow("ff", QStringLiteral("ff"), K::Found, 172);
        addRow("FF", QStringLiteral("FF"), K::Found, 172);
        addRow("fF", QStringLiteral("fF"), K::Found, 172);
        addRow("00", QStringLiteral("00"), K::Found, 0);
        addRow("08", QStringLiteral("08"), K::Found, 8);
        addRow("0b", QStringLiteral("0b"), K::Found, 11);
        addRow("a7", QStringLiteral("a7"), K::Found, 150);
        addRow("A7", QStringLiteral("A7"), K::Found, 150);
        addRow("empty", QStringLiteral(""), K::EmptyInput, -1);
        addRow("null", QString(), K::EmptyInput, -1);
        addRow("3F has no row", QStringLiteral("3F"), K::NoMatch, -1);
        addRow("blank then f", QStringLiteral(" f"), K::NoMatch, -1);
        addRow("f then blank", QStringLiteral("f "), K::NoMatch, -1);
        addRow("single F", QStringLiteral("F"), K::NoMatch, -1);
        addRow("fff", QStringLiteral("fff"), K::NoMatch, -1);
        addRow("full-width FF", QStringLiteral("ＦＦ"), K::NoMatch, -1);
        addRow("code then long tail", QStringLiteral("ff") + QString(5000, u' '), K::NoMatch, -1);
    }
    void namedCases()
    {
        QFETCH(QString, text);
        QFETCH(LookupKind, kind);
        QFETCH(int, slot);
        const LookupResult r = LookupCode(table, text);
        QCOMPARE(r.kind, kind);
        QCOMPARE(r.slot, slot);
    }

    void absentCodesFindNothing()
    {
        QSet<QString> present;
        for (int k = 0; k < CodeTable::RowCount; ++k)
            present.insert(table.code(k));
        int absent = 0;
        for (int v = 0; v < 256; ++v) {
            const QString code = QStringLiteral("%1").arg(v, 2, 16, QChar(u'0')).toUpper();
            if (present.contains(code))
                continue;
            ++absent;
            QCOMPARE(LookupCode(table, code).kind, LookupKind::NoMatch);
            QCOMPARE(LookupCode(table, code.toLower()).kind, LookupKind::NoMatch);
        }
        QCOMPARE(absent, 256 - CodeTable::RowCount);
    }

    void unfilledTableFindsNothing()
    {
        const CodeTable empty;
        QCOMPARE(LookupCode(empty, QStringLiteral("FF")).kind, LookupKind::NoMatch);
        QCOMPARE(LookupCode(empty, QString()).kind, LookupKind::EmptyInput);
    }
};

QTEST_GUILESS_MAIN(TestLookup)
#include "tst_lookup.moc"
