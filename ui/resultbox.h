// The read-only result box: shows what the program sets and gives it back exactly.
#pragma once

#include <QPlainTextEdit>

// A text edit stores line breaks as paragraph ends and would hand back LF where the program wrote
// CR LF, so the box keeps the text it was given and returns that. The user can select, scroll and
// copy, but nothing typed, deleted, cut or pasted changes it; Enter and Escape go on to the window.
class ResultBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit ResultBox(QWidget *parent = nullptr);

    // Replaces the whole content; caret at the start, nothing selected, shown from the top.
    void setText(const QString &text);
    QString text() const { return m_text; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString m_text;
};
