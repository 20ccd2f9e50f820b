// The core's texts (UTF-16 views) as Qt strings and back, and Qt's lower-casing for the lookup.
#pragma once

#include <QString>
#include <QStringView>

#include <string_view>

inline QString toQString(std::u16string_view text)
{
    return QStringView(text.data(), qsizetype(text.size())).toString();
}

inline std::u16string_view toView(const QString &text)
{
    return {QStringView(text).utf16(), std::size_t(text.size())};
}

// Lower-casing as Qt does it, for LookupCode.
struct QtLower {
    QString operator()(std::u16string_view text) const { return toQString(text).toLower(); }
};
