#include "PauseField.h"

#include <algorithm>

PauseField::PauseField(QWidget* parent) : QSpinBox(parent) {
    setRange(kMinSeconds, kMaxSeconds);
    setAccelerated(false);
    setKeyboardTracking(false);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

int PauseField::secondsFromText(const QString& text) {
    bool ok = false;
    // Parsed wide so that a long run of digits is still "a large number", not garbage.
    const qlonglong typed = text.trimmed().toLongLong(&ok);
    if (!ok)
        return kMinSeconds;
    return static_cast<int>(std::clamp<qlonglong>(typed, kMinSeconds, kMaxSeconds));
}

void PauseField::takeTypedValue() {
    interpretText();
}

QValidator::State PauseField::validate(QString& input, int&) const {
    // Long enough for any number anyone types, short enough to stay in the field.
    return input.size() <= 9 ? QValidator::Acceptable : QValidator::Invalid;
}

int PauseField::valueFromText(const QString& text) const {
    return secondsFromText(text);
}
