#include "platform/qt/frame_box.h"

#include <QPainter>
#include <QStyle>

namespace townwright::qt {

void FrameBox::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QFontMetrics metrics = fontMetrics();
  const int middle_of_text = metrics.height() / 2;

  // An etched line, drawn here rather than by the style: styles draw a group box's frame below
  // its title, not through it.
  const QRect line = rect().adjusted(0, middle_of_text, -2, -2);
  painter.setPen(palette().color(QPalette::Light));
  painter.drawRect(line.translated(1, 1));
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(line);

  if (title().isEmpty()) return;
  constexpr int kIndent = 6;   // from the frame's left edge to the text's gap
  constexpr int kPadding = 2;  // the gap in the line on either side of the text
  const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic | Qt::TextSingleLine;
  const QSize text = metrics.size(flags, title());
  const QRect gap(kIndent, 0, text.width() + 2 * kPadding, metrics.height());
  painter.fillRect(gap, palette().window());
  style()->drawItemText(&painter, gap.adjusted(kPadding, 0, -kPadding, 0), flags, palette(),
                        isEnabled(), title(), QPalette::WindowText);
}

}  // namespace townwright::qt
