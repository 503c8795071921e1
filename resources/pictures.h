#pragma once

// Where the window finds its pictures (linked in through qx_resources).
namespace pictures {
inline constexpr char searchRaised[] = ":/pictures/search_raised.gif";   // 查詢鈕
inline constexpr char searchPressed[] = ":/pictures/search_pressed.gif"; // 查詢圖
inline constexpr char backdrop[] = ":/pictures/backdrop.bmp";            // Image1
inline constexpr char icon[] = ":/pictures/icon.ico";
inline constexpr char icon32[] = ":/pictures/icon-32.png";
} // namespace pictures
