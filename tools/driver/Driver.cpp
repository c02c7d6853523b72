#include "driver/Driver.h"

#include <commctrl.h>

#include <algorithm>
#include <thread>

namespace harfpad::driver {

using win32::UniqueHandle;

bool waitFor(const std::function<bool()>& ready, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!ready()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

std::wstring windowsPath(std::wstring path) {
    if (path.empty() || path[0] != L'/')
        return path;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return L"Z:" + path;
}

std::wstring windowText(HWND hwnd) {
    wchar_t text[4096] = {};
    DWORD_PTR length = 0;
    ::SendMessageTimeoutW(hwnd, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                          2000, &length);
    return std::wstring(text, length);
}

std::wstring className(HWND hwnd) {
    wchar_t name[256] = {};
    ::GetClassNameW(hwnd, name, 256);
    return name;
}

Program::Program(const std::wstring& exePath, bool waitForWindow) {
    std::wstring command = L"\"" + exePath + L"\"";
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION started{};
    const auto begin = std::chrono::steady_clock::now();
    if (!::CreateProcessW(exePath.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &started)) {
        return;
    }
    ::CloseHandle(started.hThread);
    process_.reset(started.hProcess);
    pid_ = started.dwProcessId;
    threadId_ = started.dwThreadId;
    if (waitForWindow && mainWindow(30000ms)) {
        startUp_ = std::chrono::duration_cast<std::chrono::microseconds>(
            std::chrono::steady_clock::now() - begin);
    }
}

Program::~Program() {
    if (running()) {
        ::TerminateProcess(process_.get(), 99);
        ::WaitForSingleObject(process_.get(), 5000);
    }
}

bool Program::running() const {
    return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Program::waitForExit(std::chrono::milliseconds limit) const {
    if (::WaitForSingleObject(process_.get(), static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process_.get(), &code);
    return code;
}

std::vector<HWND> Program::topLevelWindows(bool visibleOnly) const {
    struct Search {
        DWORD pid;
        bool visibleOnly;
        std::vector<HWND> found;
    } search{pid_, visibleOnly, {}};
    ::EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(hwnd, &owner);
            if (owner == s->pid && (!s->visibleOnly || ::IsWindowVisible(hwnd))) {
                s->found.push_back(hwnd);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Program::findTopLevel(const wchar_t* cls, bool visibleOnly) const {
    for (HWND hwnd : topLevelWindows(visibleOnly)) {
        if (className(hwnd) == cls)
            return hwnd;
    }
    return nullptr;
}

HWND Program::mainWindow(std::chrono::milliseconds limit) const {
    HWND found = nullptr;
    waitFor([&] { return (found = findTopLevel(L"HarfpadForm")) != nullptr; }, limit);
    return found;
}

std::vector<HWND> descendants(HWND root) {
    std::vector<HWND> found;
    ::EnumChildWindows(
        root,
        [](HWND hwnd, LPARAM param) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND findControl(HWND root, const std::wstring& text, const wchar_t* cls) {
    for (HWND hwnd : descendants(root)) {
        if ((!cls || className(hwnd) == cls) && windowText(hwnd) == text)
            return hwnd;
    }
    return nullptr;
}

HWND findControlById(HWND root, int id) {
    for (HWND hwnd : descendants(root)) {
        if (::GetDlgCtrlID(hwnd) == id && className(hwnd) != L"HarfpadPage")
            return hwnd;
    }
    return nullptr;
}

bool isChecked(HWND button) {
    return ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void click(HWND button) {
    ::SendMessageW(button, BM_CLICK, 0, 0);
}

void setText(HWND control, const std::wstring& text) {
    ::SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

Tabs::Tabs(const Program& program, HWND mainWindow)
    : process_(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                             program.pid())) {
    for (HWND hwnd : descendants(mainWindow)) {
        if (className(hwnd) == WC_TABCONTROLW)
            tab_ = hwnd;
    }
}

int Tabs::count() const {
    return static_cast<int>(::SendMessageW(tab_, TCM_GETITEMCOUNT, 0, 0));
}
int Tabs::selected() const {
    return static_cast<int>(::SendMessageW(tab_, TCM_GETCURSEL, 0, 0));
}

namespace {
// A block of memory in the other process, freed when it goes.
class RemoteBlock {
  public:
    RemoteBlock(HANDLE process, std::size_t size)
        : process_(process),
          address_(::VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
    ~RemoteBlock() {
        if (address_)
            ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;
    void* get() const { return address_; }
    void write(const void* data, std::size_t size, std::size_t offset = 0) const {
        ::WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, nullptr);
    }
    void read(void* data, std::size_t size, std::size_t offset = 0) const {
        ::ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, nullptr);
    }

  private:
    HANDLE process_;
    void* address_;
};
}  // namespace

std::wstring Tabs::caption(int index) const {
    RemoteBlock block(process_.get(), sizeof(TCITEMW) + 512);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(block.get()) + sizeof(TCITEMW));
    item.cchTextMax = 256;
    block.write(&item, sizeof item);
    ::SendMessageW(tab_, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(block.get()));
    wchar_t text[256] = {};
    block.read(text, sizeof text - sizeof(wchar_t), sizeof(TCITEMW));
    return text;
}

void Tabs::select(int index) const {
    // A mouse click on the tab: the tab control itself tells its window about the change.
    RemoteBlock block(process_.get(), sizeof(RECT));
    if (!::SendMessageW(tab_, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(block.get())))
        return;
    RECT item{};
    block.read(&item, sizeof item);
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ::SendMessageW(tab_, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(tab_, WM_LBUTTONUP, 0, at);
}

std::vector<HWND> openMessageBoxes(const Program& program) {
    std::vector<HWND> boxes;
    for (HWND hwnd : program.topLevelWindows(true)) {
        if (className(hwnd) == L"#32770")
            boxes.push_back(hwnd);
    }
    return boxes;
}

std::wstring messageBoxText(HWND box) {
    HWND text = ::GetDlgItem(box, 0xFFFF);
    return text ? windowText(text) : std::wstring();
}

void answerMessageBox(HWND box, int button) {
    ::PostMessageW(box, WM_COMMAND, button, 0);
}

std::optional<ScreenPixels> capture(const RECT& area) {
    ScreenPixels shot{area.right - area.left, area.bottom - area.top, {}};
    if (shot.width <= 0 || shot.height <= 0)
        return std::nullopt;
    BITMAPINFO info{};
    // Top-down rows of 32-bit pixels, blue in the low byte.
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), shot.width, -shot.height, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    const win32::UniqueMemoryDc memory(::CreateCompatibleDC(screen));
    const win32::UniqueBitmap bitmap(
        ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bits) {
        const HGDIOBJ old = ::SelectObject(memory.get(), bitmap.get());
        ::BitBlt(memory.get(), 0, 0, shot.width, shot.height, screen, area.left, area.top, SRCCOPY);
        ::SelectObject(memory.get(), old);
    }
    ::ReleaseDC(nullptr, screen);
    if (!bits)
        return std::nullopt;
    const auto* quads = static_cast<const RGBQUAD*>(bits);
    shot.pixels.reserve(static_cast<std::size_t>(shot.width) * shot.height);
    for (int i = 0; i < shot.width * shot.height; ++i)
        shot.pixels.push_back(RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue));
    return shot;
}

bool saveScreenshot(HWND window, const std::wstring& path) {
    RECT rect;
    if (!::GetWindowRect(window, &rect))
        return false;
    const std::optional<ScreenPixels> shot = capture(rect);
    if (!shot)
        return false;
    // A 24-bit BMP: bottom-up rows, each padded to four bytes.
    const DWORD stride = ((shot->width * 3 + 3) / 4) * 4;
    std::vector<BYTE> image(static_cast<std::size_t>(stride) * shot->height);
    for (int y = 0; y < shot->height; ++y) {
        BYTE* row = image.data() + static_cast<std::size_t>(shot->height - 1 - y) * stride;
        for (int x = 0; x < shot->width; ++x) {
            const COLORREF pixel = shot->at(x, y);
            row[3 * x] = GetBValue(pixel);
            row[3 * x + 1] = GetGValue(pixel);
            row[3 * x + 2] = GetRValue(pixel);
        }
    }
    BITMAPINFOHEADER header{sizeof header, shot->width, shot->height, 1, 24, BI_RGB};
    header.biSizeImage = static_cast<DWORD>(image.size());
    const BITMAPFILEHEADER file{
        0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof header + image.size()), 0, 0,
        sizeof(BITMAPFILEHEADER) + sizeof header};
    const HANDLE opened = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return false;
    const UniqueHandle<HANDLE, win32::closeHandle> out(opened);
    DWORD written = 0;
    return ::WriteFile(out.get(), &file, sizeof file, &written, nullptr) &&
           ::WriteFile(out.get(), &header, sizeof header, &written, nullptr) &&
           ::WriteFile(out.get(), image.data(), static_cast<DWORD>(image.size()), &written,
                       nullptr);
}

}  // namespace harfpad::driver
