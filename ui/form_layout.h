#pragma once
// The geometry of every control of the main window, in pixels within its
// client area, kept as one table and applied in one place.

#include <array>

class QWidget;

struct ControlGeometry {
  const char* name;
  int left;
  int top;
  int width;
  int height;
};

// A width that the label takes from its text.
inline constexpr int kFitText = -1;

inline constexpr int kFormLeft = 199;
inline constexpr int kFormTop = 140;
inline constexpr int kFormClientWidth = 742;
inline constexpr int kFormClientHeight = 515;

inline constexpr std::array<ControlGeometry, 24> kFormLayout{{
    {"orig", 15, 30, 620, 22},
    {"trans", 15, 75, 620, 22},
    {"origLabel", 15, 13, kFitText, 14},
    {"transLabel", 15, 58, kFitText, 14},
    {"openorig", 645, 30, 80, 21},
    {"opentrans", 645, 75, 80, 21},
    {"rep", 15, 115, 711, 25},
    {"Label1", 15, 155, 233, 14},
    {"Label2", 375, 150, 269, 14},
    {"replist", 15, 170, 350, 176},
    {"replist1", 375, 170, 350, 176},
    {"offs", 15, 353, 146, 17},
    {"Label8", 166, 355, 561, 14},
    {"Bevel1", 15, 375, 711, 11},
    {"Label7", 15, 390, 89, 14},
    {"cinf", 15, 405, 18, 14},
    {"Label3", 15, 440, 72, 14},
    {"Label4", 15, 455, 80, 14},
    {"Label5", 15, 470, 90, 14},
    {"Label6", 15, 485, 98, 14},
    {"cp1", 190, 440, 18, 14},
    {"cp2", 190, 455, 18, 14},
    {"cm1", 190, 470, 18, 14},
    {"cm2", 190, 485, 18, 14},
}};

// Places each control of `form` named in the table.
void applyFormLayout(QWidget& form);
