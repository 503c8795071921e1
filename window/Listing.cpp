// The analysis listing: every character of the input with its reading, one line each.
#include "platform/forms/ErrorPolicy.h"
#include "window/Characters.h"
#include "window/Layout.h"
#include "window/MainWindow.h"

#include <algorithm>
#include <limits>

using forms::resumeNext;

void 主畫面::查詢鈕_MouseDown(const forms::MouseArgs&) {
    查詢鈕.setVisible(false);
}

// The press's release will not come: the button is up again, and no listing runs.
void 主畫面::查詢鈕_LostCapture() {
    查詢鈕.setVisible(true);
}

void 主畫面::查詢鈕_MouseUp(const forms::MouseArgs&) {
    resumeNext([&] { 分析文章.setText({}); });

    std::int32_t count = 0;
    resumeNext([&] {
        count = std::int32_t(std::min<qsizetype>(characters::count(很多行.Text()),
                                                 std::numeric_limits<std::int32_t>::max()));
    });
    imm::HKL keyboard = 0;
    characters::Cursor cursor;
    QString listed; // this pass's own character, whatever other handlers do to currentChar
    for (std::int32_t position = 1; position <= count; ++position) {
        resumeNext([&] {
            listed = cursor.at(很多行.Text(), position);
            currentChar = listed;
        });
        resumeNext([&] { keyboard = toChinese(); });
        resumeNext([&] {
            QString reading;
            // A failed lookup lists the character with no reading rather than losing it.
            resumeNext([&] { reading = ImeQueryComp(keyboard, listed, 1); });
            分析文章.setSelText(characters::withControlPictures(listed) + u' ' + reading);
        });
        resumeNext([&] { 分析文章.setSelText(QStringLiteral("\r\n")); });
        if (position == std::numeric_limits<std::int32_t>::max())
            break;
    }
    if (count > 0)
        currentChar = listed;

    resumeNext([&] { 模仿高度.setCaption(分析文章.Text()); });
    resumeNext([&] { 分析文章.setHeight(模仿高度.Height()); });
    resumeNext([&] {
        const float height = 分析文章.Top() + 分析文章.Height() + float(layout::listingMargin);
        setHeight(height < float(layout::listingMinWindowHeight) ? layout::listingMinWindowHeight
                                                                 : height);
    });
    resumeNext([&] {
        // Cut to the box's largest height, or lower where the screen could not hold the window
        // with it, so that the link below the box stays in view.
        const float room = TallestHeight() - 分析文章.Top() - float(layout::listingMargin);
        const float tallest = std::clamp(room, 0.0f, float(layout::listingMaxBoxHeight));
        if (分析文章.Height() > tallest) {
            分析文章.setHeight(tallest);
            setHeight(分析文章.Top() + 分析文章.Height() + float(layout::listingMargin));
        }
    });
    resumeNext(
        [&] { 開啟官方.setTop(Height() - 開啟官方.Height() - float(layout::listingMargin)); });
    resumeNext([&] { 官方2.setTop(開啟官方.Top()); });
    resumeNext([&] { 查詢鈕.setVisible(true); });
}
