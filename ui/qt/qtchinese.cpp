// The toolkit strings the window can show, and their Chinese.
#include "qtchinese.h"

#include <cstring>

namespace
{

struct Entry {
    const char *context;
    const char *source;
    const char16_t *chinese;
};

const Entry Entries[] = {
    // The code box's edit menu.
    {"QLineEdit", "&Undo", u"撤销(&U)"},
    {"QLineEdit", "&Redo", u"重做(&R)"},
    {"QLineEdit", "Cu&t", u"剪切(&T)"},
    {"QLineEdit", "&Copy", u"复制(&C)"},
    {"QLineEdit", "&Paste", u"粘贴(&P)"},
    {"QLineEdit", "Delete", u"删除(&D)"},
    {"QLineEdit", "Select All", u"全选(&A)"},
    // The result box's edit menu.
    {"QWidgetTextControl", "&Copy", u"复制(&C)"},
    {"QWidgetTextControl", "Copy &Link Location", u"复制链接地址(&L)"},
    {"QWidgetTextControl", "Select All", u"全选(&A)"},
    // The result box's scroll bar menu.
    {"QScrollBar", "Scroll here", u"滚动到这里"},
    {"QScrollBar", "Top", u"顶部"},
    {"QScrollBar", "Bottom", u"底部"},
    {"QScrollBar", "Page up", u"向上翻页"},
    {"QScrollBar", "Page down", u"向下翻页"},
    {"QScrollBar", "Scroll up", u"向上滚动"},
    {"QScrollBar", "Scroll down", u"向下滚动"},
    // Where right-to-left input is installed (Windows), the code box's menu also offers these.
    {"QUnicodeControlCharacterMenu", "Insert Unicode control character", u"插入 Unicode 控制字符"},
    {"QUnicodeControlCharacterMenu", "LRM Left-to-right mark", u"LRM 从左到右标记"},
    {"QUnicodeControlCharacterMenu", "RLM Right-to-left mark", u"RLM 从右到左标记"},
    {"QUnicodeControlCharacterMenu", "ZWJ Zero width joiner", u"ZWJ 零宽连接符"},
    {"QUnicodeControlCharacterMenu", "ZWNJ Zero width non-joiner", u"ZWNJ 零宽非连接符"},
    {"QUnicodeControlCharacterMenu", "ZWSP Zero width space", u"ZWSP 零宽空格"},
    {"QUnicodeControlCharacterMenu", "LRE Start of left-to-right embedding", u"LRE 开始从左到右嵌入"},
    {"QUnicodeControlCharacterMenu", "RLE Start of right-to-left embedding", u"RLE 开始从右到左嵌入"},
    {"QUnicodeControlCharacterMenu", "LRO Start of left-to-right override", u"LRO 开始从左到右强制"},
    {"QUnicodeControlCharacterMenu", "RLO Start of right-to-left override", u"RLO 开始从右到左强制"},
    {"QUnicodeControlCharacterMenu", "PDF Pop directional formatting", u"PDF 结束方向格式"},
    {"QUnicodeControlCharacterMenu", "LRI Left-to-right isolate", u"LRI 从左到右隔离"},
    {"QUnicodeControlCharacterMenu", "RLI Right-to-left isolate", u"RLI 从右到左隔离"},
    {"QUnicodeControlCharacterMenu", "FSI First strong isolate", u"FSI 首强字符隔离"},
    {"QUnicodeControlCharacterMenu", "PDI Pop directional isolate", u"PDI 结束方向隔离"},
    // The message box's only button, as the plain and the GNOME/GTK platform themes name it.
    {"QPlatformTheme", "OK", u"确定"},
    {"QGnomeTheme", "&OK", u"确定(&O)"},
};

} // namespace

QString QtChinese::translate(const char *context, const char *sourceText, const char *, int) const
{
    if (!context || !sourceText)
        return {};
    for (const Entry &e : Entries) {
        if (std::strcmp(e.context, context) == 0 && std::strcmp(e.source, sourceText) == 0)
            return QString::fromUtf16(e.chinese);
    }
    return {};
}
