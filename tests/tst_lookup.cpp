// LookupCode: what any typed text yields against the filled table.
#include "lookup.h"

#include <QHash>
#include <QSet>
#include <QTest>

#include <algorithm>

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
        CodeTable filled;
        filled.FillCodeTable();
        for (int k = 0; k < CodeTable::RowCount; ++k) {
            const QString code = filled.code(k);
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
        addRow("single 0", QStringLiteral("0"), K::NoMatch, -1);
        addRow("blank", QStringLiteral(" "), K::NoMatch, -1);
        addRow("two blanks", QStringLiteral("  "), K::NoMatch, -1);
        addRow("fff", QStringLiteral("fff"), K::NoMatch, -1);
        addRow("full-width FF", QStringLiteral("ＦＦ"), K::NoMatch, -1);
        addRow("full-width ff", QStringLiteral("ｆｆ"), K::NoMatch, -1);
        addRow("Chinese", QStringLiteral("代码"), K::NoMatch, -1);
        addRow("CR LF", QStringLiteral("\r\n"), K::NoMatch, -1);
        addRow("tab and f", QStringLiteral("\tf"), K::NoMatch, -1);
        addRow("NUL NUL", QString(2, QChar(0)), K::NoMatch, -1);
        addRow("NUL then F", QString(QChar(0)) + u'F', K::NoMatch, -1);
        addRow("lone high surrogate", QString(QChar(0xD83D)), K::NoMatch, -1);
        addRow("lone low surrogates", QString(2, QChar(0xDE00)), K::NoMatch, -1);
        addRow("emoji", QStringLiteral("😀"), K::NoMatch, -1);
        addRow("Kelvin sign", QStringLiteral("\u212A\u212A"), K::NoMatch, -1);
        addRow("dotted capital I", QStringLiteral("\u0130"), K::NoMatch, -1);
        addRow("private use", QStringLiteral("\uE000\uF8FF"), K::NoMatch, -1);
        addRow("noncharacter", QStringLiteral("\uFFFF\uFFFE"), K::NoMatch, -1);
        addRow("long", QString(100000, u'f'), K::NoMatch, -1);
        addRow("code then long tail", QStringLiteral("ff") + QString(5000, u' '), K::NoMatch, -1);
    }
    void namedCases()
    {
        QFETCH(QString, text);
        QFETCH(LookupKind, kind);
        QFETCH(int, slot);
        for (const LookupResult &r : {LookupCode(table, text), ScanForCode(table, text)}) {
            QCOMPARE(r.kind, kind);
            QCOMPARE(r.slot, slot);
        }
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

    // Every text of up to two characters drawn from a wide alphabet, against a model built from the
    // definition: Found exactly when the lower-cased text equals a lower-cased code, at that code's slot.
    void agreesWithTheDefinitionForShortTexts()
    {
        QHash<QString, int> slotOfLowered;
        for (int k = 0; k < CodeTable::RowCount; ++k)
            slotOfLowered.insert(table.code(k).toLower(), k);

        QString alphabet;
        for (char16_t c = 0; c < 0x80; ++c)
            alphabet += QChar(c);
        alphabet +=
            QStringLiteral("\u00A0\u0130\u0131\u212A\u212B\u3000ＡＢＣＤＥＦａｂｃｄｅｆ０１９代码\uFFFD");
        alphabet += QChar(0xD83D); // the halves of a surrogate pair, alone and together
        alphabet += QChar(0xDE00);

        int found = 0;
        for (QChar a : alphabet) {
            for (QChar b : alphabet) {
                for (const QString &text : {QString(a), QString(a) + b}) {
                    const LookupResult r = LookupCode(table, text);
                    const LookupResult scanned = ScanForCode(table, text);
                    QCOMPARE(r.kind, scanned.kind);
                    QCOMPARE(r.slot, scanned.slot);
                    const int expected = slotOfLowered.value(text.toLower(), -1);
                    if (expected >= 0) {
                        QCOMPARE(r.kind, LookupKind::Found);
                        QCOMPARE(r.slot, expected);
                        ++found;
                    } else {
                        QCOMPARE(r.kind, LookupKind::NoMatch);
                        QCOMPARE(r.slot, -1);
                    }
                }
            }
        }
        int spellings = 0; // each code in every letter case: "0A" and "0a", "AC" in four ways
        for (int k = 0; k < CodeTable::RowCount; ++k)
            spellings += 1 << int(std::count_if(table.code(k).begin(), table.code(k).end(),
                                                [](QChar c) { return c.isLetter(); }));
        QCOMPARE(found, spellings);
    }

    // The index answers two-digit keys without lower-casing them; that is exact only because no
    // character outside 0-9, A-F and a-f lower-cases to text made of 0-9 and a-f.
    void onlyHexDigitsLowerCaseToHexDigits()
    {
        for (int u = 0; u <= 0xFFFF; ++u) {
            const QChar c{char16_t(u)};
            if (c.isSurrogate() || hexPairValue(QString(2, c)) >= 0)
                continue;
            const QString lowered = QString(c).toLower();
            const bool allHex = std::all_of(lowered.begin(), lowered.end(), [](QChar l) {
                return (l >= u'0' && l <= u'9') || (l >= u'a' && l <= u'f');
            });
            QVERIFY2(!allHex, qPrintable(QString::number(u, 16)));
        }
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
