#pragma once

#include <QComboBox>
#include <functional>

namespace quellmark {

// The port list. Entry i is port i + 1; each shows, as its tooltip, the device behind that port,
// looked up afresh whenever the list opens, since adapters come and go.
class PortComboBox : public QComboBox {
    Q_OBJECT

public:
    // The tooltip texts of ports 1, 2, ... in order.
    using PortDescriber = std::function<QStringList()>;

    PortComboBox(PortDescriber describe, QWidget* parent);

    void showPopup() override;

private:
    PortDescriber describe_;
};

}  // namespace quellmark
