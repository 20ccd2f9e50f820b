// A label that centres and wraps its caption, paints nothing but the text, and never cuts it off.
#pragma once

#include <QLabel>
#include <QList>
#include <QPointer>

// The caption is laid out for the label's box whatever face stands in:
// - CJK faces carry tall line spacing (Noto CJK: about 1.45 em), far more than the classic Chinese faces
//   the layout was made for. Where the wrapped lines would not fit the label's height with the face's
//   own spacing, they are set closer, each line's ink centred in its share of the height.
// - A face with wide (proportional) Latin letters would wrap the caption onto more lines than the box
//   holds. The caption is then set narrower, just enough for its lines to fit (and lower, in the rare
//   face whose ink is taller than the box even so).
// It stays a QLabel so that screen readers announce it, and its buddy, as a label.
class CaptionLabel : public QLabel
{
    Q_OBJECT

public:
    CaptionLabel(const QString &text, QWidget *parent = nullptr);

    // A control lying above the label's box: the caption keeps clear of it on both sides, so that it
    // stays centred.
    void keepClearOf(QWidget *control);

    // Where the caption's ink lies as it is laid out now, in the label's coordinates; a caption that
    // is not cut off lies inside the label's rectangle.
    QRectF inkRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Line {
        QString text;
        QPointF origin; // where its baseline starts, in the label's (narrowed) coordinates
    };
    struct Layout {
        qreal xScale = 1;
        qreal yScale = 1;
        QList<Line> lines;
    };
    Layout layoutFor(qreal textWidth, qreal xScale) const;
    Layout fittedLayout() const;

    QPointer<QWidget> m_clearOf;
};
