// Pointing: the character under the mouse and its reading.
#include "platform/forms/ErrorPolicy.h"
#include "window/Characters.h"
#include "window/Layout.h"
#include "window/MainWindow.h"

#include <cmath>
#include <limits>
#include <stdexcept>

using forms::resumeNext;

namespace {

// A twip position as a 32-bit integer: the nearest whole number, a half going to the even one.
std::int32_t toInt32(double value) {
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max()))
        throw std::overflow_error("pointer position out of range");
    return static_cast<std::int32_t>(rounded);
}

QString withoutTrailingSpaces(QString text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    text.truncate(end);
    return text;
}

QString withoutLastCharacter(const QString& text) {
    if (text.isEmpty())
        throw std::out_of_range("nothing left to remove");
    return text.left(text.size() - characters::lastLength(text));
}

// Ends the lookup count of a lookup however it leaves.
struct Counted {
    explicit Counted(int& n)
        : n_(++n) {}
    ~Counted() { --n_; }
    int& n_;
};

} // namespace

void 主畫面::Form_MouseMove(const forms::MouseArgs&) {
    開啟官方.setForeColor(layout::linkNormal);
    注音解說.setCaption({});
    Label1.setCaption({});
    readyFlag = -1;
}

void 主畫面::很多行_GotFocus() {
    很多行.setSelStart(0);
    很多行.setSelLength(很多行.Text().size());
}

void 主畫面::很多行_MouseMove(const forms::MouseArgs& args) {
    if (characters::isSingle(很多行.Text())) {
        resumeNext([&] { currentChar = 很多行.Text(); });
        resumeNext([&] { Label1.setCaption(很多行.Text()); });
        resumeNext([&] { 取出注音(); });
        return;
    }
    resumeNext([&] { widthLimit = toInt32(double(args.x) + layout::pointerSlack); });
    resumeNext([&] { 取出文字.setCaption(很多行.Text()); });
    // Set when the prefix store already holds the whole text, so assigning it raises no change.
    bool unchanged = false;
    resumeNext([&] {
        if (!取出文字.Caption().isEmpty()) {
            unchanged = Text7.Text() == 取出文字.Caption();
            Text7.setText(取出文字.Caption());
        } else {
            // An empty box empties the prefix store, so nothing of an earlier text is shown.
            const bool changed = !Text7.Text().isEmpty();
            Text7.setText({});
            if (!changed)
                Text7_Change();
        }
    });
    resumeNext([&] {
        if (限制寬度.Width() > widthLimit)
            Text7.setText(withoutLastCharacter(Text7.Text()));
        else if (unchanged)
            // The whole text still fits: show its last character again, as a change would have,
            // since the bare window may have cleared the labels since.
            showPointedCharacter();
    });
}

// The prefix store shrinks to the longest prefix of its text that the gauge finds no wider than
// widthLimit, then loses its trailing spaces; its last character is the pointed one. The prefix is
// found in one pass rather than one nested change per removed character, so a long text cannot
// exhaust the stack: the single nested change that the final assignment raises finishes the work.
void 主畫面::Text7_Change() {
    const QString text = Text7.Text();
    QString fitted = text;
    // The prefix this handler has just settled on needs no second measuring when its own
    // assignment brings it back here.
    if (!(text.isSharedWith(settledPrefix_) && widthLimit == settledLimit_)) {
        resumeNext([&] {
            fitted =
                withoutTrailingSpaces(text.left(限制寬度.longestPrefixWithin(text, widthLimit)));
        });
    }
    if (fitted != text) {
        settledPrefix_ = fitted;
        settledLimit_ = widthLimit;
        resumeNext([&] { Text7.setText(fitted); });
        return;
    }
    resumeNext([&] { 限制寬度.setCaption(text); });
    showPointedCharacter();
}

void 主畫面::showPointedCharacter() {
    resumeNext([&] { currentChar = characters::last(Text7.Text()); });
    resumeNext([&] { Label1.setCaption(currentChar); });
    resumeNext([&] {
        if (readyFlag)
            取出注音();
    });
}

void 主畫面::取出注音() {
    readyFlag = 0;
    // Lookups nest through the message processing inside toChinese. Past a few levels a further
    // one is left out: the lookup it runs inside reads currentChar only after its own message
    // processing, so the newest pointed character is looked up all the same.
    if (lookupsRunning_ >= maxNestedLookups)
        return;
    Counted running(lookupsRunning_);
    try {
        const imm::HKL keyboard = toChinese();
        注音解說.setCaption(ImeQueryComp(keyboard, currentChar, 1));
    } catch (...) {
        // Never leave an earlier character's reading beside the new character.
        注音解說.setCaption({});
        throw;
    }
    readyFlag = -1;
}
