#include "wrapping_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace quellmark {

WrappingButton::WrappingButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

void WrappingButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    // The style draws the frame and focus mark; the caption is drawn here so that it can wrap.
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect textArea = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.drawItemText(textArea, Qt::AlignCenter | Qt::TextWordWrap, option.palette, isEnabled(),
                         caption, QPalette::ButtonText);
}

}  // namespace quellmark
