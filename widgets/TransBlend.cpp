#include "widgets/TransBlend.h"

#include <algorithm>
#include <cmath>

std::uint8_t MixChannel(int fore, int back, int percent)
{
    // Wrapping 32-bit arithmetic, as the channel keeps only the low 8 bits anyway.
    const auto f = static_cast<std::uint32_t>(fore), k = static_cast<std::uint32_t>(back),
               s = static_cast<std::uint32_t>(percent);
    const auto sum = static_cast<std::int32_t>(f * (100u - s) + k * s);
    return static_cast<std::uint8_t>(sum / 100);
}

std::uint8_t FilterChannel(int foreSum, int back, int percent)
{
    if (foreSum != 0)
        return static_cast<std::uint8_t>(back);
    const int d = percent - 50;
    if (d == 0)
        return static_cast<std::uint8_t>(back);
    // The factor and the products in extended precision: 0.02 is then a hair below 0.02,
    // which decides results such as 16 at 60 percent giving 63.
    constexpr long double factor = 0.02L;
    long double value;
    if (d > 0)
        value = static_cast<long double>(256 - back) * factor * d + back;
    else
        value = static_cast<long double>(back) * factor * d + back;
    value = std::trunc(value);
    if (!(value > 0.0L))
        return 0;
    if (value > 255.0L)
        return 255;
    return static_cast<std::uint8_t>(static_cast<int>(value));
}

double BiasCurve(double value, double amount)
{
    if (amount > 1.0 || amount < -1.0 || value < 0.0 || value > 1.0 || amount == 0.0)
        return value;
    if (amount > 0.0) {
        const double exponent = 1.0 - amount;
        return exponent == 0.0 ? 1.0 : std::pow(value, exponent);
    }
    const double exponent = 1.0 + amount;
    return 1.0 - (exponent == 0.0 ? 1.0 : std::pow(1.0 - value, exponent));
}

namespace {

// Round to nearest, halves to even.
int RoundEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

// a / n, 0 when n is not positive.
double Ratio(int a, int n)
{
    return n > 0 ? static_cast<double>(a) / n : 0.0;
}

// Rises from 0 at the edge to 1 at the middle and falls again; 1 without room to vary.
double Tri(int a, int n)
{
    const int half = n / 2;
    if (half == 0)
        return 1.0;
    const double t = static_cast<double>(a) / half;
    return t > 1.0 ? 2.0 - t : t;
}

int ButtonPercent(int x, int y, int w, int h)
{
    if (y <= x && y < h / 2 && x + y < w)
        return 80;
    if (x + y >= h && y > h - h / 2 && x - w < y - h)
        return 30;
    if (y >= x && x < w / 2 && x + y < h)
        return 60;
    if (x + y >= w && x >= w - w / 2 && x - w >= y - h)
        return 40;
    return 0;
}

int RoundButtonPercent(int x, int y, int w, int h, int b)
{
    // Each rule divides by b only where it holds, and none holds for b <= 0 inside the control.
    if (y <= x && y < b && x + y < w)
        return 50 + RoundEven(40.0 * (1.0 - static_cast<double>(y) / b));
    if (x + y >= h && y >= h - b && x - w < y - h)
        return 50 - RoundEven(30.0 * (1.0 - static_cast<double>(h - y) / b));
    if (y >= x && x < b && x + y < h)
        return 50 + RoundEven(20.0 * (1.0 - static_cast<double>(x) / b));
    if (x + y >= w && x >= w - b && x - w >= y - h)
        return 50 - RoundEven(20.0 * (1.0 - static_cast<double>(w - x) / b));
    return 0;
}

} // namespace

