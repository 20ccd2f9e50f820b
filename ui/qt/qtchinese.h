// Chinese for the toolkit's own strings that the window can show (edit menus, scroll bar menu, the
// message box button).
#pragma once

#include <QTranslator>

// Qt asks every installed translator for each string it shows, by context and source text. This one
// knows the few the window can show, in our own words, so nothing needs Qt's translation catalogue.
class QtChinese : public QTranslator
{
public:
    using QTranslator::QTranslator;

    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }
};
