#include "RecordingView.h"

void RecordingView::record(Op op, ImageRef image, int value, bool on, std::string text) {
    calls.push_back(Call{op, clock_.now(), image, value, on, std::move(text)});
}

std::vector<RecordingView::Call> RecordingView::of(Op op) const {
    std::vector<Call> out;
    for (const Call& c : calls) {
        if (c.op == op) {
            out.push_back(c);
        }
    }
    return out;
}

std::vector<std::string> RecordingView::messages() const {
    std::vector<std::string> out;
    for (const Call& c : of(Op::Message)) {
        out.push_back(c.text);
    }
    return out;
}

std::vector<std::string> RecordingView::sounds() const {
    std::vector<std::string> out;
    for (const Call& c : calls) {
        if (c.op == Op::Wave) {
            out.push_back(c.text);
        } else if (c.op == Op::Sleep) {
            out.push_back("pause");
        }
    }
    return out;
}

std::vector<int> RecordingView::squaresOf(ImageRef image) const {
    std::vector<int> out;
    for (const Call& c : of(Op::MoveImage)) {
        if (c.image == image) {
            out.push_back(c.value);
        }
    }
    return out;
}

void RecordingView::moveImageToSquare(ImageRef image, int square) {
    record(Op::MoveImage, image, square, false);
}
void RecordingView::moveMarkersAside() {
    record(Op::MarkersAside, {}, 0, false);
}
void RecordingView::setMarkerPictures(bool on) {
    record(Op::MarkerPictures, {}, 0, on);
}
void RecordingView::showDie(int face) {
    record(Op::ShowDie, ImageRef::die(), face, true);
}
void RecordingView::hideDie() {
    record(Op::HideDie, ImageRef::die(), 0, false);
}
void RecordingView::setHorseVisible(ImageRef image, bool on) {
    record(Op::HorseVisible, image, 0, on);
}
void RecordingView::setThrowButtonLit(int colour, bool on) {
    record(Op::ButtonLit, {}, colour, on);
}
void RecordingView::prepareMarkersForNewGame() {
    record(Op::PrepareMarkers, {}, 0, true);
}

void RecordingView::playWaveSync(const std::string& file) {
    record(Op::Wave, {}, soundMs, true, file);
    clock_.advance(soundMs);
}

void RecordingView::sleepMs(int ms) {
    record(Op::Sleep, {}, ms, true);
    clock_.advance(ms);
}

int RecordingView::showMessage(const std::string& caption, const std::string& text,
                               int messageKind) {
    record(Op::Message, {}, messageKind, true, caption + "|" + text);
    if (whileMessageOpen) {
        whileMessageOpen(text);
    }
    if (messageKind != MessageKind::YesNo) {
        return MessageResult::Ok;
    }
    if (answers.empty()) {
        return MessageResult::No;
    }
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}
