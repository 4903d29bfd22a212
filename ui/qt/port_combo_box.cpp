#include "port_combo_box.h"

#include <utility>

namespace quellmark {

PortComboBox::PortComboBox(PortDescriber describe, QWidget* parent)
    : QComboBox(parent), describe_(std::move(describe)) {}

void PortComboBox::showPopup() {
    const QStringList descriptions = describe_();
    for (int i = 0; i < count() && i < descriptions.size(); ++i) {
        setItemData(i, descriptions[i], Qt::ToolTipRole);
    }
    QComboBox::showPopup();
}

}  // namespace quellmark
