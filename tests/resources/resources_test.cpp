// The window loads its pictures from the resource system; a static library's resources are easily
// dropped by the linker, so this executable links qx_resources exactly as the program does.
#include <QImage>
#include <gtest/gtest.h>

namespace {

struct Picture {
    const char* path;
    QSize size;
    bool alpha;
};

class LinkedPicture : public testing::TestWithParam<Picture> {};

TEST_P(LinkedPicture, LoadsAtItsSize) {
    const QImage image(QString::fromLatin1(GetParam().path));
    ASSERT_FALSE(image.isNull()) << GetParam().path;
    EXPECT_EQ(image.size(), GetParam().size);
    EXPECT_EQ(image.hasAlphaChannel(), GetParam().alpha);
}

INSTANTIATE_TEST_SUITE_P(Pictures, LinkedPicture,
                         testing::Values(Picture{":/pictures/search_raised.gif", {65, 48}, false},
                                         Picture{":/pictures/search_pressed.gif", {65, 48}, false},
                                         Picture{":/pictures/backdrop.bmp", {297, 73}, false},
                                         Picture{":/pictures/icon.ico", {32, 32}, true},
                                         Picture{":/pictures/icon-32.png", {32, 32}, true}));

} // namespace
