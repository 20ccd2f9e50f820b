// The read-only result box: shows what the program sets and gives it back exactly.
#pragma once

#include <QPlainTextEdit>

// The user can select, scroll and copy, but nothing typed, deleted, cut or pasted changes the text;
// Enter and Escape go on to the window's buttons. The program's texts break lines with CR LF, which
// the document keeps as paragraph ends: the text is handed back with CR LF again, from the document
// itself, so there is no second copy to fall out of step with what is shown.
class ResultBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit ResultBox(QWidget *parent = nullptr);

    // Replaces the whole content; caret at the start, nothing selected, shown from the top.
    void setText(const QString &text);
    QString text() const;
};