int ApplyFade(TTransFade fade, int x, int y, int percent, const TFadeGeometry& geometry)
{
    const int w = geometry.Width, h = geometry.Height;
    double m;
    switch (fade) {
    case tfLeft:
        m = Ratio(x, w);
        break;
    case tfRight:
        m = 1.0 - Ratio(x, w);
        break;
    case tfUp:
        m = Ratio(y, h);
        break;
    case tfDown:
        m = 1.0 - Ratio(y, h);
        break;
    case tfLeftDown:
        m = Ratio(x, w) * (1.0 - Ratio(y, h));
        break;
    case tfRightDown:
        m = (1.0 - Ratio(x, w)) * (1.0 - Ratio(y, h));
        break;
    case tfLeftUp:
        m = Ratio(x, w) * Ratio(y, h);
        break;
    case tfRightUp:
        m = (1.0 - Ratio(x, w)) * Ratio(y, h);
        break;
    case tfCenter: {
        const int r = h / 2;
        if (r == 0 || w <= 0) {
            m = 1.0;
            break;
        }
        const double dx = (static_cast<double>(h) / w) * (x - w / 2);
        const double dy = r - y;
        int d = RoundEven(std::sqrt(dx * dx + dy * dy));
        if (d > r)
            d = r;
        m = 1.0 - static_cast<double>(d) / r;
        break;
    }
    case tfPeak:
        m = Tri(x, w) * Tri(y, h);
        break;
    case tfHorizon:
        m = Tri(y, h);
        break;
    case tfVertical:
        m = Tri(x, w);
        break;
    case tfButton:
        return ButtonPercent(x, y, w, h);
    case tfRoundButton:
        return RoundButtonPercent(x, y, w, h, geometry.RoundButtonWidth);
    case tfNone:
    default:
        return percent;
    }
    const int result = 100 - RoundEven(BiasCurve(m, geometry.Bias) * (100 - percent));
    return std::min(result, 100);
}

int TransTypePercent(const TTransBlendSettings& settings, std::uint8_t blue, std::uint8_t green, std::uint8_t red)
{
    switch (settings.TransType) {
    case ttKey:
        return RGB(red, green, blue) == settings.TransKeyColor ? 100 : settings.TransPercent;
    case ttRed:
    case ttGreen:
    case ttBlue: {
        const unsigned sum = 0u + blue + green + red;
        const unsigned channel = settings.TransType == ttRed ? red : settings.TransType == ttGreen ? green : blue;
        int t = sum == 0 ? 0 : static_cast<int>(channel * 100u / sum);
        t = RoundEven(BiasCurve(t / 100.0, settings.ScreenBias) * 100.0);
        if (t < settings.TransMinCutoff)
            t = 0;
        if (t > settings.TransMaxCutoff)
            t = settings.TransPercent;
        if (t < settings.TransPercent)
            t = settings.TransPercent;
        return t;
    }
    case ttNone:
    case ttAlpha:
    default:
        return settings.TransPercent;
    }
}

void BlendTranslucent(const TTransBlendSettings& settings, const TBitmap& drawing, const TBitmap& background,
                      TBitmap& output, int width, int height, const TTransCalc& calc)
{
    const int w = std::min({width, drawing.Width(), background.Width(), output.Width()});
    const int h = std::min({height, drawing.Height(), background.Height(), output.Height()});
    if (w <= 0 || h <= 0)
        return;
    const int fb = drawing.BytesPerPixel(), kb = background.BytesPerPixel(), ob = output.BytesPerPixel();
    const bool filter = settings.CanvasType == ctLumFilter;

    for (int y = 0; y < h; ++y) {
        const std::uint8_t* f = drawing.ScanLine(y);
        const std::uint8_t* k = background.ScanLine(y);
        std::uint8_t* o = output.ScanLine(y);
        for (int x = 0; x < w; ++x, f += fb, k += kb, o += ob) {
            if (filter) {
                int u = ApplyFade(settings.TransFade, x, y, settings.TransPercent, settings.Geometry);
                if (settings.Inverse)
                    u = 100 - u;
                const int sum = f[0] + f[1] + f[2];
                for (int c = 0; c < 3; ++c)
                    o[c] = FilterChannel(sum, k[c], u);
                continue;
            }
            if (calc) {
                const TRGB fore{f[2], f[1], f[0]};
                const TRGB back{k[2], k[1], k[0]};
                TRGB merge{};
                calc(fore, back, merge, x, y);
                o[0] = static_cast<std::uint8_t>(merge.Blue);
                o[1] = static_cast<std::uint8_t>(merge.Green);
                o[2] = static_cast<std::uint8_t>(merge.Red);
                continue;
            }
            int s = TransTypePercent(settings, f[0], f[1], f[2]);
            s = ApplyFade(settings.TransFade, x, y, s, settings.Geometry);
            if (settings.Inverse)
                s = 100 - s;
            for (int c = 0; c < 3; ++c)
                o[c] = MixChannel(f[c], k[c], s);
        }
    }
}
