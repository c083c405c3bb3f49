#pragma once

#include <QSpinBox>

// The computer's pause in whole seconds, 1..30. Any text may be typed; when the value is
// taken, a number outside the range becomes the nearer bound and anything that is not a
// whole number becomes 1, instead of the spin box's habit of refusing the keystroke or
// going back to the old value.
class PauseField : public QSpinBox {
    Q_OBJECT

public:
    static constexpr int kMinSeconds = 1;
    static constexpr int kMaxSeconds = 30;

    explicit PauseField(QWidget* parent = nullptr);

    // The value the typed text stands for, under the rules above.
    static int secondsFromText(const QString& text);

    // Takes the typed text as the value now, as leaving the field does.
    void takeTypedValue();

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;
};
