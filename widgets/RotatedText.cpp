#include "widgets/RotatedText.h"

#include "widgets/RotatedFont.h"

#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

constexpr double Radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

// Cut toward zero, kept within int.
int Cut(double value)
{
    if (!(value > -2147483647.0))
        return value != value ? 0 : -2147483647;
    if (value > 2147483647.0)
        return 2147483647;
    return static_cast<int>(value);
}

int AbsCut(double value)
{
    const int v = Cut(value);
    return v < 0 ? -v : v;
}

int SaturatedSum(int a, int b)
{
    const long long sum = static_cast<long long>(a) + b;
    return sum > 2147483647LL ? 2147483647 : static_cast<int>(sum);
}

} // namespace

int NormalizeEscapement(int degrees)
{
    const std::int64_t v = degrees;
    if (v < 0)
        return static_cast<int>(((v % 360) + 360) % 360);
    if (v > 360)
        return static_cast<int>((v - 1) % 360 + 1);
    return degrees;
}

TRotatedTextBox RotatedTextBox(int angle, TSize extent)
{
    const int a = NormalizeEscapement(angle);
    const double tw = extent.cx, th = extent.cy;
    const double r = Radians(a);
    TRotatedTextBox box;
    if (a <= 90) {
        box.DX = 0;
        box.DY = Cut(std::sin(r) * tw);
    } else if (a <= 180) {
        box.DX = Cut(-std::cos(r) * tw);
        box.DY = Cut(std::sin(r) * tw + std::cos(Radians(180 - a)) * th);
    } else if (a <= 270) {
        box.DX = Cut(-std::cos(r) * tw + std::sin(Radians(a - 180)) * th);
        box.DY = Cut(std::sin(Radians(270 - a)) * th);
    } else {
        box.DX = Cut(std::sin(Radians(360 - a)) * th);
        box.DY = 0;
    }
    box.Width = SaturatedSum(AbsCut(std::cos(r) * tw), AbsCut(std::sin(r) * th));
    box.Height = SaturatedSum(AbsCut(std::sin(r) * tw), AbsCut(std::cos(r) * th));
    return box;
}

void DrawRotatedTextAt(TCanvas& canvas, int x, int y, std::string_view text, int angle)
{
    const TFont previous(canvas.Font());
    const TColor textColor = canvas.TextColor();
    TFont rotated = CreateRotatedFont(previous, NormalizeEscapement(angle) * 10);
    rotated.SetColor(previous.Color());
    canvas.SetFont(rotated);
    canvas.SetTextColor(textColor);
    canvas.TextOut(x, y, text);
    canvas.SetFont(previous);
    canvas.SetTextColor(textColor);
}
