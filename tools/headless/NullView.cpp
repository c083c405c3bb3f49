#include "NullView.h"

void NullView::playWaveSync(const std::string&) {
    clock_.advance(soundLengthMs_);
}

void NullView::sleepMs(int ms) {
    clock_.advance(ms);
}

int NullView::showMessage(const std::string&, const std::string&, int messageKind) {
    return messageKind == MessageKind::YesNo ? questionAnswer_ : MessageResult::Ok;
}
