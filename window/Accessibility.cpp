// Use without a mouse or without sight: what a screen reader is told, and readings by keyboard.
#include "platform/forms/ErrorPolicy.h"
#include "window/Layout.h"
#include "window/MainWindow.h"

#include <QTextBoundaryFinder>

using forms::resumeNext;

namespace {

// The character that starts at the caret, or the last one when the caret is at the end. The caret
// stops only between whole characters, so one is never cut.
QString characterAt(const QString& text, qsizetype caret) {
    if (text.isEmpty())
        return {};
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    finder.setPosition(std::clamp<qsizetype>(caret, 0, text.size()));
    if (finder.position() == text.size())
        finder.toPreviousBoundary();
    const qsizetype start = finder.position();
    return text.mid(start, finder.toNextBoundary() - start);
}

bool movesTheCaret(int keyCode) {
    switch (keyCode) {
    case forms::keys::Left:
    case forms::keys::Right:
    case forms::keys::Up:
    case forms::keys::Down:
    case forms::keys::Home:
    case forms::keys::End:
        return true;
    default:
        return false;
    }
}

} // namespace

// The painted controls that a user acts on or reads; the frames, the backdrop, the link label's
// shadow and the controls used only for measuring stay out.
void 主畫面::exposeToScreenReaders() {
    很多行.setAccessibleName(layout::很多行Name);
    分析文章.setAccessibleName(layout::分析文章Name);
    Label1.expose(QAccessible::StaticText);
    注音解說.expose(QAccessible::StaticText);
    查詢鈕.expose(QAccessible::Button, layout::查詢鈕Name);
    開啟官方.expose(QAccessible::Link);
}

// Enter lists the text, as pressing and releasing the analyse button does.
void 主畫面::很多行_KeyDown(const forms::KeyArgs& args) {
    if (args.keyCode == forms::keys::Return)
        pressAndRelease(查詢鈕);
}

// A caret moved by the keyboard points at the character after it, as the mouse would.
void 主畫面::很多行_KeyUp(const forms::KeyArgs& args) {
    if (!movesTheCaret(args.keyCode))
        return;
    resumeNext([&] { currentChar = characterAt(很多行.Text(), 很多行.caretPosition()); });
    resumeNext([&] { Label1.setCaption(currentChar); });
    resumeNext([&] { 取出注音(); });
}
