// Reads the filled code table for a test in another process or language.
//   slotprobe SLOT  prints the lengths of one slot's code and text: a read outside the table can be
//                   watched without risking the test's own process.
//   slotprobe       prints every row and fixed text as JSON (UTF-8), so that tests of the real window
//                   compare what it shows with what the program holds instead of copies of the texts.
#include "codetable.h"
#include "fixedtexts.h"
#include "qttext.h"

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
        std::printf("code=%zu text=%zu\n", table.code(slot).size(), table.text(slot).size());
        return 0;
    }
    QJsonObject rows;
    for (int k = 0; k < CodeTable::RowCount; ++k)
        rows.insert(toQString(table.code(k)), toQString(table.text(k)));
    const QJsonObject texts{{QStringLiteral("rows"), rows},
                            {QStringLiteral("AppTitle"), toQString(AppTitle())},
                            {QStringLiteral("StartupText"), toQString(StartupText())},
                            {QStringLiteral("NoticeText"), toQString(NoticeText())},
                            {QStringLiteral("FfGuideText"), toQString(FfGuideText())},
                            {QStringLiteral("EmptyInputPrompt"), toQString(EmptyInputPrompt())},
                            {QStringLiteral("NoMatchPrompt"), toQString(NoMatchPrompt())}};
    const QByteArray json = QJsonDocument(texts).toJson(QJsonDocument::Compact);
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    return 0;
}
