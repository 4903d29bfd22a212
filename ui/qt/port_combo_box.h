#pragma once

#include <QComboBox>

#include "port_list.h"

namespace quellmark {

// The port list. Entry i is port i + 1; each shows, as its tooltip, the device behind that port,
// looked up afresh whenever the list opens, since adapters come and go.
class PortComboBox : public QComboBox {
    Q_OBJECT

public:
    PortComboBox(PortDescriber describe, QWidget* parent);

    void showPopup() override;

private:
    PortDescriber describe_;
};

}  // namespace quellmark
