#include "port_combo_box.h"

#include <utility>

namespace quellmark {

PortComboBox::PortComboBox(PortDescriber describe, QWidget* parent)
    : QComboBox(parent), describe_(std::move(describe)) {}

void PortComboBox::showPopup() {
    for (int i = 0; i < count(); ++i) {
        setItemData(i, describe_(i + 1), Qt::ToolTipRole);
    }
    QComboBox::showPopup();
}

}  // namespace quellmark
