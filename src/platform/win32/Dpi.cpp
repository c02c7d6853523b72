#include "platform/win32/Dpi.h"

#include "platform/win32/GdiScopes.h"

namespace harfpad::win32 {
namespace {

template <typename Fn>
Fn user32Function(const char* name) {
    return reinterpret_cast<Fn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), name)));
}

int systemDpi() {
    const ScopedWindowDc screen(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSX) : 96;
    return dpi > 0 ? dpi : 96;
}

}  // namespace

int dpiForWindow(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = user32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window); dpi != 0)
            return static_cast<int>(dpi);
    }
    return systemDpi();
}

void adjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
    using AdjustFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = user32Function<AdjustFn>("AdjustWindowRectExForDpi");
    if (adjust && adjust(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        return;
    ::AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

LOGFONTW messageFontForDpi(int dpi) {
    using SpiForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    static const auto spiForDpi = user32Function<SpiForDpiFn>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (spiForDpi &&
        spiForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
        return metrics.lfMessageFont;
    }
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    metrics.lfMessageFont.lfHeight = ::MulDiv(metrics.lfMessageFont.lfHeight, dpi, systemDpi());
    return metrics.lfMessageFont;
}

int systemMetricForDpi(int index, int dpi) {
    // Windows 10 before version 1607 lacks it: scale what the system DPI gives.
    using MetricForDpiFn = int(WINAPI*)(int, UINT);
    static const auto metricForDpi = user32Function<MetricForDpiFn>("GetSystemMetricsForDpi");
    if (metricForDpi) {
        if (const int value = metricForDpi(index, static_cast<UINT>(dpi)); value > 0)
            return value;
    }
    return ::MulDiv(::GetSystemMetrics(index), dpi, systemDpi());
}

UniqueIcon loadIconForDpi(HINSTANCE instance, int resourceId, int metric, int dpi) {
    const int side = systemMetricForDpi(metric, dpi);
    // Not LR_SHARED: each load is a separate icon, destroyed when it is replaced.
    return UniqueIcon(static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON, side, side, 0)));
}

}  // namespace harfpad::win32
