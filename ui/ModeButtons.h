// Option buttons and check boxes whose state belongs to the mode model.
//
// A plain QRadioButton or QCheckBox changes its own state when clicked (and
// radio buttons clear their neighbours). Here a click changes nothing by
// itself: it only reports the user's click, the window runs the mode rules
// (Modes::ClickOption, Modes::ClickCheck) and then shows the model's states
// on every control. So the widgets can never disagree with the model.
#pragma once

#include <QCheckBox>
#include <QRadioButton>

namespace vozaz2 {

class ModeOptionButton final : public QRadioButton {
 public:
  explicit ModeOptionButton(QWidget* parent = nullptr) : QRadioButton(parent) {
    setAutoExclusive(false);  // the model clears the partner in the frame
  }

 protected:
  void nextCheckState() override {}
};

class ModeCheckBox final : public QCheckBox {
 public:
  explicit ModeCheckBox(QWidget* parent = nullptr) : QCheckBox(parent) {}

 protected:
  void nextCheckState() override {}
};

}  // namespace vozaz2
