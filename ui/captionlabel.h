// A label that centres and wraps its caption and paints nothing but the text.
#pragma once

#include <QList>
#include <QString>
#include <QWidget>

// CJK faces carry tall line spacing (Noto CJK: about 1.45 em), far more than the classic Chinese
// faces the layout was made for. Where the wrapped lines would not fit the label's height with the
// face's own spacing, they are set closer, each line's ink centred in its share of the height, so no
// caption is cut off.
class CaptionLabel : public QWidget
{
    Q_OBJECT

public:
    CaptionLabel(const QString &text, QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setTextColour(const QColor &colour);

    struct Line {
        QString text;
        qreal width = 0; // advance of the line's text
        QPointF origin;  // where its baseline starts, in label coordinates
    };
    // The caption as it is painted: wrapped at word boundaries within the width, centred.
    QList<Line> lines() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QList<Line> layoutLines() const;

    QString m_text;
    mutable QList<Line> m_lines; // laid out on first use after a change of size or font
    mutable bool m_laidOut = false;
};
