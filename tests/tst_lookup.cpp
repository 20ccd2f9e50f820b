// LookupCode: what any typed text yields against the filled table.
#include "lookup.h"
#include "qttext.h"

#include <QSet>
#include <QTest>

Q_DECLARE_METATYPE(LookupKind)

class TestLookup : public QObject
{
    Q_OBJECT

    CodeTable table;

    LookupResult lookup(const QString &text) const { return LookupCode(table, toView(text), QtLower{}); }

private Q_SLOTS:
    void initTestCase() { table.FillCodeTable(); }

    void everyCodeInEveryLetterCase_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("slot");
        for (int k = 0; k < CodeTable::RowCount; ++k) {
            const QString code = toQString(table.code(k));
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
        const LookupResult r = lookup(text);
        QCOMPARE(r.kind, LookupKind::Found);
        QCOMPARE(r.slot, slot);
    }

    // Texts that are not a code as stored, nothing trimmed or widened: each is refused, with no slot.
    void refusedTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<LookupKind>("kind");
        const LookupKind none = LookupKind::NoMatch;
        QTest::newRow("empty") << QStringLiteral("") << LookupKind::EmptyInput;
        QTest::newRow("null") << QString() << LookupKind::EmptyInput;
        QTest::newRow("blank then f") << QStringLiteral(" f") << none;
        QTest::newRow("f then blank") << QStringLiteral("f ") << none;
        QTest::newRow("single F") << QStringLiteral("F") << none;
        QTest::newRow("fff") << QStringLiteral("fff") << none;
        QTest::newRow("full-width FF") << QStringLiteral("ＦＦ") << none;
        QTest::newRow("code then long tail") << QStringLiteral("ff") + QString(5000, u' ') << none;
    }
    void refusedTexts()
    {
        QFETCH(QString, text);
        QFETCH(LookupKind, kind);
        const LookupResult r = lookup(text);
        QCOMPARE(r.kind, kind);
        QCOMPARE(r.slot, -1);
    }

    void absentCodesFindNothing()
    {
        QSet<QString> present;
        for (int k = 0; k < CodeTable::RowCount; ++k)
            present.insert(toQString(table.code(k)));
        for (int v = 0; v < 256; ++v) {
            const QString code = QStringLiteral("%1").arg(v, 2, 16, QChar(u'0')).toUpper();
            if (present.contains(code))
                continue;
            QCOMPARE(lookup(code).kind, LookupKind::NoMatch);
            QCOMPARE(lookup(code.toLower()).kind, LookupKind::NoMatch);
        }
    }

    // The table it is given, not built-in rows: an unfilled table knows no code.
    void unfilledTableFindsNothing()
    {
        QCOMPARE(LookupCode(CodeTable(), u"FF", QtLower{}).kind, LookupKind::NoMatch);
    }
};

QTEST_GUILESS_MAIN(TestLookup)
#include "tst_lookup.moc"
