// Layout and painting of centred, wrapping captions.
#include "captionlabel.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

CaptionLabel::CaptionLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CaptionLabel::keepClearOf(QWidget *control)
{
    m_clearOf = control;
    update();
}

CaptionLabel::Layout CaptionLabel::layoutFor(qreal textWidth, qreal xScale) const
{
    const QString caption = text();
    QTextLayout layout(caption, font());
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);

    Layout out;
    out.xScale = xScale;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(textWidth / xScale);
        out.lines.append({caption.mid(line.textStart(), line.textLength()).trimmed(), {}});
    }
    layout.endLayout();
    return out;
}

CaptionLabel::Layout CaptionLabel::fittedLayout() const
{
    // The width the caption may take, centred: the label's, less what a control above it covers.
    qreal textWidth = width();
    if (m_clearOf && m_clearOf->isVisible()) {
        const QRect covered = m_clearOf->geometry().intersected(geometry()).translated(-pos());
        if (!covered.isEmpty()) {
            const int margin = covered.left() <= 0 ? covered.right() + 1 : width() - covered.left();
            textWidth = width() - 2 * margin;
        }
    }

    // The widest setting, down to half width, at which the lines' ink fits the height.
    const QFontMetricsF fm(font());
    Layout best;
    QList<QRectF> inks;
    QList<qreal> advances;
    qreal inkHeight = 0;
    for (int percent = 100; percent >= 50; percent -= 5) {
        best = layoutFor(textWidth, percent / 100.0);
        inks.clear();
        advances.clear();
        inkHeight = 0;
        bool fitsWidth = true;
        for (const Line &l : best.lines) {
            inks.append(fm.tightBoundingRect(l.text));
            advances.append(fm.horizontalAdvance(l.text));
            inkHeight += inks.constLast().height();
            fitsWidth = fitsWidth && advances.constLast() * best.xScale <= textWidth;
        }
        if (fitsWidth && inkHeight <= height())
            break;
    }
    // Where even that is too tall, the caption is set lower as well.
    best.yScale = inkHeight > height() ? height() / inkHeight : 1;

    const qreal boxWidth = width() / best.xScale;
    const qreal boxHeight = height() / best.yScale;
    const int count = best.lines.size();
    // The face's own spacing where the lines and their ink fit with it.
    bool natural = fm.height() * count <= boxHeight;
    for (int i = 0; natural && i < count; ++i) {
        const qreal baseline = i * fm.height() + fm.ascent();
        natural = baseline + inks[i].top() >= 0 && baseline + inks[i].bottom() <= boxHeight;
    }
    // Otherwise the lines' ink is spread evenly.
    const qreal gap = (boxHeight - inkHeight) / (count + 1);
    qreal y = gap;
    for (int i = 0; i < count; ++i) {
        Line &l = best.lines[i];
        const qreal baseline = natural ? i * fm.height() + fm.ascent() : y - inks[i].top();
        y += inks[i].height() + gap;
        l.origin = QPointF((boxWidth - advances[i]) / 2, baseline);
    }
    return best;
}

QRectF CaptionLabel::inkRect() const
{
    const Layout layout = fittedLayout();
    const QFontMetricsF fm(font());
    QRectF ink;
    for (const Line &line : layout.lines)
        ink |= fm.tightBoundingRect(line.text).translated(line.origin);
    return QTransform::fromScale(layout.xScale, layout.yScale).mapRect(ink);
}

void CaptionLabel::paintEvent(QPaintEvent *)
{
    const Layout layout = fittedLayout();
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.scale(layout.xScale, layout.yScale);
    for (const Line &line : layout.lines)
        painter.drawText(line.origin, line.text);
}
