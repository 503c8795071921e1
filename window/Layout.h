#pragma once

#include "platform/forms/Colour.h"
#include "platform/forms/Font.h"
#include "platform/forms/Label.h"

#include <QString>

// The main window as laid out: every position and size in twips, every colour and start text.
// The window's constructor reads these and nothing else.
namespace layout {

struct Place {
    double left, top, width, height;
};

inline const QString fontFace = QStringLiteral("新細明體");
inline const forms::FontSpec textFont{fontFace, 12, 400};
inline const forms::FontSpec largeFont{fontFace, 36, 700};

inline const QString caption = QStringLiteral("Quilldex 2");
inline constexpr forms::OleColor backColor = 0x00FFAB8E;
inline constexpr double clientWidth = 7530;
inline constexpr double clientHeight = 2655;

inline constexpr forms::OleColor darkBlue = 0x00C00000;
inline constexpr forms::OleColor yellow = 0x0000FFFF;
inline constexpr forms::OleColor frameOutline = 0x00404040;
inline constexpr forms::OleColor linkHighlight = 0x000000C0;
inline constexpr forms::OleColor linkNormal = forms::systemButtonText;

// Text boxes
inline constexpr Place 分析文章{4920, 960, 2295, 1455};
inline constexpr forms::OleColor 分析文章Back = 0x006BC6FF;
inline constexpr Place Text7{5160, 5040, 855, 300};
inline const QString Text7Start = QStringLiteral("Text7");
inline constexpr Place 很多行{270, 390, 5835, 240};
inline const QString 很多行Start = QStringLiteral("請在此輸入文字，或貼上文字，完成後滑鼠指向文字");

// Labels, images and shapes, in stacking order (first in front)
inline constexpr Place 模仿高度{2880, 2160, 1725, 240};
inline const QString 模仿高度Start = QStringLiteral("Label2");
inline constexpr Place 查詢鈕{6240, 120, 975, 720};
inline constexpr Place 查詢圖{6240, 120, 975, 720};
inline constexpr Place 外框{240, 360, 5895, 300};
inline constexpr forms::OleColor 外框Outline = 0x00FF7348;
inline constexpr forms::OleColor 外框Fill = 0x00FFFFFF;
inline constexpr Place 注音解說{1560, 960, 3015, 735};
inline constexpr Place Label1{360, 960, 855, 735};
inline constexpr Place 限制寬度{4920, 5040, 90, 270};
inline constexpr forms::OleColor 限制寬度Back = 0x000000FF;
inline constexpr Place 取出文字{6120, 5040, 855, 270};
inline const QString 取出文字Start = QStringLiteral("11111");
inline constexpr Place Shape1{330, 900, 915, 885};
inline constexpr Place Image1{360, 930, 4455, 1095};
inline constexpr Place Shape2{1530, 900, 3075, 885};
inline constexpr Place 開啟官方{120, 2280, 1200, 240};
inline const QString 開啟官方Start = QStringLiteral("進入官方站");
inline constexpr Place 官方2{135, 2295, 1200, 240};
inline constexpr forms::OleColor 官方2Fore = 0x00C0C0C0;

// The analyse button's faces and the backdrop, from the program's resources.
inline const QString searchRaisedPicture = QStringLiteral(":/pictures/search_raised.gif");
inline const QString searchPressedPicture = QStringLiteral(":/pictures/search_pressed.gif");
inline const QString backdropPicture = QStringLiteral(":/pictures/backdrop.bmp");
inline const QString iconPicture = QStringLiteral(":/pictures/icon.ico");

// What a screen reader calls the controls that show no name of their own.
inline const QString 很多行Name = QStringLiteral("輸入文字");
inline const QString 分析文章Name = QStringLiteral("分析結果");
inline const QString 查詢鈕Name = QStringLiteral("查詢");

// The listing's sizes
inline constexpr double listingMargin = 600;
inline constexpr double listingMinWindowHeight = 3135;
inline constexpr double listingMaxBoxHeight = 8500;

// Pointing: the pointed prefix may reach one full-width character past the pointer.
inline constexpr double pointerSlack = 240;

} // namespace layout
