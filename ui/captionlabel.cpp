// Layout and painting of centred, wrapping captions.
#include "captionlabel.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

CaptionLabel::CaptionLabel(const QString &text, QWidget *parent) : QWidget(parent), m_text(text)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CaptionLabel::setTextColour(const QColor &colour)
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, colour);
    setPalette(pal);
}

QList<CaptionLabel::Line> CaptionLabel::lines() const
{
    if (!m_laidOut) {
        m_lines = layoutLines();
        m_laidOut = true;
    }
    return m_lines;
}

void CaptionLabel::resizeEvent(QResizeEvent *event)
{
    m_laidOut = false;
    QWidget::resizeEvent(event);
}

void CaptionLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        m_laidOut = false;
    QWidget::changeEvent(event);
}

QList<CaptionLabel::Line> CaptionLabel::layoutLines() const
{
    QTextLayout layout(m_text, font());
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);

    QList<Line> out;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width());
        out.append({m_text.mid(line.textStart(), line.textLength()).trimmed(), 0, {}});
    }
    layout.endLayout();
    if (out.isEmpty())
        return out;

    const QFontMetricsF fm(font());
    qreal inkTop = 0;    // highest ink above the baseline (negative)
    qreal inkBottom = 0; // lowest ink below it
    for (Line &l : out) {
        l.width = fm.horizontalAdvance(l.text);
        const QRectF ink = fm.tightBoundingRect(l.text);
        inkTop = qMin(inkTop, ink.top());
        inkBottom = qMax(inkBottom, ink.bottom());
    }

    const qreal natural = fm.height();
    const bool fits = natural * out.size() <= height();
    const qreal pitch = fits ? natural : qreal(height()) / out.size();
    for (int i = 0; i < out.size(); ++i) {
        const qreal baseline =
            fits ? i * pitch + fm.ascent() : i * pitch + (pitch - (inkBottom - inkTop)) / 2 - inkTop;
        out[i].origin = QPointF((width() - out[i].width) / 2, baseline);
    }
    return out;
}

void CaptionLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    for (const Line &line : lines())
        painter.drawText(line.origin, line.text);
}
