#include "GameTrace.h"

#include "ColourLayout.h"

#include <fstream>
#include <sstream>

namespace {

std::string imageName(const ImageRef& image) {
    switch (image.kind) {
    case ImageRef::Horse:
        return std::string("Pion") + Colour::name(image.colour) + std::to_string(image.number);
    case ImageRef::Marker:
        return "Pion" + std::to_string(image.number);
    case ImageRef::Die:
        break;
    }
    return "Des";
}

// Line breaks of the messages, written so that one message stays on one line.
std::string oneLine(const std::string& text) {
    std::string out;
    for (char ch : text) {
        if (ch == '\r') {
            out += "\\r";
        } else if (ch == '\n') {
            out += "\\n";
        } else {
            out += ch;
        }
    }
    return out;
}

} // namespace

TraceView::TraceView(VirtualClock& clock) : clock_(clock) {}

void TraceView::add(const std::string& text) {
    lines.push_back(std::to_string(clock_.now()) + " " + text);
    walkOpen_ = false;
}

void TraceView::addToWalk(const std::string& text) {
    if (walkOpen_ && !lines.empty()) {
        lines.back() += " " + text;
    } else {
        add(text);
    }
}

void TraceView::note(const std::string& text) {
    add(text);
}

void TraceView::moveImageToSquare(ImageRef image, int square) {
    if (image.kind == ImageRef::Marker && image.number >= 1 && image.number <= 4) {
        if (markerSquare_[image.number] == square && !markersAside_) {
            return;
        }
        markerSquare_[image.number] = square;
        markersAside_ = false;
        std::string text = "markers";
        for (int k = 1; k <= 4; ++k) {
            text +=
                " " + std::to_string(markerSquare_[k] == Square::OffBoard ? 0 : markerSquare_[k]);
        }
        // The four markers placed one after the other make one line.
        if (!lines.empty() &&
            lines.back().rfind(std::to_string(clock_.now()) + " markers", 0) == 0) {
            lines.back() = std::to_string(clock_.now()) + " " + text;
        } else {
            add(text);
        }
        return;
    }
    if (image.kind != ImageRef::Horse || !Colour::isColour(image.colour) || image.number < 1 ||
        image.number > 4) {
        add(imageName(image) + " " + std::to_string(square));
        return;
    }
    int& known = horseSquare_[image.colour][image.number];
    if (known == square) {
        return;
    }
    known = square;
    if (walkOpen_ && walking_ == image) {
        lines.back() += " " + std::to_string(square);
        return;
    }
    add(imageName(image) + " " + std::to_string(square));
    walkOpen_ = true;
    walking_ = image;
}

void TraceView::moveMarkersAside() {
    if (!markersAside_) {
        markersAside_ = true;
        addToWalk("markers aside");
    }
}

void TraceView::showDie(int face) {
    add("die " + std::to_string(face));
}

void TraceView::hideDie() {
    add("die hidden");
}

void TraceView::setHorseVisible(ImageRef image, bool on) {
    if (image.kind == ImageRef::Horse && Colour::isColour(image.colour) && image.number >= 1 &&
        image.number <= 4) {
        bool& shown = horseShown_[image.colour][image.number];
        if (shown == on) {
            return;
        }
        shown = on;
    }
    add(imageName(image) + (on ? " shown" : " hidden"));
}

void TraceView::prepareMarkersForNewGame() {
    add("markers prepared");
}

void TraceView::playWaveSync(const std::string& file) {
    addToWalk(file == "killhorse.wav" ? "capture" : file == "movehorse.wav" ? "step" : file);
    clock_.advance(soundMs);
}

void TraceView::sleepMs(int ms) {
    addToWalk(ms == 400 ? "pause" : "pause " + std::to_string(ms));
    clock_.advance(ms);
}

int TraceView::showMessage(const std::string& caption, const std::string& text, int kind) {
    add("message " + caption + ": " + oneLine(text) +
        (kind == MessageKind::YesNo ? " (yes/no)" : ""));
    return kind == MessageKind::YesNo ? answer : MessageResult::Ok;
}

std::vector<std::string> readTrace(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

void writeTrace(const std::string& path, const std::vector<std::string>& lines) {
    std::ofstream out(path);
    for (const std::string& line : lines) {
        out << line << '\n';
    }
}

std::string firstDifference(const std::vector<std::string>& expected,
                            const std::vector<std::string>& actual) {
    size_t i = 0;
    while (i < expected.size() && i < actual.size() && expected[i] == actual[i]) {
        ++i;
    }
    if (i == expected.size() && i == actual.size()) {
        return {};
    }
    std::ostringstream out;
    out << "first difference at line " << i + 1 << ":\n";
    for (size_t j = i >= 3 ? i - 3 : 0; j < i; ++j) {
        out << "  " << expected[j] << "\n";
    }
    out << "- " << (i < expected.size() ? expected[i] : "(end of the log)") << "\n";
    out << "+ " << (i < actual.size() ? actual[i] : "(end of the log)") << "\n";
    return out.str();
}
