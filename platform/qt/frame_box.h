#pragma once

// A frame: a group box with its text in its top edge, the line running through the text's
// middle. The usual desktop styles put the text above the frame instead, which takes room that the
// window's layout does not have.

#include <QGroupBox>

namespace townwright::qt {

class FrameBox final : public QGroupBox {
 public:
  using QGroupBox::QGroupBox;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace townwright::qt
