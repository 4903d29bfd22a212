#include "port_combo_box.h"

#include <utility>

namespace quellmark {

PortComboBox::PortComboBox(PortDescriber describe, QWidget* parent)
    : QComboBox(parent), describe_(std::move(describe)) {}

void PortComboBox::showPopup() {
    const std::vector<std::string> descriptions = describe_();
    for (int i = 0; i < count() && std::size_t(i) < descriptions.size(); ++i) {
        setItemData(i, QString::fromStdString(descriptions[std::size_t(i)]), Qt::ToolTipRole);
    }
    QComboBox::showPopup();
}

}  // namespace quellmark
