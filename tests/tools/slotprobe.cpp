// Reads the filled code table for a test in another process or language.
//   slotprobe SLOT  prints the lengths of one slot's code and text: a read outside the table can be
//                   watched without risking the test's own process.
//   slotprobe       prints every row and fixed text as JSON (UTF-8), so that tests of the real window
//                   compare what it shows with what the program holds instead of copies of the texts.
#include "codetable.h"
#include "fixedtexts.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    CodeTable table;
    table.FillCodeTable();
    if (argc == 2) {
        const int slot = std::atoi(argv[1]);
        std::printf("code=%lld text=%lld\n", static_cast<long long>(table.code(slot).size()),
                    static_cast<long long>(table.text(slot).size()));
        return 0;
    }
    QJsonObject rows;
    for (int k = 0; k < CodeTable::RowCount; ++k)
        rows.insert(table.code(k), table.text(k));
    const QJsonObject texts{{QStringLiteral("rows"), rows},
                            {QStringLiteral("AppTitle"), AppTitle()},
                            {QStringLiteral("StartupText"), StartupText()},
                            {QStringLiteral("NoticeText"), NoticeText()},
                            {QStringLiteral("FfGuideText"), FfGuideText()},
                            {QStringLiteral("EmptyInputPrompt"), EmptyInputPrompt()},
                            {QStringLiteral("NoMatchPrompt"), NoMatchPrompt()}};
    const QByteArray json = QJsonDocument(texts).toJson(QJsonDocument::Compact);
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    return 0;
}
